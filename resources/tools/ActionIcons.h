#pragma once

class QPainter;

// Pictograms of the main window's command buttons, on the 64-unit square.
namespace quorvel::pictures {

void paintNewAddon(QPainter& painter);
void paintDeleteAddon(QPainter& painter);
void paintIniSettings(QPainter& painter);
void paintRestoreIni(QPainter& painter);
void paintClearAll(QPainter& painter);
void paintHelp(QPainter& painter);
void paintAbout(QPainter& painter);
void paintGameFolder(QPainter& painter);
void paintPlay(QPainter& painter);
void paintLibraryFolder(QPainter& painter);

} // namespace quorvel::pictures
