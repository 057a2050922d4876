#pragma once

#include "platform/FolderLock.h"

#include <filesystem>
#include <optional>

#ifdef _WIN32
#include <future>
#include <thread>
#else
#include <sys/types.h>
#endif

namespace quorvel::test {

// Another process that tries to hold a folder and keeps what it got until it is
// killed. On Windows a thread stands in for it: a mutex belongs to a thread, and
// one that ends holding it leaves it abandoned, as a killed process does.
class OtherHolder {
public:
    explicit OtherHolder(const std::filesystem::path& folder);
    ~OtherHolder() { kill(); }
    OtherHolder(const OtherHolder&) = delete;
    OtherHolder& operator=(const OtherHolder&) = delete;

    std::optional<FolderLockOutcome> outcome() const { return outcome_; }
    void kill();

private:
    std::optional<FolderLockOutcome> outcome_;
#ifdef _WIN32
    std::promise<void> killed_;
    std::thread thread_;
#else
    pid_t pid_ = -1;
#endif
};

} // namespace quorvel::test
