#pragma once

class QWidget;

namespace quorvel {

// Gives a window its fixed size (its designed size), the program's icon and a
// place in the middle of the screen.
void PlaceFixedCentred(QWidget* window);

// The windows are laid out for an 8 point text; a larger default font chosen by
// the user is kept.
void UseWindowFont();

} // namespace quorvel
