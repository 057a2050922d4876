#include "platform/FolderLock.h"

#include "support/OtherHolder.h"
#include "support/TempFolder.h"
#include "support/WindowsSkips.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

using enum FolderLockOutcome;

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
