#pragma once

#include <filesystem>
#include <system_error>

namespace quorvel::test {

// Makes `folder` the process's current folder while the object lives, so that a test
// can show nothing lands there; a failing check that returns early still puts the
// previous folder back.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::filesystem::path& folder)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~CurrentFolder() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
    }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    std::filesystem::path previous_;
};

} // namespace quorvel::test
