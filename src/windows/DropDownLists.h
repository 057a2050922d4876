#pragma once

class QWidget;

namespace quorvel {

// The drop-down lists of `window` follow the common desktop rules. The wheel
// changes a list only while the list has the focus: a player turning the wheel
// over a list on the way elsewhere changes nothing, and the wheel no longer gives
// a list the focus. Escape on an open list closes the list alone, not the window.
void FollowDesktopListRules(QWidget* window);

} // namespace quorvel
