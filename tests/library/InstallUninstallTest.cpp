#include "FolderSnapshot.h"
#include "library/InstallAddon.h"
#include "library/UninstallAddon.h"
#include "support/TempFolder.h"
#include "support/WindowsSkips.h"
#include "support/ZipBuilder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;
using Strings = std::vector<std::string>;

namespace {

TEST(InstallAddon, FindsTheArchiveInAnyCaseAndRemembersWhatItWrote) {
    TempFolder root;
    MakeZip(root / "LIB" / "Spitfire Mk1.zip", {{"FM/SPIT.FLT", "fm"}, {"readme.txt", "r"}});
    fs::create_directory(root / "GAME");

    const UnzipResult result = InstallAddon(root / "LIB", "SPITFIRE MK1", root / "GAME");

    EXPECT_TRUE(result.ok()) << result.description;
    EXPECT_EQ(result.writtenNames, (Strings{"SPIT.FLT", "readme.txt"}));
    EXPECT_EQ(SnapshotOf(root / "GAME"), (FolderSnapshot{{"SPIT.FLT", "fm"}, {"readme.txt", "r"}}));
}

TEST(InstallAddon, FailsWithoutWritingWhenAFolderOrTheArchiveIsMissing) {
    TempFolder root;
    MakeZip(root / "LIB" / "A.ZIP", {{"A.TXT", "a"}});
    fs::create_directory(root / "GAME");
    const FolderSnapshot before = SnapshotOf(root.path());
    const struct {
        fs::path library;
        std::string name;
        fs::path game;
        UnzipResult::Status status;
    } cases[] = {
        {root / "LIB", "B", root / "GAME", UnzipResult::Status::ArchiveMissing},
        {fs::path(), "A", root / "GAME", UnzipResult::Status::ArchiveMissing},
        {root / "LIB", "A", fs::path(), UnzipResult::Status::DestinationMissing},
    };
    for (const auto& c : cases) {
        const UnzipResult result = InstallAddon(c.library, c.name, c.game);
        EXPECT_EQ(result.status, c.status) << c.name;
        EXPECT_FALSE(result.description.empty());
        EXPECT_EQ(SnapshotOf(root.path()), before);
    }
}

// Everything lies under one root: GAME/, BACKUPS/ and OUTSIDE.TXT.
struct UninstallCase {
    std::string title;
    FolderSnapshot before;
    Strings names;
    FolderSnapshot after;
    Strings deleted;
    Strings passedOver;
    Strings restored;
};

void PrintTo(const UninstallCase& c, std::ostream* out) {
    *out << c.title;
}

class UninstallGolden : public testing::TestWithParam<UninstallCase> {};

TEST_P(UninstallGolden, DeletesExactlyTheRememberedNames) {
    const UninstallCase& c = GetParam();
    if (const char* reason = WhyNotOnWindows(c.before); kOnWindows && reason)
        GTEST_SKIP() << reason;
    TempFolder root;
    LayOutGameAndBackups(root.path(), c.before);

    const UninstallResult result = UninstallAddon(root / "GAME", c.names, root / "BACKUPS");

    EXPECT_EQ(SnapshotOf(root.path()), WithGameAndBackups(c.after));
    EXPECT_EQ(result.deleted, c.deleted);
    EXPECT_EQ(result.passedOver, c.passedOver);
    EXPECT_EQ(result.restored, c.restored);
    EXPECT_TRUE(result.failed.empty());
}

const UninstallCase kUninstallCases[] = {
    {"NamesFoundInAnyCase",
     {{"GAME/plane.flt", "p"}, {"GAME/MAP.TER", "m"}, {"GAME/KEEP.TER", "k"}},
     {"PLANE.FLT", "map.ter"},
     {{"GAME/KEEP.TER", "k"}},
     {"plane.flt", "MAP.TER"},
     {},
     {}},
    {"NameNoLongerThereIsPassedOver",
     {{"GAME/B.TXT", "b"}},
     {"A.TXT", "B.TXT"},
     {},
     {"B.TXT"},
     {"A.TXT"},
     {}},
    {"FoldersAndWhatLinksPointToStay",
     {{"OUTSIDE.TXT", "o"},
      {"GAME/MAPS", "<dir>"},
      {"GAME/MAPS/X.TER", "x"},
      {"GAME/LINK.TXT", "-> ../OUTSIDE.TXT"}},
     {"MAPS", "LINK.TXT"},
     {{"OUTSIDE.TXT", "o"}, {"GAME/MAPS", "<dir>"}, {"GAME/MAPS/X.TER", "x"}},
     {"LINK.TXT"},
     {"MAPS"},
     {}},
    {"NamesReachingOutsideArePassedOver",
     {{"OUTSIDE.TXT", "o"}, {"GAME/A.TXT", "a"}},
     {"../OUTSIDE.TXT", "", ".", "/OUTSIDE.TXT", "A.TXT"},
     {{"OUTSIDE.TXT", "o"}},
     {"A.TXT"},
     {"../OUTSIDE.TXT", "", ".", "/OUTSIDE.TXT"},
     {}},
    {"ProtectedFilesTakenAwayComeBack",
     {{"GAME/EAW.EXE", "addon exe"},
      {"GAME/GRB_031.SND", "addon snd"},
      {"BACKUPS/EAW.EXE", "game exe"},
      {"BACKUPS/EXTRA.SPT", "game spt"}},
     {"eaw.exe", "GRB_031.SND"},
     {{"GAME/EAW.EXE", "game exe"},
      {"GAME/EXTRA.SPT", "game spt"},
      {"BACKUPS/EAW.EXE", "game exe"},
      {"BACKUPS/EXTRA.SPT", "game spt"}},
     {"EAW.EXE", "GRB_031.SND"},
     {},
     {"EAW.EXE", "EXTRA.SPT"}},
    {"ProtectedFilesStillThereAreNotTouched",
     {{"GAME/EAW.EXE", "addon exe"}, {"GAME/A.TXT", "a"}, {"BACKUPS/EAW.EXE", "game exe"}},
     {"A.TXT"},
     {{"GAME/EAW.EXE", "addon exe"}, {"BACKUPS/EAW.EXE", "game exe"}},
     {"A.TXT"},
     {},
     {}},
};

INSTANTIATE_TEST_SUITE_P(Folders, UninstallGolden, testing::ValuesIn(kUninstallCases),
                         [](const auto& info) { return info.param.title; });

TEST(UninstallAddon, EmptyGameFolderChangesNothing) {
    TempFolder root;
    WriteFile(root / "A.TXT", "a");
    const fs::path previous = fs::current_path();
    fs::current_path(root.path());
    const UninstallResult result = UninstallAddon(fs::path(), {"A.TXT"}, root.path());
    fs::current_path(previous);
    EXPECT_TRUE(result.deleted.empty());
    EXPECT_EQ(ReadFile(root / "A.TXT"), "a");
}

TEST(UninstallAddon, UndoesAnInstallWithoutTheArchive) {
    TempFolder root;
    LayOut(root.path(), {{"GAME/EAW.EXE", "game exe"},
                         {"GAME/OTHER.DAT", "mine"},
                         {"BACKUPS/EAW.EXE", "game exe"}});
    MakeZip(root / "LIB" / "NEWEXE.ZIP", {{"bin/eaw.exe", "addon exe"}, {"NEW.DAT", "n"}});
    const UnzipResult installed = InstallAddon(root / "LIB", "NEWEXE", root / "GAME");
    ASSERT_TRUE(installed.ok());
    EXPECT_EQ(ReadFile(root / "GAME" / "EAW.EXE"), "addon exe");
    fs::remove_all(root / "LIB");

    UninstallAddon(root / "GAME", installed.writtenNames, root / "BACKUPS");

    EXPECT_EQ(SnapshotOf(root / "GAME"),
              (FolderSnapshot{{"EAW.EXE", "game exe"}, {"OTHER.DAT", "mine"}}));
}

} // namespace
