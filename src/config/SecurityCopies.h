#pragma once

#include <array>
#include <filesystem>
#include <string_view>
#include <vector>

namespace quorvel {

// The four protected game files, always in this order.
inline constexpr std::array<std::string_view, 4> kProtectedFiles{"EAW.EXE", "EAW.INI", "EXTRA.SPT",
                                                                 "GRB_031.SND"};

// Copies each named file from `fromFolder` into `toFolder`, in order, replacing a
// file of the same name there. Names are found in both folders without regard to
// letter case. A file that is missing or cannot be copied is skipped and the rest
// go on. Returns the names that were copied; nothing happens when either folder is
// empty.
std::vector<std::string_view> CopyNamedFiles(const std::filesystem::path& fromFolder,
                                             const std::filesystem::path& toFolder,
                                             const std::vector<std::string_view>& names);

// Takes the security copies of the four protected files from the game folder
// into the backup folder. Returns the names copied.
std::vector<std::string_view> TakeSecurityCopies(const std::filesystem::path& gameFolder,
                                                 const std::filesystem::path& backupFolder);

} // namespace quorvel
