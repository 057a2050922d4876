#pragma once

#include <filesystem>

namespace quorvel::test {

// An entry made immutable (chattr +i): not even root may write, replace or delete
// it, as with a file the game holds open on Windows or a folder without write
// permission. Made writable again when the guard goes, so the folder can be removed.
class Blocked {
public:
    explicit Blocked(std::filesystem::path path);
    ~Blocked();
    Blocked(const Blocked&) = delete;
    Blocked& operator=(const Blocked&) = delete;
    // False where chattr +i is not possible (not root, or a file system without it).
    bool blocked() const { return blocked_; }

private:
    bool run(const char* command) const;
    std::filesystem::path path_;
    bool blocked_ = false;
};

} // namespace quorvel::test
