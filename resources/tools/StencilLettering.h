#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRectF>
#include <QStringView>

class QPainter;

namespace quorvel::pictures {

// The word in block stencil capitals, cap height 100, starting at the origin.
// Only the letters of the program's name are drawn; others are left out.
QPainterPath stencilWord(QStringView word);

// Fills the word scaled to fit `box` with its proportions kept, placed in the box
// by `alignment` (left, right or centred; always centred vertically).
void drawStencilWord(QPainter& painter, QStringView word, const QRectF& box, const QColor& colour,
                     Qt::Alignment alignment = Qt::AlignCenter);

} // namespace quorvel::pictures
