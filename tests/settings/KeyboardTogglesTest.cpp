#include "settings/KeyboardToggles.h"

#include <gtest/gtest.h>

using namespace quorvel;

namespace {

// What checking and unchecking each toggle writes is proven through the settings
// window's check boxes; here the groups themselves.
TEST(KeyboardToggleTable, HasTwentyNineDistinctKeysWithClosestEnemyShared) {
    EXPECT_EQ(DistinctToggleKeys().size(), 29u);
    std::size_t total = 0;
    for (const KeyboardToggle& toggle : kKeyboardToggles) {
        total += toggle.keys.size();
        EXPECT_LE(toggle.restoredKeys, toggle.keys.size()) << toggle.caption;
    }
    EXPECT_EQ(total, 30u);
    EXPECT_EQ(kKeyboardToggles[kClosestEnemyToggle].keys.front(), "TARGET CLOSEST ENEMY");
    EXPECT_EQ(kKeyboardToggles[kEnemyTargetingToggle].keys.back(), "TARGET CLOSEST ENEMY");
    EXPECT_EQ(kKeyboardToggles[kEnemyTargetingToggle].restoredKeys, 2u);
}

} // namespace
