#pragma once

#include "settings/GameIniFile.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// The settings of which one choice writes several keys together: the screen
// resolution, the network preset and the HUD colours.

// The resolutions of the list (Combo1's items "640x480" ... in this order); an
// item's position decides what is written, its text is never parsed.
struct Resolution {
    std::string_view width;
    std::string_view height;
};

inline constexpr std::array<Resolution, 7> kResolutions{{
    {"640", "480"},
    {"800", "600"},
    {"1024", "768"},
    {"1152", "864"},
    {"1280", "960"},
    {"1280", "1024"},
    {"1600", "1200"},
}};

// The stored resolution as the list's edit field shows it: width, "x", height.
std::string StoredResolutionText(const GameIniFile& file);

// Writes width, then height, of the resolution at `item`; a failed write shows in
// the file's write failure.
void WriteResolution(GameIniFile& file, std::size_t item);

// The network sync presets of NETOPTION; a preset is always written whole.
struct NetworkPreset {
    std::string_view caption;
    std::string_view aiPlaneUpdateRate;
    std::string_view playerPlaneUpdateRate;
    std::string_view clockSyncRate;
};

inline constexpr std::array<NetworkPreset, 3> kNetworkPresets{{
    {"EAW.ini Sync Rate", "350", "35", "140"},
    {"56K Modem Sync", "200", "20", "80"},
    {"Cable ISDN Sync", "140", "14", "70"},
}};

// The preset a stored AI_PlaneUpdateRate selects: the exact text "350" the first,
// the exact text "200" the second, anything else (empty too) the third.
std::size_t PresetForStoredRate(std::string_view aiPlaneUpdateRate);

// Writes AI_PlaneUpdateRate, PlayerPlaneUpdateRate and ClockSyncRate of the preset,
// in this order; a failed write shows in the file's write failure.
void WriteNetworkPreset(GameIniFile& file, std::size_t preset);

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
// left as stored; a failed write shows in the file's write failure.
void WriteHudColourSet(GameIniFile& file, const HudColourSet& set, const StoredColourParts& parts);

// A part as the swatch shows it: anything above 255 counts as 255.
int SwatchPart(int part);

} // namespace quorvel
