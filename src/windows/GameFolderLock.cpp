#include "windows/GameFolderLock.h"

namespace quorvel {

// A folder that cannot be opened or locked (missing, a file system without
// locks) leaves the copy without a lock: no other copy can hold it either, and a
// refusal would end a start over a missing game folder with a false "another
// copy" box.
bool GameFolderLock::hold(const std::filesystem::path& folder) {
    return lock_.hold(folder) != FolderLockOutcome::HeldElsewhere;
}

bool GameFolderLock::heldElsewhere(const std::filesystem::path& folder) const {
    return lock_.heldElsewhere(folder);
}

} // namespace quorvel
