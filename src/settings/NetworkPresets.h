#pragma once

#include "settings/GameIniFile.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace quorvel {

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
// in this order. Returns whether all three were written.
bool WriteNetworkPreset(GameIniFile& file, std::size_t preset);

} // namespace quorvel
