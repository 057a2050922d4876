#pragma once

#include "settings/GameIniFile.h"

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace quorvel {

// The keyboard toggles: checking one blanks its group of Remappable Keys, so the
// game takes those commands away from the keyboard; unchecking it gives back the
// bindings of the security copy of EAW.INI.
struct KeyboardToggle {
    std::string_view caption;
    std::span<const std::string_view> keys; // the first key tells the toggle's state
    std::size_t restoredKeys;               // how many leading keys unchecking gives back
};

// One space: read back it is empty, the same as a missing key.
inline constexpr std::string_view kBlankBinding = " ";

inline constexpr std::array<std::string_view, 12> kExternalViewKeys{"CHASE VIEW",
                                                                    "FLY-BY VIEW",
                                                                    "TRACK VIEW - NEXT PLANE",
                                                                    "TRACK VIEW - PREVIOUS PLANE",
                                                                    "TARGET VIEW",
                                                                    "PLAYER-TO-TARGET VIEW",
                                                                    "TARGET-TO-PLAYER VIEW",
                                                                    "BOMB VIEW",
                                                                    "PLAYER-TO-BOMB VIEW",
                                                                    "BOMB-TO-PLAYER VIEW",
                                                                    "ACTION VIEW",
                                                                    "DOGFIGHT VIEW"};
inline constexpr std::array<std::string_view, 1> kCockpitKeys{"COCKPIT ON/OFF"};
inline constexpr std::array<std::string_view, 1> kRearViewKeys{"SNAPVIEW REAR"};
inline constexpr std::array<std::string_view, 1> kClosestEnemyKeys{"TARGET CLOSEST ENEMY"};
inline constexpr std::array<std::string_view, 3> kEnemyTargetingKeys{
    "TARGET NEXT ENEMY", "TARGET PREVIOUS ENEMY", "TARGET CLOSEST ENEMY"};
inline constexpr std::array<std::string_view, 3> kFriendlyTargetingKeys{
    "TARGET NEXT FRIENDLY", "TARGET PREVIOUS FRIENDLY", "TARGET CLOSEST FRIENDLY"};
inline constexpr std::array<std::string_view, 4> kGroundTargetingKeys{
    "TARGET NEXT GROUND", "TARGET PREVIOUS GROUND", "TARGET BEST GROUND", "TARGET CLOSEST RUNWAY"};
inline constexpr std::array<std::string_view, 5> kScreenIconKeys{
    "TARGET INFO DISPLAY ON/OFF", "TARGET DIRECTOR DISPLAY ON/OFF", "TARGET BOX DISPLAY ON/OFF",
    "TARGET ID DISPLAY ON/OFF", "TARGET RANGE DISPLAY ON/OFF"};

// The eight toggles in window order (Check6 to Check13).
inline constexpr std::array<KeyboardToggle, 8> kKeyboardToggles{{
    {"1 - External Wiews Enabled", kExternalViewKeys, kExternalViewKeys.size()},
    {"2 - Cockpit Wiew Toggle Enabled", kCockpitKeys, kCockpitKeys.size()},
    {"3 - Free Rear Wiew Enable", kRearViewKeys, kRearViewKeys.size()},
    {"4 - Target Closest Enemy Enable", kClosestEnemyKeys, kClosestEnemyKeys.size()},
    // TARGET CLOSEST ENEMY belongs to the closest-enemy toggle, which gives it back.
    {"5 - Enemy Icons/Padlock Enable", kEnemyTargetingKeys, 2},
    {"6 - Friendly Icons/Padlock Enable", kFriendlyTargetingKeys, kFriendlyTargetingKeys.size()},
    {"7 - Ground Object/Padlock Enable", kGroundTargetingKeys, kGroundTargetingKeys.size()},
    {"8 - Icons for Object in Screen Wiew Enable", kScreenIconKeys, kScreenIconKeys.size()},
}};

inline constexpr std::size_t kClosestEnemyToggle = 3;   // Check9
inline constexpr std::size_t kEnemyTargetingToggle = 4; // Check10

// A toggle shows checked when the first key of its group reads empty.
bool ToggleReadsChecked(const GameIniFile& file, std::size_t toggle);

// Carries out a toggle's change of state: checking blanks its whole group;
// unchecking reads every restored key from the security copy first and then
// writes them in order (a key the copy lacks is written empty). Unchecking
// closest enemy while enemy targeting is checked writes nothing and asks for it
// to be checked again. Returns whether the closest-enemy toggle must now be checked
// (while enemy targeting is off, closest enemy cannot be on); a failed write shows
// in the file's write failure.
bool ApplyToggle(GameIniFile& file, std::size_t toggle, bool checked, bool enemyTargetingChecked);

} // namespace quorvel
