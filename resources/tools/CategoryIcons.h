#pragma once

class QPainter;

// Pictograms of the seven add-on categories, on the 64-unit square.
namespace quorvel::pictures {

void paintFlightModels(QPainter& painter);
void paintMissions(QPainter& painter);
void paintSkins(QPainter& painter);
void paintTerrains(QPainter& painter);
void paintGraphics(QPainter& painter);
void paintSounds(QPainter& painter);
void paintExes(QPainter& painter);

} // namespace quorvel::pictures
