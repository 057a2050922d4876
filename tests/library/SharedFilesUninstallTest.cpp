#include "library/SharedFilesUninstall.h"

#include "FolderSnapshot.h"
#include "library/InstallAddon.h"
#include "support/TempFolder.h"
#include "support/ZipBuilder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;
using Strings = std::vector<std::string>;

namespace {

// Add-ons A, B and C are graphics (any number installed); F is a flight model.
const std::map<std::string, std::size_t> kCategoryOf{{"A", 4}, {"B", 4}, {"C", 4}, {"F", 0}};

struct SharingCase {
    std::string title;
    std::vector<std::pair<std::string, FolderSnapshot>> installs; // in install order
    Strings archivesGone;                                         // deleted before the uninstalls
    Strings uninstalls;                                           // in this order
    FolderSnapshot game;                                          // the game folder afterwards
    Strings lost;                                                 // "ADDON FILE"
};

void PrintTo(const SharingCase& c, std::ostream* out) {
    *out << c.title;
}

class SharedFilesUninstall : public testing::TestWithParam<SharingCase> {};

TEST_P(SharedFilesUninstall, LeavesTheOtherInstalledAddonsWhole) {
    const SharingCase& c = GetParam();
    TempFolder root;
    std::array<fs::path, kCategoryCount> libraries;
    for (std::size_t category = 0; category < kCategoryCount; ++category)
        libraries[category] = root / ("LIB" + std::to_string(category));
    LayOut(root.path(), {{"GAME/OWN.TXT", "the player's"}, {"BACKUPS", "<dir>"}});
    InstalledAddons installed;
    for (const auto& [name, files] : c.installs) {
        std::vector<ZipEntry> members;
        for (const auto& [file, data] : files)
            members.push_back({file, data});
        const std::size_t category = kCategoryOf.at(name);
        MakeZip(libraries[category] / (name + ".zip"), members);
        const UnzipResult result = InstallAddon(libraries[category], name, root / "GAME");
        ASSERT_TRUE(result.ok()) << result.description;
        installed.add({category, name}, result.writtenNames);
    }
    for (const std::string& name : c.archivesGone)
        fs::remove(libraries[kCategoryOf.at(name)] / (name + ".zip"));

    Strings lost;
    for (const std::string& name : c.uninstalls) {
        const auto result = UninstallSharingFiles(installed, {kCategoryOf.at(name), name},
                                                  root / "GAME", libraries, root / "BACKUPS");
        for (const LostFile& file : result.lost)
            lost.push_back(file.addonName + " " + file.fileName);
        EXPECT_EQ(installed.find({kCategoryOf.at(name), name}), nullptr);
    }

    FolderSnapshot expected = c.game;
    expected["OWN.TXT"] = "the player's";
    EXPECT_EQ(SnapshotOf(root / "GAME"), expected);
    EXPECT_EQ(lost, c.lost);
}

const FolderSnapshot kA{{"SHARED.TPC", "a"}, {"a.pic", "a"}, {"both.cpt", "a"}};
const FolderSnapshot kB{{"shared.tpc", "b"}, {"B.PIC", "b"}, {"BOTH.CPT", "b"}};
const FolderSnapshot kC{{"Shared.Tpc", "c"}};

const SharingCase kCases[] = {
    {"FirstOfTwoLeavesTheSecondsBytes",
     {{"A", kA}, {"B", kB}},
     {},
     {"A"},
     {{"SHARED.TPC", "b"}, {"B.PIC", "b"}, {"both.cpt", "b"}},
     {}},
    {"SecondOfTwoPutsTheFirstsBack",
     {{"A", kA}, {"B", kB}},
     {},
     {"B"},
     {{"SHARED.TPC", "a"}, {"a.pic", "a"}, {"both.cpt", "a"}},
     {}},
    {"BothInEitherOrderLeaveNothing", {{"A", kA}, {"B", kB}}, {}, {"B", "A"}, {}, {}},
    {"ThreeLastFirst",
     {{"A", kA}, {"B", kB}, {"C", kC}},
     {},
     {"C"},
     {{"SHARED.TPC", "b"}, {"a.pic", "a"}, {"B.PIC", "b"}, {"both.cpt", "b"}},
     {}},
    {"ThreeMiddleFirst",
     {{"A", kA}, {"B", kB}, {"C", kC}},
     {},
     {"B"},
     {{"SHARED.TPC", "c"}, {"a.pic", "a"}, {"both.cpt", "a"}},
     {}},
    {"ThreeMiddleThenLast",
     {{"A", kA}, {"B", kB}, {"C", kC}},
     {},
     {"B", "C"},
     {{"SHARED.TPC", "a"}, {"a.pic", "a"}, {"both.cpt", "a"}},
     {}},
    {"ThreeFirstThenLast",
     {{"A", kA}, {"B", kB}, {"C", kC}},
     {},
     {"A", "C"},
     {{"SHARED.TPC", "b"}, {"B.PIC", "b"}, {"both.cpt", "b"}},
     {}},
    {"ThreeAcrossCategories",
     {{"A", kA}, {"F", kC}, {"B", kB}},
     {},
     {"B", "A"},
     {{"SHARED.TPC", "c"}},
     {}},
    {"RemainingArchiveGoneDeletesAndTells",
     {{"A", kA}, {"B", kB}},
     {"A"},
     {"B"},
     {{"a.pic", "a"}},
     {"A both.cpt", "A SHARED.TPC"}},
    {"RemainingArchiveNoLongerHoldingTheFile",
     {{"A", {{"SHARED.TPC", "a"}}}, {"B", kB}},
     {},
     {"B"},
     {{"SHARED.TPC", "a"}},
     {}},
    {"OneAddonDeletesAllItWrote", {{"F", kA}}, {}, {"F"}, {}, {}},
};

INSTANTIATE_TEST_SUITE_P(Orders, SharedFilesUninstall, testing::ValuesIn(kCases),
                         [](const auto& info) { return info.param.title; });

// The archive of the add-on that keeps the file was replaced by one without it.
TEST(SharedFilesUninstall, AMemberNoLongerInTheArchiveIsDeletedAndTold) {
    TempFolder root;
    std::array<fs::path, kCategoryCount> libraries;
    libraries[4] = root / "GRAPHICS";
    LayOut(root.path(), {{"GAME", "<dir>"}, {"BACKUPS", "<dir>"}});
    MakeZip(libraries[4] / "A.zip", {{"SHARED.TPC", "a"}});
    MakeZip(libraries[4] / "B.zip", {{"SHARED.TPC", "b"}});
    InstalledAddons installed;
    for (const char* name : {"A", "B"})
        installed.add({4, name}, InstallAddon(libraries[4], name, root / "GAME").writtenNames);
    MakeZip(libraries[4] / "A.zip", {{"OTHER.TPC", "a"}});

    const auto result =
        UninstallSharingFiles(installed, {4, "B"}, root / "GAME", libraries, root / "BACKUPS");

    EXPECT_EQ(SnapshotOf(root / "GAME"), FolderSnapshot());
    EXPECT_EQ(
        LostFilesText(result.lost),
        "SHARED.TPC of A could not be put back and is deleted: its archive no longer holds it");
    EXPECT_TRUE(installed.find({4, "A"})->writtenNames.empty());
}

} // namespace
