#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace quorvel {

// The masks of the game's file types that Clear All deletes, in deletion order.
inline constexpr std::array<std::string_view, 21> kGameFileMasks{
    "*.TPC", "*.3DZ", "*.CPT", "*.DAT", "*.FLT", "*.FNT", "*.FSP",
    "*.SND", "*.MNU", "*.SMK", "*.ADP", "*.PIC", "*.MPC", "*.PAL",
    "*.RAW", "*.SPT", "*.TER", "*.STR", "*.WSD", "*.WSP", "*.HM"};

// The index in kGameFileMasks of the mask `fileName` matches: its name ends in
// the mask's extension, in any letter case. Nothing for other names.
std::optional<std::size_t> GameFileMaskIndex(std::string_view fileName);

} // namespace quorvel
