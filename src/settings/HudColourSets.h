#pragma once

#include "settings/GameIniFile.h"

#include <array>
#include <optional>
#include <string_view>

namespace quorvel {

// The two HUD colour sets of DISPLAY, each with its red, green and blue part.
struct HudColourSet {
    std::string_view caption;
    std::array<IniEntry, 3> parts;
};

inline constexpr HudColourSet kFriendlyHud{"Friendly HUD",
                                           {{{kDisplaySection, "HudColor_Green_R"},
                                             {kDisplaySection, "HudColor_Green_G"},
                                             {kDisplaySection, "HudColor_Green_B"}}}};
inline constexpr HudColourSet kEnemyHud{"Enemy HUD",
                                        {{{kDisplaySection, "HudColor_Red_R"},
                                          {kDisplaySection, "HudColor_Red_G"},
                                          {kDisplaySection, "HudColor_Red_B"}}}};

// The game accepts 256 as a part; the swatch shows it as 255.
inline constexpr int kColourPartMax = 256;

using StoredColourParts = std::array<std::optional<int>, 3>;

// The three stored parts; a part that is missing or not a whole number from 0 to
// 256 comes back as nothing.
StoredColourParts ReadHudColourSet(const GameIniFile& file, const HudColourSet& set);

// Whether every part of a reading could be read.
bool IsComplete(const StoredColourParts& parts);

// Writes R, G and B as whole numbers, in this order; a part given as nothing is
// left as stored. Returns whether every part given was written.
bool WriteHudColourSet(GameIniFile& file, const HudColourSet& set, const StoredColourParts& parts);

// A part as the swatch shows it: anything above 255 counts as 255.
int SwatchPart(int part);

} // namespace quorvel
