#pragma once

#include "settings/GameIniFile.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace quorvel {

// The resolutions of the list; an item's position decides what is written, its
// text is never parsed.
struct Resolution {
    std::string_view itemText;
    std::string_view width;
    std::string_view height;
};

inline constexpr std::array<Resolution, 7> kResolutions{{
    {"640x480", "640", "480"},
    {"800x600", "800", "600"},
    {"1024x768", "1024", "768"},
    {"1152x864", "1152", "864"},
    {"1280x960", "1280", "960"},
    {"1280x1024", "1280", "1024"},
    {"1600x1200", "1600", "1200"},
}};

// The stored resolution as the list's edit field shows it: width, "x", height.
std::string StoredResolutionText(const GameIniFile& file);

// Writes width, then height, of the resolution at `item`. Returns whether both
// were written.
bool WriteResolution(GameIniFile& file, std::size_t item);

} // namespace quorvel
