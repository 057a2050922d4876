#pragma once

#include <filesystem>

namespace quorvel::test {

// An entry made immutable (chattr +i) while the guard lives: not even root may
// write, replace or delete it, as with a file the game holds open on Windows.
class Blocked {
public:
    explicit Blocked(std::filesystem::path path);
    ~Blocked();
    Blocked(const Blocked&) = delete;
    Blocked& operator=(const Blocked&) = delete;
    // False where chattr +i is not possible (not root, or a file system without it).
    bool blocked() const { return blocked_; }

private:
    std::filesystem::path path_;
    bool blocked_ = false;
};

// A folder that refuses new, renamed and deleted entries while the guard lives:
// immutable where that is possible, else without write permission, which stops
// all but root. blocked() is false where it still takes entries (root without
// chattr +i; Windows, whose read-only attribute does not guard a folder).
class BlockedFolder {
public:
    explicit BlockedFolder(const std::filesystem::path& folder);
    ~BlockedFolder();
    bool blocked() const { return blocked_; }

private:
    Blocked immutable_;
    std::filesystem::path folder_;
    bool blocked_ = false;
};

} // namespace quorvel::test
