#pragma once

#include <filesystem>
#include <memory>

namespace quorvel {

// What became of an attempt to hold a folder.
enum class FolderLockOutcome {
    Held,          // this process holds the folder now
    HeldElsewhere, // another process holds it
    CannotLock     // the folder cannot be opened or locked (missing, no permission, a file
                   // system without locks)
};

// Keeps every other process of the machine, whatever its account, off a folder
// while this one holds it. The lock belongs to the folder itself, not to the text
// of its path: a link, a bind mount, `..`, and on Windows another letter case or
// an 8.3 short name all reach the same lock. Nothing is written to the disk, so
// no file is left behind to go stale, be made read-only or be replaced by a
// folder; the system drops the lock when its holder dies. On POSIX it is a
// flock() on the open folder (keyed by its inode); on Windows a named mutex of
// the whole machine named after the folder's volume serial number and file index.
class FolderLock {
public:
    FolderLock();
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    FolderLock(FolderLock&&) noexcept;
    FolderLock& operator=(FolderLock&&) noexcept;

    // Holds `folder`, giving up the folder held before unless it is the same
    // one. Anything but Held leaves none held.
    FolderLockOutcome hold(const std::filesystem::path& folder);
    // Whether another process holds `folder`; false also when it cannot be opened.
    bool heldElsewhere(const std::filesystem::path& folder) const;
    // Gives up the folder held, if any.
    void release();

private:
    class Claim; // one folder opened, and perhaps held
    std::unique_ptr<Claim> held_;
};

} // namespace quorvel
