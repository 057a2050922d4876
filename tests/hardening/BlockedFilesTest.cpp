#include "CorpusFiles.h"
#include "library/ClearAll.h"
#include "library/UninstallAddon.h"
#include "library/Unzip.h"
#include "platform/IniFile.h"
#include "support/Blocked.h"
#include "support/TempFolder.h"
#include "support/ZipBuilder.h"

#include <functional>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

struct BlockedCase {
    std::string title;
    std::string blocked; // under the root
    // Runs the operation on the root and checks what it reports and leaves.
    std::function<void(const fs::path& root)> runAndCheck;
};

void PrintTo(const BlockedCase& c, std::ostream* out) {
    *out << c.title;
}

class BlockedEntryTest : public testing::TestWithParam<BlockedCase> {};

// GAME/ holds A.DAT, B.DAT, C.DAT and EAW.INI; ADDON.ZIP holds new A, B and C.
TEST_P(BlockedEntryTest, SkipsTheBlockedEntryAndGoesOn) {
    TempFolder root;
    for (const std::string name : {"A.DAT", "B.DAT", "C.DAT"}) {
        WriteFile(root / "GAME" / name, "old " + name);
        WriteFile(root / "BACKUPS" / name, "backup");
    }
    WriteFile(root / "GAME" / "EAW.INI", "[EAW]\r\nK=1\r\n");
    MakeZip(root / "ADDON.ZIP",
            {{"A.DAT", "new A.DAT"}, {"B.DAT", "new B.DAT"}, {"C.DAT", "new C.DAT"}});
    const Blocked guard(root / GetParam().blocked);
    if (!guard.blocked())
        GTEST_SKIP() << "chattr +i is not possible here";

    GetParam().runAndCheck(root.path());

    EXPECT_EQ(LinksAndTemporaries(root.path()), std::vector<std::string>());
}

const BlockedCase kBlockedCases[] = {
    {"ExtractionOverABlockedFile", "GAME/B.DAT",
     [](const fs::path& root) {
         const UnzipResult result = Unzip(root / "ADDON.ZIP", root / "GAME");
         EXPECT_EQ(result.writtenNames, (std::vector<std::string>{"A.DAT", "C.DAT"}));
         EXPECT_EQ(result.status, UnzipResult::Status::SomeNotWritten);
         ASSERT_EQ(result.skipped.size(), 1u);
         EXPECT_TRUE(result.skipped[0].refusedByDestination);
         EXPECT_EQ(ReadFile(root / "GAME" / "B.DAT"), "old B.DAT");
         EXPECT_EQ(ReadFile(root / "GAME" / "C.DAT"), "new C.DAT");
     }},
    {"ExtractionIntoABlockedFolder", "GAME",
     [](const fs::path& root) {
         const UnzipResult result = Unzip(root / "ADDON.ZIP", root / "GAME");
         EXPECT_TRUE(result.writtenNames.empty());
         EXPECT_EQ(result.status, UnzipResult::Status::NothingWritten);
         EXPECT_EQ(result.skipped.size(), 3u);
         EXPECT_EQ(ReadFile(root / "GAME" / "A.DAT"), "old A.DAT");
     }},
    {"ClearAllWithABlockedFile", "GAME/B.DAT",
     [](const fs::path& root) {
         const ClearAllResult result = ClearAll(root / "GAME", root / "BACKUPS", AddonFileRecord());
         EXPECT_EQ(result.failed, std::vector<std::string>{"B.DAT"});
         EXPECT_EQ(result.deleted, (std::vector<std::string>{"A.DAT", "C.DAT"}));
         EXPECT_EQ(ReadFile(root / "GAME" / "B.DAT"), "old B.DAT");
     }},
    {"UninstallWithABlockedFile", "GAME/B.DAT",
     [](const fs::path& root) {
         const UninstallResult result =
             UninstallAddon(root / "GAME", {"A.DAT", "B.DAT", "C.DAT"}, root / "BACKUPS");
         EXPECT_EQ(result.failed, std::vector<std::string>{"B.DAT"});
         EXPECT_EQ(result.deleted, (std::vector<std::string>{"A.DAT", "C.DAT"}));
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
};

INSTANTIATE_TEST_SUITE_P(Operations, BlockedEntryTest, testing::ValuesIn(kBlockedCases),
                         [](const auto& info) { return info.param.title; });

} // namespace
