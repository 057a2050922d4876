#pragma once

namespace quorvel {

// Whether the first-run window is to be shown: only the exact flag "1" in
// [CONFIGURATION] BACKUPS of QUORVEL.INI keeps it away.
bool FirstRunWindowDue();

// Records the first-run flag: "1" when the window is not to be shown again,
// "0" when it is. Returns whether the write succeeded.
bool StoreFirstRunFlag(bool doNotShowAgain);

} // namespace quorvel
