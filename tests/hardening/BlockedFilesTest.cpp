#include "CorpusFiles.h"
#include "library/CopiesRecord.h"
#include "library/SecurityCopies.h"
#include "library/Unzip.h"
#include "maintenance/AddonDeletion.h"
#include "platform/IniFile.h"
#include "support/Blocked.h"
#include "support/TempFolder.h"
#include "support/ZipBuilder.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;
using Names = std::vector<std::string>;

namespace {

struct BlockedCase {
    std::string title;
    std::string blocked; // GAME, or a file in it or in BACKUPS
    // Runs the operation on the root and checks what it reports and leaves.
    std::function<void(const fs::path& root)> runAndCheck;
};

void PrintTo(const BlockedCase& c, std::ostream* out) {
    *out << c.title;
}

class BlockedEntryTest : public testing::TestWithParam<BlockedCase> {};

// GAME/ holds A.DAT, B.DAT, C.DAT, EAW.INI, EAW.EXE, EXTRA.SPT and the add-on
// ALPHA's files; BACKUPS/ older copies of EAW.EXE and EXTRA.SPT; ADDON.ZIP new A,
// B and C. An uninstall and Clear All in a blocked game folder are
// RefusingGameFolder's.
TEST_P(BlockedEntryTest, SkipsTheBlockedEntryAndGoesOn) {
    TempFolder root;
    for (const std::string name : {"A.DAT", "B.DAT", "C.DAT", "alpha.txt", "alpha.zip"})
        WriteFile(root / "GAME" / name, "old " + name);
    WriteFile(root / "GAME" / "EAW.INI", "[EAW]\r\nK=1\r\n");
    for (const std::string name : {"EAW.EXE", "EXTRA.SPT"}) {
        WriteFile(root / "GAME" / name, "new " + name);
        WriteFile(root / "BACKUPS" / name, "old " + name);
    }
    MakeZip(root / "ADDON.ZIP",
            {{"A.DAT", "new A.DAT"}, {"B.DAT", "new B.DAT"}, {"C.DAT", "new C.DAT"}});
    std::optional<Blocked> file;
    std::optional<BlockedFolder> folder;
    if (GetParam().blocked == "GAME" && !folder.emplace(root / "GAME").blocked())
        GTEST_SKIP() << "the folder still takes new entries: root where chattr +i is not "
                        "possible, or Windows, whose read-only attribute does not guard a folder";
    if (GetParam().blocked != "GAME" && !file.emplace(root / GetParam().blocked).blocked())
        GTEST_SKIP() << "needs root: only chattr +i keeps one file from being replaced while "
                        "its folder takes the others";

    GetParam().runAndCheck(root.path());

    EXPECT_EQ(LinksAndTemporaries(root.path()), Names());
    EXPECT_EQ(ReadFile(root / "GAME" / "B.DAT"), "old B.DAT");
}

const BlockedCase kBlockedCases[] = {
    {"ExtractionOverABlockedFile", "GAME/B.DAT",
     [](const fs::path& root) {
         const UnzipResult result = Unzip(root / "ADDON.ZIP", root / "GAME");
         EXPECT_EQ(result->writtenNames, (Names{"A.DAT", "C.DAT"}));
         EXPECT_EQ(result->status, Extraction::Status::SomeNotWritten);
         ASSERT_EQ(result->skipped.size(), 1u);
         EXPECT_TRUE(result->skipped[0].refusedByDestination);
     }},
    {"ExtractionIntoABlockedFolder", "GAME",
     [](const fs::path& root) {
         const UnzipResult result = Unzip(root / "ADDON.ZIP", root / "GAME");
         EXPECT_EQ(result->status, Extraction::Status::NothingWritten);
         EXPECT_EQ(result->skipped.size(), 3u);
     }},
    {"AddonDeletionInABlockedFolder", "GAME",
     [](const fs::path& root) {
         const AddonDeletionResult result = DeleteAddonFiles(root / "GAME", "ALPHA");
         EXPECT_EQ(result->notDeleted, (Names{"alpha.txt", "alpha.zip"}));
         EXPECT_TRUE(result.why().ends_with("\nThe add-on stays in the library."));
     }},
    {"SettingsWriteToABlockedFile", "GAME/EAW.INI",
     [](const fs::path& root) {
         EXPECT_FALSE(WriteIniValue(root / "GAME" / "EAW.INI", "EAW", "K", "2"));
         EXPECT_EQ(ReadFile(root / "GAME" / "EAW.INI"), "[EAW]\r\nK=1\r\n");
     }},
    {"SettingsWriteInABlockedFolder", "GAME",
     [](const fs::path& root) {
         EXPECT_FALSE(WriteIniValue(root / "GAME" / "EAW.INI", "EAW", "K", "2"));
         EXPECT_EQ(ReadFile(root / "GAME" / "EAW.INI"), "[EAW]\r\nK=1\r\n");
     }},
    // The copies are swapped in one by one: one that cannot be replaced leaves them
    // a mix of two games, which no record may vouch for.
    {"SecurityCopiesOverABlockedCopy", "BACKUPS/EXTRA.SPT",
     [](const fs::path& root) {
         EXPECT_FALSE(TakeSecurityCopies(root / "GAME", root / "BACKUPS").done());
         EXPECT_EQ(CheckCopies(root / "BACKUPS", root / "GAME"), CopiesState::Unrecorded);
         EXPECT_EQ(ReadFile(root / "BACKUPS" / "EXTRA.SPT"), "old EXTRA.SPT");
     }},
};

INSTANTIATE_TEST_SUITE_P(Operations, BlockedEntryTest, testing::ValuesIn(kBlockedCases),
                         [](const auto& info) { return info.param.title; });

} // namespace
