#!/bin/sh
# Gives the Wine prefix in use the fonts Windows has that the program asks for:
# Arial for the windows, Courier New for the help text. Wine has neither, so
# Liberation's fonts, drawn to the same metrics (fonts-liberation2), stand in
# under their names.
for font in "Arial:Liberation Sans" "Courier New:Liberation Mono"; do
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${font%%:*}" /d "${font#*:}" /f \
    >/dev/null 2>&1
done
