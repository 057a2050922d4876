#include "settings/KeyboardToggles.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace quorvel;
using quorvel::test::ReadFile;
using quorvel::test::TempFolder;
using quorvel::test::WriteFile;

namespace {

// A Remappable Keys section binding every key of the toggles to "<key> binding".
std::string boundSection() {
    std::string text = "[Remappable Keys]\r\n";
    for (const std::string_view key : DistinctToggleKeys())
        text += std::string(key) + "=" + std::string(key) + " binding\r\n";
    return text;
}

class KeyboardTogglesTest : public testing::TestWithParam<std::size_t> {
protected:
    void SetUp() override {
        WriteFile(game / "EAW.INI", boundSection());
        WriteFile(backup / "EAW.INI", boundSection());
    }
    std::string read(std::string_view key) const {
        return file.read({kRemappableKeysSection, key});
    }
    TempFolder game;
    TempFolder backup;
    GameIniFile file{game / "EAW.INI", backup / "EAW.INI"};
};

TEST(KeyboardToggleTable, HasTwentyNineDistinctKeysWithClosestEnemyShared) {
    const auto keys = DistinctToggleKeys();
    EXPECT_EQ(keys.size(), 29u);
    std::size_t total = 0;
    for (const KeyboardToggle& toggle : kKeyboardToggles)
        total += toggle.keys.size();
    EXPECT_EQ(total, 30u);
    EXPECT_EQ(kKeyboardToggles[kClosestEnemyToggle].keys.front(), "TARGET CLOSEST ENEMY");
    EXPECT_EQ(kKeyboardToggles[kEnemyTargetingToggle].keys.back(), "TARGET CLOSEST ENEMY");
}

TEST_P(KeyboardTogglesTest, CheckingBlanksTheGroupAndUncheckingRestoresItFromTheCopy) {
    const std::size_t toggle = GetParam();
    const KeyboardToggle& group = kKeyboardToggles[toggle];
    EXPECT_FALSE(ToggleReadsChecked(file, toggle));

    EXPECT_TRUE(ApplyToggle(file, toggle, true, false).allWritten);
    ASSERT_EQ(file.writes().size(), group.keys.size());
    for (std::size_t i = 0; i < group.keys.size(); ++i) {
        EXPECT_EQ(file.writes()[i].key, group.keys[i]);
        EXPECT_EQ(file.writes()[i].value, " ");
        EXPECT_EQ(read(group.keys[i]), ""); // a blank binding reads back empty
    }
    EXPECT_TRUE(ToggleReadsChecked(file, toggle));

    // The game's bindings changed since the copy was taken: the copy's come back.
    WriteFile(backup / "EAW.INI",
              "[Remappable Keys]\r\n" + std::string(group.keys.front()) + "=copied\r\n");
    const std::size_t before = file.writes().size();
    ApplyToggle(file, toggle, false, false);
    ASSERT_EQ(file.writes().size() - before, group.restoredKeys);
    for (std::size_t i = 0; i < group.restoredKeys; ++i) {
        const IniWrite& write = file.writes()[before + i];
        EXPECT_EQ(write.key, group.keys[i]);
        EXPECT_EQ(write.value, i == 0 ? "copied" : "") << "a key the copy lacks comes back empty";
        EXPECT_EQ(write.copyReadsBefore, group.restoredKeys) << "the whole group is read first";
    }
}

INSTANTIATE_TEST_SUITE_P(EightToggles, KeyboardTogglesTest, testing::Range<std::size_t>(0, 8));

TEST_F(KeyboardTogglesTest, ClosestEnemyCannotBeUncheckedWhileEnemyTargetingIsChecked) {
    const ToggleOutcome outcome = ApplyToggle(file, kClosestEnemyToggle, false, true);
    EXPECT_TRUE(outcome.checkClosestEnemy);
    EXPECT_TRUE(file.writes().empty());

    EXPECT_FALSE(ApplyToggle(file, kClosestEnemyToggle, false, false).checkClosestEnemy);
    ASSERT_EQ(file.writes().size(), 1u);
    EXPECT_EQ(file.writes()[0].key, "TARGET CLOSEST ENEMY");
    EXPECT_EQ(file.writes()[0].value, "TARGET CLOSEST ENEMY binding");
}

TEST_F(KeyboardTogglesTest, EnemyTargetingBlanksClosestEnemyButDoesNotRestoreIt) {
    EXPECT_TRUE(ApplyToggle(file, kEnemyTargetingToggle, true, false).checkClosestEnemy);
    EXPECT_EQ(read("TARGET CLOSEST ENEMY"), "");
    EXPECT_FALSE(ApplyToggle(file, kEnemyTargetingToggle, false, false).checkClosestEnemy);
    EXPECT_EQ(read("TARGET NEXT ENEMY"), "TARGET NEXT ENEMY binding");
    EXPECT_EQ(read("TARGET PREVIOUS ENEMY"), "TARGET PREVIOUS ENEMY binding");
    EXPECT_EQ(read("TARGET CLOSEST ENEMY"), "");
}

TEST_F(KeyboardTogglesTest, WithoutASecurityCopyKeysAreRestoredAsEmptyText) {
    GameIniFile noCopy(game / "EAW.INI", {});
    ApplyToggle(noCopy, 1, false, false);
    EXPECT_NE(ReadFile(game / "EAW.INI").find("COCKPIT ON/OFF=\r\n"), std::string::npos);
    EXPECT_TRUE(ToggleReadsChecked(noCopy, 1));
}

} // namespace
