#include "settings/GameIniFile.h"
#include "settings/SettingGroups.h"
#include "support/CurrentFolder.h"
#include "support/TempFolder.h"
#include "support/WindowsSkips.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using quorvel::test::CurrentFolder;
using quorvel::test::ReadFile;
using quorvel::test::TempFolder;
using quorvel::test::WriteFile;

namespace {

TEST(NetworkPresets, TheStoredRateIsComparedAsText) {
    const std::pair<const char*, std::size_t> cases[] = {
        {"350", 0}, {"200", 1}, {"140", 2}, {"0350", 2}, {"350.0", 2}, {"", 2}, {"35", 2}};
    for (const auto& [stored, preset] : cases)
        EXPECT_EQ(PresetForStoredRate(stored), preset) << stored;
}

// Reads within a batch see its writes; the file changes once, at its end, or, when it
// cannot be replaced, not at all, and the failure is kept to be told. Outside a batch
// a write tells whether the file took it. Windows' read-only attribute is cleared, as
// for the game's own file; a file without write permission elsewhere is refused.
TEST(GameIniFile, BatchReplacesTheFileOnceAtItsEnd) {
    TempFolder game;
    const std::string before = "[EAW]\r\nPlayerPilotName=Old\r\n";
    for (const bool writable : {true, false}) {
        WriteFile(game / "EAW.INI", before);
        fs::permissions(game / "EAW.INI", writable ? fs::perms::owner_read | fs::perms::owner_write
                                                   : fs::perms::owner_read);
        GameIniFile file(game / "EAW.INI", {});
        {
            const GameIniFile::Batch batch(file);
            EXPECT_TRUE(file.write(kPlayerPilotName, "New"));
            EXPECT_TRUE(file.write(kExtraSquads, "2"));
            EXPECT_EQ(file.read(kPlayerPilotName), "New");
            EXPECT_EQ(ReadFile(game / "EAW.INI"), before);
        }
        const bool takes = writable || test::kOnWindows;
        EXPECT_EQ(ReadFile(game / "EAW.INI"),
                  takes ? "[EAW]\r\nPlayerPilotName=New\r\nExtraSquads=2\r\n" : before);
        EXPECT_EQ(file.takeWriteFailure(), !takes);
        EXPECT_EQ(file.write(kExtraSquads, "3"), takes);
        EXPECT_EQ(file.takeWriteFailure(), !takes);
    }
}

// An unset game or backup folder never reads or writes an EAW.INI in the current folder.
TEST(GameIniFile, FromPathsLeavesEmptyFoldersEmpty) {
    TempFolder folder;
    WriteFile(folder / "EAW.INI", "[EAW]\r\nPlayerPilotName=Here\r\n");
    const CurrentFolder current(folder.path());
    GameIniFile file = GameIniFile::FromPaths(PathVariables{});
    EXPECT_FALSE(file.configured());
    EXPECT_EQ(file.read(kPlayerPilotName), "");
    EXPECT_EQ(file.readSecurityCopy(kPlayerPilotName), "");
    EXPECT_FALSE(file.write(kPlayerPilotName, "Ace"));
    EXPECT_EQ(ReadFile(folder / "EAW.INI"), "[EAW]\r\nPlayerPilotName=Here\r\n");
}

} // namespace
