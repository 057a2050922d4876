#pragma once

#include "library/InstalledAddons.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

struct ClearAllResult {
    std::vector<std::string> deleted; // in deletion order
    std::vector<std::string> failed;  // deletions and copies that did not succeed
};

// Called after each step: steps done, steps in all.
using ClearAllProgress = std::function<void(std::size_t done, std::size_t total)>;

// Deletes every file and link directly in `gameFolder` of the 21 game file types,
// mask by mask, then copies EAW.EXE, EXTRA.SPT and GRB_031.SND back from
// `backupFolder`. A protected file with a security copy is replaced by it; one
// without is kept as the game's own, unless `addonFiles` holds its name: an
// add-on's file is deleted like any other. Folders, other files and EAW.INI stay.
// Each failure is reported and the rest go on. An empty game folder changes
// nothing; an empty backup folder means no security copies.
ClearAllResult ClearAll(const std::filesystem::path& gameFolder,
                        const std::filesystem::path& backupFolder,
                        const AddonFileRecord& addonFiles, const ClearAllProgress& progress = {});

// The masks of the game's file types that Clear All deletes, in deletion order.
inline constexpr std::array<std::string_view, 21> kGameFileMasks{
    "*.TPC", "*.3DZ", "*.CPT", "*.DAT", "*.FLT", "*.FNT", "*.FSP",
    "*.SND", "*.MNU", "*.SMK", "*.ADP", "*.PIC", "*.MPC", "*.PAL",
    "*.RAW", "*.SPT", "*.TER", "*.STR", "*.WSD", "*.WSP", "*.HM"};

// The index in kGameFileMasks of the mask `fileName` matches: its name ends in
// the mask's extension, in any letter case. Nothing for other names.
std::optional<std::size_t> GameFileMaskIndex(std::string_view fileName);

} // namespace quorvel
