#pragma once

#include <QLockFile>
#include <QString>
#include <filesystem>
#include <memory>

namespace quorvel {

// One running copy of the program per game folder: a copy started from another
// program folder (a copy of the portable folder, say) would clear the add-ons
// that the first copy lists as installed there. The lock lies in the system's
// temporary folder, named after the game folder; a lock whose holder died is
// taken over.
class GameFolderLock {
public:
    // Holds the lock of `folder`, giving up the one held before. False, holding
    // none, when another running copy holds it.
    bool hold(const std::filesystem::path& folder);
    // Whether this object holds a lock.
    bool holds() const { return lock_ != nullptr; }
    // Whether another running copy holds the lock of `folder`.
    bool heldElsewhere(const std::filesystem::path& folder) const;

private:
    QString path_; // of the lock held
    std::unique_ptr<QLockFile> lock_;
};

} // namespace quorvel
