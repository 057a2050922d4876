#include "settings/HudColourSets.h"
#include "settings/NetworkPresets.h"
#include "settings/Resolutions.h"
#include "support/CurrentFolder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using quorvel::test::CurrentFolder;
using quorvel::test::ReadFile;
using quorvel::test::TempFolder;
using quorvel::test::WriteFile;

namespace {

std::vector<std::string> writtenAs(const GameIniFile& file) {
    std::vector<std::string> lines;
    for (const IniWrite& write : file.writes())
        lines.push_back(write.section + "/" + write.key + "=" + write.value);
    return lines;
}

struct RateCase {
    const char* stored;
    std::size_t preset;
};

class PresetForStoredRateTest : public testing::TestWithParam<RateCase> {};

TEST_P(PresetForStoredRateTest, ComparesTheTextNotItsNumber) {
    EXPECT_EQ(PresetForStoredRate(GetParam().stored), GetParam().preset);
}

INSTANTIATE_TEST_SUITE_P(Rates, PresetForStoredRateTest,
                         testing::Values(RateCase{"350", 0}, RateCase{"200", 1}, RateCase{"140", 2},
                                         RateCase{"0350", 2}, RateCase{"350.0", 2}, RateCase{"", 2},
                                         RateCase{"35", 2}));

class SettingsWritesTest : public testing::Test {
protected:
    TempFolder game;
    GameIniFile file{game / "EAW.INI", {}};
};

// Reads within a batch see its writes; the file changes once, at its end, or,
// when it cannot be replaced, not at all and every write of the batch says so.
TEST_F(SettingsWritesTest, BatchReplacesTheFileOnceAtItsEnd) {
    const std::string before = "[EAW]\r\nPlayerPilotName=Old\r\n";
    for (const bool writable : {true, false}) {
        WriteFile(game / "EAW.INI", before);
        fs::permissions(game / "EAW.INI", writable ? fs::perms::owner_read | fs::perms::owner_write
                                                   : fs::perms::owner_read);
        GameIniFile batched(game / "EAW.INI", {});
        {
            const GameIniFile::Batch batch(batched);
            EXPECT_TRUE(batched.write(kPlayerPilotName, "New"));
            EXPECT_TRUE(batched.write(kExtraSquads, "2"));
            EXPECT_EQ(batched.read(kPlayerPilotName), "New");
            EXPECT_EQ(ReadFile(game / "EAW.INI"), before);
        }
        EXPECT_EQ(ReadFile(game / "EAW.INI"),
                  writable ? "[EAW]\r\nPlayerPilotName=New\r\nExtraSquads=2\r\n" : before);
        for (const IniWrite& write : batched.writes())
            EXPECT_EQ(write.written, writable) << write.key;
    }
}

TEST_F(SettingsWritesTest, EachPresetIsWrittenWholeInColumnOrder) {
    const std::vector<std::vector<std::string>> expected{
        {"NETOPTION/AI_PlaneUpdateRate=350", "NETOPTION/PlayerPlaneUpdateRate=35",
         "NETOPTION/ClockSyncRate=140"},
        {"NETOPTION/AI_PlaneUpdateRate=200", "NETOPTION/PlayerPlaneUpdateRate=20",
         "NETOPTION/ClockSyncRate=80"},
        {"NETOPTION/AI_PlaneUpdateRate=140", "NETOPTION/PlayerPlaneUpdateRate=14",
         "NETOPTION/ClockSyncRate=70"}};
    WriteFile(game / "EAW.INI", "[NETOPTION]\r\nAI_PlaneUpdateRate=140\r\n");
    for (std::size_t preset = 0; preset < kNetworkPresets.size(); ++preset) {
        GameIniFile fresh(game / "EAW.INI", {});
        EXPECT_TRUE(WriteNetworkPreset(fresh, preset));
        EXPECT_EQ(writtenAs(fresh), expected[preset]) << kNetworkPresets[preset].caption;
    }
}

TEST_F(SettingsWritesTest, ResolutionsAreWrittenByItemPositionWidthFirst) {
    const std::vector<std::pair<const char*, const char*>> expected{
        {"640", "480"},  {"800", "600"},   {"1024", "768"}, {"1152", "864"},
        {"1280", "960"}, {"1280", "1024"}, {"1600", "1200"}};
    ASSERT_EQ(kResolutions.size(), expected.size());
    for (std::size_t item = 0; item < expected.size(); ++item) {
        GameIniFile fresh(game / "EAW.INI", {});
        EXPECT_TRUE(WriteResolution(fresh, item));
        EXPECT_EQ(writtenAs(fresh), (std::vector<std::string>{
                                        std::string("GRAPHICS/width=") + expected[item].first,
                                        std::string("GRAPHICS/height=") + expected[item].second}));
        EXPECT_EQ(StoredResolutionText(fresh), kResolutions[item].itemText);
    }
}

TEST_F(SettingsWritesTest, ColourSetsReadBadPartsAsNothingAndWriteTheirOwnKeys) {
    WriteFile(game / "EAW.INI", "[DISPLAY]\r\nHudColor_Green_R=256\r\nHudColor_Green_G=x\r\n"
                                "HudColor_Red_R=10\r\nHudColor_Red_G=20\r\nHudColor_Red_B=30\r\n");
    const StoredColourParts green = ReadHudColourSet(file, kFriendlyHud);
    EXPECT_EQ(green, (StoredColourParts{256, std::nullopt, std::nullopt}));
    EXPECT_FALSE(IsComplete(green));
    EXPECT_EQ(ReadHudColourSet(file, kEnemyHud), (StoredColourParts{10, 20, 30}));

    EXPECT_TRUE(WriteHudColourSet(file, kEnemyHud, {1, 2, 256}));
    EXPECT_TRUE(WriteHudColourSet(file, kFriendlyHud, {7, std::nullopt, 9}));
    EXPECT_EQ(writtenAs(file),
              (std::vector<std::string>{"DISPLAY/HudColor_Red_R=1", "DISPLAY/HudColor_Red_G=2",
                                        "DISPLAY/HudColor_Red_B=256", "DISPLAY/HudColor_Green_R=7",
                                        "DISPLAY/HudColor_Green_B=9"}));
    EXPECT_NE(ReadFile(game / "EAW.INI").find("HudColor_Green_G=x\r\n"), std::string::npos);
    EXPECT_EQ(SwatchPart(256), 255);
    EXPECT_EQ(SwatchPart(255), 255);
    EXPECT_EQ(SwatchPart(0), 0);
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
