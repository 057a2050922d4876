#pragma once

#include <vector>

class QAbstractButton;

namespace quorvel {

// A group of options is one stop of Tab and Shift+Tab, the chosen option, as on
// the desktop: the arrow keys move the choice inside it, and Space, pressed on
// an option Tab reached, never changes the choice. Until one is chosen each is a
// stop of its own.
void MakeOneTabStop(const std::vector<QAbstractButton*>& options);

} // namespace quorvel
