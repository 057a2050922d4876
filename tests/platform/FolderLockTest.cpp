#include "platform/FolderLock.h"

#include "support/TempFolder.h"
#include "support/WindowsSkips.h"

#include <gtest/gtest.h>
#include <optional>

#ifdef _WIN32
#include <future>
#include <thread>
#else
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

using enum FolderLockOutcome;

// Another process that tries to hold a folder and keeps what it got until it is
// killed. On Windows a thread stands in for it: a mutex belongs to a thread, and
// one that ends holding it leaves it abandoned, as a killed process does.
class OtherHolder {
public:
    explicit OtherHolder(const fs::path& folder);
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

// A game folder `EAW`, another folder `Other`, and where links can be made, `Link`
// pointing to `EAW`.
struct Folders {
    Folders() {
        WriteFile(root / "EAW" / "EAW.EXE", "game");
        fs::create_directory(root / "Other");
        if (!kOnWindows)
            fs::create_directory_symlink(root / "EAW", root / "Link");
    }
    TempFolder root;
};

enum class Where { Everywhere, WithLinks, OnWindows };

struct Reach {
    const char* name;
    const char* path; // under the root of `Folders`
    Where where;
    FolderLockOutcome outcome; // of this process holding it while another holds `EAW`
};

void PrintTo(const Reach& reach, std::ostream* out) {
    *out << reach.name;
}

class AnotherProcessHoldsTheGameFolder : public testing::TestWithParam<Reach> {};

TEST_P(AnotherProcessHoldsTheGameFolder, WhateverPathReachesIt) {
    const Reach& row = GetParam();
    if (row.where == Where::WithLinks && kOnWindows)
        GTEST_SKIP() << kNeedsLinks;
    if (row.where == Where::OnWindows && !kOnWindows)
        GTEST_SKIP() << "letter case tells folders apart here";
    Folders folders;
    OtherHolder other(folders.root / "EAW");
    ASSERT_EQ(other.outcome(), Held);
    FolderLock lock;
    EXPECT_EQ(lock.heldElsewhere(folders.root / row.path), row.outcome == HeldElsewhere);
    EXPECT_EQ(lock.hold(folders.root / row.path), row.outcome);
}

INSTANTIATE_TEST_SUITE_P(
    FolderLock, AnotherProcessHoldsTheGameFolder,
    testing::Values(Reach{"SamePath", "EAW", Where::Everywhere, HeldElsewhere},
                    Reach{"ThroughDotDot", "Other/../EAW", Where::Everywhere, HeldElsewhere},
                    Reach{"ThroughALink", "Link", Where::WithLinks, HeldElsewhere},
                    Reach{"InOtherLetterCase", "eaw", Where::OnWindows, HeldElsewhere},
                    Reach{"AnotherFolder", "Other", Where::Everywhere, Held},
                    Reach{"AMissingFolder", "Missing", Where::Everywhere, CannotLock},
                    Reach{"AFileInsteadOfAFolder", "EAW/EAW.EXE", Where::Everywhere, CannotLock}),
    [](const testing::TestParamInfo<Reach>& info) { return std::string(info.param.name); });

TEST(FolderLock, IsFreeOnceItsHolderIsKilled) {
    Folders folders;
    OtherHolder other(folders.root / "EAW");
    ASSERT_EQ(other.outcome(), Held);
    other.kill();
    FolderLock lock;
    EXPECT_FALSE(lock.heldElsewhere(folders.root / "EAW"));
    EXPECT_EQ(lock.hold(folders.root / "EAW"), Held);
}

// Holding the same folder again keeps it; any other hold or a release gives it up.
TEST(FolderLock, HoldsOneFolderAtATime) {
    Folders folders;
    const fs::path game = folders.root / "EAW";
    FolderLock lock;
    ASSERT_EQ(lock.hold(game), Held);
    EXPECT_EQ(lock.hold(folders.root / "Other" / ".." / "EAW"), Held);
    EXPECT_FALSE(lock.heldElsewhere(game));
    EXPECT_EQ(OtherHolder(game).outcome(), HeldElsewhere);
    EXPECT_EQ(lock.hold(folders.root / "Missing"), CannotLock);
    EXPECT_EQ(OtherHolder(game).outcome(), Held);
    ASSERT_EQ(lock.hold(folders.root / "Other"), Held);
    EXPECT_EQ(OtherHolder(game).outcome(), Held);
    lock.release();
    EXPECT_EQ(OtherHolder(folders.root / "Other").outcome(), Held);
}

} // namespace
