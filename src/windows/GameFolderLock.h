#pragma once

#include "platform/FolderLock.h"

#include <filesystem>

namespace quorvel {

// One running copy of the program per game folder: a copy started from another
// program folder (a copy of the portable folder, say), by another account or
// through another path to the folder would clear the add-ons that the first copy
// lists as installed there.
class GameFolderLock {
public:
    // Holds the lock of `folder`, giving up the one held before. False, holding
    // none, only when another running copy holds it.
    bool hold(const std::filesystem::path& folder);
    // Whether another running copy holds the lock of `folder`.
    bool heldElsewhere(const std::filesystem::path& folder) const;

private:
    FolderLock lock_;
};

} // namespace quorvel
