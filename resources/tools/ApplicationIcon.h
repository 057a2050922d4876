#pragma once

#include <QtGlobal>

class QPainter;

namespace quorvel::pictures {

// The program's own mark on a 256-unit square: the climbing fighter inside a
// gunsight ring on a rounded navy tile. Reads down to 16 pixels.
void paintApplicationIcon(QPainter& painter);

constexpr qreal kApplicationIconDesignSize = 256;

} // namespace quorvel::pictures
