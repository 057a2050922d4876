#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// The protected game files that uninstall and Clear All put back, in this order.
// EAW.INI is left to Restore INI.
inline constexpr std::array<std::string_view, 3> kRestoredGameFiles{"EAW.EXE", "EXTRA.SPT",
                                                                    "GRB_031.SND"};

struct RestoreOutcome {
    std::vector<std::string> restored;
    std::vector<std::string> failed; // a security copy exists but could not be copied
};

// Copies each of `names` that has a security copy in `backupFolder` into
// `gameFolder`, replacing the game's file of that name in any case. Names
// without a security copy are passed over; nothing happens when either folder is
// empty.
RestoreOutcome RestoreFromSecurityCopies(const std::filesystem::path& gameFolder,
                                         const std::filesystem::path& backupFolder,
                                         const std::vector<std::string_view>& names);

} // namespace quorvel
