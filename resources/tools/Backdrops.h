#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

// Pieces the splash, logo and banners are composed of.
namespace quorvel::pictures {

// Navy night sky, lighter towards the top.
void fillNightSky(QPainter& painter, const QRectF& area);

// Olive band, lighter towards the top, with a khaki rule along its top edge.
void fillOliveBand(QPainter& painter, const QRectF& area);

// A gunsight ring with four ticks, the frame around the aircraft.
void drawReticle(QPainter& painter, QPointF centre, qreal radius, const QColor& colour);

// A one-pixel rule just inside the picture's edge.
void drawInnerFrame(QPainter& painter, const QRectF& picture, const QColor& colour);

// Letter-spaced capitals in a plain sans serif, placed in `box` by `alignment`.
void drawCapitals(QPainter& painter, const QString& text, const QRectF& box, int pixelSize,
                  const QColor& colour, Qt::Alignment alignment, bool bold = false);

} // namespace quorvel::pictures
