#include "FolderSnapshot.h"
#include "library/ReplaceSecurityCopies.h"
#include "library/RestoreIni.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

TEST(RestoreIni, ReplacesTheGamesIniOfAnyCase) {
    const struct {
        FolderSnapshot before;
        RestoreIniStatus status;
        FolderSnapshot gameAfter;
    } cases[] = {
        {{{"GAME/eaw.ini", "edited"}, {"BACKUPS/EAW.INI", "saved"}},
         RestoreIniStatus::Restored,
         {{"eaw.ini", "saved"}}},
        {{{"BACKUPS/eaw.INI", "saved"}}, RestoreIniStatus::Restored, {{"EAW.INI", "saved"}}},
        {{{"GAME/EAW.INI", "edited"}}, RestoreIniStatus::NoSecurityCopy, {{"EAW.INI", "edited"}}},
    };
    for (const auto& c : cases) {
        TempFolder root;
        LayOutGameAndBackups(root.path(), c.before);
        EXPECT_EQ(RestoreIni(root / "GAME", root / "BACKUPS"), c.status);
        EXPECT_EQ(SnapshotOf(root / "GAME"), c.gameAfter);
    }
}

TEST(RestoreIni, UnsetFolderCopiesNothing) {
    TempFolder root;
    LayOut(root.path(), {{"EAW.INI", "current"}, {"BACKUPS/EAW.INI", "saved"}});
    const fs::path previous = fs::current_path();
    fs::current_path(root.path());
    EXPECT_EQ(RestoreIni(fs::path(), root / "BACKUPS"), RestoreIniStatus::FolderNotSet);
    EXPECT_EQ(RestoreIni(root.path(), fs::path()), RestoreIniStatus::FolderNotSet);
    fs::current_path(previous);
    EXPECT_EQ(ReadFile(root / "EAW.INI"), "current");
}

TEST(ReplaceSecurityCopies, EmptiesTheBackupFolderAndCopiesFromTheNewGame) {
    TempFolder root;
    LayOut(root.path(), {{"BACKUPS/EAW.EXE", "old exe"},
                         {"BACKUPS/EXTRA.SPT", "old spt"},
                         {"BACKUPS/NOTE.TXT", "stray"},
                         {"BACKUPS/SUB", "<dir>"},
                         {"NEW/eaw.exe", "new exe"},
                         {"NEW/EAW.INI", "new ini"},
                         {"NEW/MAP.TER", "map"}});

    const ReplaceSecurityCopiesResult result =
        ReplaceSecurityCopies(root / "NEW", root / "BACKUPS");

    EXPECT_TRUE(result.done);
    EXPECT_EQ(result.copied, (std::vector<std::string>{"EAW.EXE", "EAW.INI"}));
    EXPECT_EQ(SnapshotOf(root / "BACKUPS"),
              (FolderSnapshot{{"EAW.EXE", "new exe"}, {"EAW.INI", "new ini"}, {"SUB", "<dir>"}}));
    EXPECT_EQ(SnapshotOf(root / "NEW").size(), 3u);
}

TEST(ReplaceSecurityCopies, DoesNothingWithoutTwoDistinctFolders) {
    TempFolder root;
    LayOut(root.path(), {{"BACKUPS/EAW.EXE", "exe"}, {"BACKUPS/MAP.TER", "map"}});
    const FolderSnapshot before = SnapshotOf(root.path());
    const fs::path previous = fs::current_path();
    fs::current_path(root / "BACKUPS");
    EXPECT_FALSE(ReplaceSecurityCopies(root / "BACKUPS", root / "BACKUPS").done);
    EXPECT_FALSE(ReplaceSecurityCopies(root / "BACKUPS" / ".", root / "BACKUPS").done);
    EXPECT_FALSE(ReplaceSecurityCopies(fs::path(), root / "BACKUPS").done);
    EXPECT_FALSE(ReplaceSecurityCopies(root / "BACKUPS", fs::path()).done);
    fs::current_path(previous);
    EXPECT_EQ(SnapshotOf(root.path()), before);
}

} // namespace
