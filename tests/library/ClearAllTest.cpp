#include "library/ClearAll.h"

#include "FolderSnapshot.h"
#include "library/GameFileTypes.h"
#include "support/TempFolder.h"
#include "support/WindowsSkips.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;
using Strings = std::vector<std::string>;

namespace {

TEST(GameFileTypes, MatchesTheExtensionsInAnyCaseOnly) {
    const std::vector<std::pair<std::string, std::optional<std::size_t>>> cases{
        {"MAP.TPC", 0},
        {"map.tpc", 0},
        {"Plane.3dz", 1},
        {"x.Hm", 20},
        {"EXTRA.SPT", 15},
        {".TPC", 0},
        {"A.B.WSP", 19},
        {"X.HMM", std::nullopt},
        {"TPC", std::nullopt},
        {"X.TPC.BAK", std::nullopt},
        {"EAW.EXE", std::nullopt},
        {"EAW.INI", std::nullopt}};
    for (const auto& [name, mask] : cases)
        EXPECT_EQ(GameFileMaskIndex(name), mask) << name;
}

// GAME/, BACKUPS/ and anything beside them under one root.
struct ClearAllCase {
    std::string title;
    FolderSnapshot before;
    FolderSnapshot after;
    Strings deleted;
    Strings kept;
    Strings restored;
    bool withoutBackupFolder = false;
    Strings addonFiles = {}; // what add-ons wrote this run
};

void PrintTo(const ClearAllCase& c, std::ostream* out) {
    *out << c.title;
}

class ClearAllGolden : public testing::TestWithParam<ClearAllCase> {};

TEST_P(ClearAllGolden, LeavesTheExpectedFolders) {
    const ClearAllCase& c = GetParam();
    if (const char* reason = WhyNotOnWindows(c.before); kOnWindows && reason)
        GTEST_SKIP() << reason;
    TempFolder root;
    LayOutGameAndBackups(root.path(), c.before);

    AddonFileRecord addonFiles;
    addonFiles.wrote(c.addonFiles);
    const ClearAllResult result =
        ClearAll(root / "GAME", c.withoutBackupFolder ? fs::path() : root / "BACKUPS", addonFiles);

    EXPECT_EQ(SnapshotOf(root.path()), WithGameAndBackups(c.after));
    EXPECT_EQ(result.deleted, c.deleted);
    EXPECT_EQ(result.kept, c.kept);
    EXPECT_EQ(result.restored, c.restored);
    EXPECT_TRUE(result.failed.empty());
}

const FolderSnapshot kSecurityCopies{{"BACKUPS/EAW.EXE", "game exe"},
                                     {"BACKUPS/EAW.INI", "game ini"},
                                     {"BACKUPS/EXTRA.SPT", "game spt"},
                                     {"BACKUPS/GRB_031.SND", "game snd"}};

FolderSnapshot with(FolderSnapshot entries, const FolderSnapshot& more) {
    entries.insert(more.begin(), more.end());
    return entries;
}

const ClearAllCase kClearAllCases[] = {
    {"DeletesByMaskOrderInAnyCaseAndRestores",
     with(kSecurityCopies, {{"GAME/z.hm", "1"},
                            {"GAME/B.3dz", "2"},
                            {"GAME/a.TPC", "3"},
                            {"GAME/Z.TPC", "4"},
                            {"GAME/EAW.EXE", "addon exe"},
                            {"GAME/EXTRA.SPT", "addon spt"},
                            {"GAME/EAW.INI", "edited ini"},
                            {"GAME/X.HMM", "5"},
                            {"GAME/NOTES.TXT", "6"}}),
     with(kSecurityCopies, {{"GAME/EAW.EXE", "game exe"},
                            {"GAME/EXTRA.SPT", "game spt"},
                            {"GAME/GRB_031.SND", "game snd"},
                            {"GAME/EAW.INI", "edited ini"},
                            {"GAME/X.HMM", "5"},
                            {"GAME/NOTES.TXT", "6"}}),
     {"a.TPC", "Z.TPC", "B.3dz", "z.hm"},
     {},
     {"EAW.EXE", "EXTRA.SPT", "GRB_031.SND"}},
    {"EveryOneOfTheMasks",
     [] {
         FolderSnapshot game;
         for (const std::string_view mask : kGameFileMasks)
             game["GAME/F" + std::string(mask.substr(1))] = "x";
         return game;
     }(),
     {},
     [] {
         Strings names;
         for (const std::string_view mask : kGameFileMasks)
             names.push_back("F" + std::string(mask.substr(1)));
         return names;
     }(),
     {},
     {}},
    {"FoldersSubfoldersAndLinkTargetsStay",
     {{"OUTSIDE.TER", "o"},
      {"GAME/MAPS.DAT", "<dir>"},
      {"GAME/MAPS.DAT/IN.DAT", "i"},
      {"GAME/SUB", "<dir>"},
      {"GAME/SUB/DEEP.TPC", "d"},
      {"GAME/LINK.TER", "-> ../OUTSIDE.TER"}},
     {{"OUTSIDE.TER", "o"},
      {"GAME/MAPS.DAT", "<dir>"},
      {"GAME/MAPS.DAT/IN.DAT", "i"},
      {"GAME/SUB", "<dir>"},
      {"GAME/SUB/DEEP.TPC", "d"}},
     {"LINK.TER"},
     {},
     {}},
    {"ProtectedFileAsLinkIsReplacedNotWrittenThrough",
     with(kSecurityCopies, {{"OUTSIDE.EXE", "o"}, {"GAME/EAW.EXE", "-> ../OUTSIDE.EXE"}}),
     with(kSecurityCopies, {{"OUTSIDE.EXE", "o"},
                            {"GAME/EAW.EXE", "game exe"},
                            {"GAME/EXTRA.SPT", "game spt"},
                            {"GAME/GRB_031.SND", "game snd"}}),
     {},
     {},
     {"EAW.EXE", "EXTRA.SPT", "GRB_031.SND"}},
    {"ProtectedFileWithoutCopyIsKept",
     {{"BACKUPS/EAW.EXE", "game exe"},
      {"GAME/EXTRA.SPT", "game spt"},
      {"GAME/grb_031.snd", "game snd"},
      {"GAME/OTHER.SPT", "addon"}},
     {{"BACKUPS/EAW.EXE", "game exe"},
      {"GAME/EAW.EXE", "game exe"},
      {"GAME/EXTRA.SPT", "game spt"},
      {"GAME/grb_031.snd", "game snd"}},
     {"OTHER.SPT"},
     {"EXTRA.SPT", "grb_031.snd"},
     {"EAW.EXE"}},
    {"ProtectedFileOfOtherCaseIsReplacedNotDoubled",
     with(kSecurityCopies, {{"GAME/extra.spt", "addon spt"}}),
     with(kSecurityCopies, {{"GAME/extra.spt", "game spt"},
                            {"GAME/EAW.EXE", "game exe"},
                            {"GAME/GRB_031.SND", "game snd"}}),
     {},
     {},
     {"EAW.EXE", "EXTRA.SPT", "GRB_031.SND"}},
    {"NoBackupFolderKeepsProtectedFiles",
     {{"GAME/EXTRA.SPT", "game spt"}, {"GAME/A.SPT", "a"}, {"GAME/EAW.EXE", "exe"}},
     {{"GAME/EXTRA.SPT", "game spt"}, {"GAME/EAW.EXE", "exe"}},
     {"A.SPT"},
     {"EXTRA.SPT"},
     {},
     true},
    {"AddonsProtectedFileWithoutCopyIsDeletedTheGamesKept",
     {{"BACKUPS/EAW.EXE", "game exe"},
      {"GAME/EXTRA.SPT", "game spt"},
      {"GAME/grb_031.snd", "addon snd"},
      {"GAME/A.TPC", "addon"}},
     {{"BACKUPS/EAW.EXE", "game exe"},
      {"GAME/EAW.EXE", "game exe"},
      {"GAME/EXTRA.SPT", "game spt"}},
     {"A.TPC", "grb_031.snd"},
     {"EXTRA.SPT"},
     {"EAW.EXE"},
     false,
     {"A.TPC", "GRB_031.SND", "README.TXT"}},
};

INSTANTIATE_TEST_SUITE_P(Folders, ClearAllGolden, testing::ValuesIn(kClearAllCases),
                         [](const auto& info) { return info.param.title; });

TEST(ClearAll, EmptyGameFolderIsNeverTheCurrentFolder) {
    TempFolder root;
    LayOut(root.path(), {{"MAP.TPC", "m"}, {"BACKUPS/EAW.EXE", "e"}});
    const fs::path previous = fs::current_path();
    fs::current_path(root.path());
    const ClearAllResult result = ClearAll(fs::path(), root / "BACKUPS", AddonFileRecord());
    fs::current_path(previous);
    EXPECT_TRUE(result.deleted.empty());
    EXPECT_TRUE(result.restored.empty());
    EXPECT_EQ(SnapshotOf(root.path()),
              (FolderSnapshot{{"MAP.TPC", "m"}, {"BACKUPS", "<dir>"}, {"BACKUPS/EAW.EXE", "e"}}));
}

TEST(ClearAll, ReportsProgressUpToTheEnd) {
    TempFolder root;
    LayOut(root.path(), {{"GAME/A.TPC", "a"}, {"GAME/B.HM", "b"}});
    std::vector<std::pair<std::size_t, std::size_t>> calls;
    ClearAll(root / "GAME", root / "BACKUPS", AddonFileRecord(),
             [&calls](std::size_t done, std::size_t total) { calls.emplace_back(done, total); });
    EXPECT_EQ(calls, (std::vector<std::pair<std::size_t, std::size_t>>{{1, 3}, {2, 3}, {3, 3}}));
}

} // namespace
