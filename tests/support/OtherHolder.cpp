#include "support/OtherHolder.h"

#ifndef _WIN32
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace quorvel::test {

#ifdef _WIN32
OtherHolder::OtherHolder(const fs::path& folder) {
    std::promise<FolderLockOutcome> tried;
    auto outcome = tried.get_future();
    thread_ = std::thread([folder, &tried, killed = killed_.get_future()] {
        auto* lock = new FolderLock; // never released: the thread dies holding it
        tried.set_value(lock->hold(folder));
        killed.wait();
    });
    outcome_ = outcome.get();
}

void OtherHolder::kill() {
    if (!thread_.joinable())
        return;
    killed_.set_value();
    thread_.join();
}
#else
OtherHolder::OtherHolder(const fs::path& folder) {
    int channel[2];
    if (pipe(channel) != 0)
        return;
    pid_ = fork();
    if (pid_ == 0) {
        FolderLock lock;
        const auto outcome = static_cast<char>(lock.hold(folder));
        if (write(channel[1], &outcome, 1) == 1)
            pause();
        _exit(0);
    }
    close(channel[1]);
    char outcome = 0;
    if (pid_ > 0 && read(channel[0], &outcome, 1) == 1)
        outcome_ = static_cast<FolderLockOutcome>(outcome);
    close(channel[0]);
}

void OtherHolder::kill() {
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}
#endif

} // namespace quorvel::test
