#pragma once

#include <QtGlobal>

class QWidget;

namespace quorvel {

// How many times taller the window's text is than the 8 point text the fixed
// layouts are drawn for; 1 for a text of up to 10 points, which UseWindowFont sets
// to 8. (A high-DPI screen scales the whole window instead.)
qreal FontGrowth(const QWidget* window);

// Gives a window its fixed size (its designed size, grown with a larger text when
// its controls are placed by hand), the program's icon and a place in the middle of
// the screen.
void PlaceFixedCentred(QWidget* window);

// The windows are laid out for an 8 point text; a larger default font chosen by
// the user is kept.
void UseWindowFont();

} // namespace quorvel
