#pragma once

#include "settings/GameIniFile.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace quorvel {

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

// Writes width, then height, of the resolution at `item`. Returns whether both
// were written.
bool WriteResolution(GameIniFile& file, std::size_t item);

} // namespace quorvel
