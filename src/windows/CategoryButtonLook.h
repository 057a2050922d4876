#pragma once

class QAbstractButton;

namespace quorvel {

// Gives `button` the look of a disabled button while it stays clickable, or its
// own look back: the current category's button looks as it always did, and
// choosing it again reads the library folder afresh.
void LookDisabled(QAbstractButton* button, bool disabledLook);

} // namespace quorvel
