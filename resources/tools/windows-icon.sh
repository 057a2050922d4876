#!/bin/sh
# Draws windows/quorvel.ico, the icon Windows shows for quorvel.exe in Explorer,
# on the taskbar and in shortcuts, from icons/quorvel.png at the sizes Windows
# asks for (ImageMagick). Run it from resources/ after the picture tool.
set -e
convert icons/quorvel.png -define icon:auto-resize=256,64,48,40,32,24,20,16 windows/quorvel.ico
