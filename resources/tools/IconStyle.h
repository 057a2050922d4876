#pragma once

#include <QImage>
#include <QPen>
#include <QPointF>

class QPainter;

// The common hand of the pictograms: drawn on a 64-unit square, khaki shapes with
// a dark ink outline, flat colours, read at 24 and 32 pixels on the buttons.
namespace quorvel::pictures {

using IconPainter = void (*)(QPainter&);

constexpr qreal kIconDesignSize = 64;

// A transparent square of `pixels` with `paint` drawn on it, scaled from its
// design square of `designSize` units.
QImage renderIcon(int pixels, IconPainter paint, qreal designSize = kIconDesignSize);

QPen inkPen(qreal width = 3.5);

enum class BadgeMark { Plus, Minus };

// A round signal badge with a white plus or minus, ringed in white so that it
// stands off the shape beneath.
void drawBadge(QPainter& painter, QPointF centre, qreal radius, BadgeMark mark);

// A closed carton seen from above at an angle, the pictogram of an add-on package.
void drawPackage(QPainter& painter);

} // namespace quorvel::pictures
