#pragma once

#include "platform/FolderListing.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// The four protected game files, always in this order.
inline constexpr std::array<std::string_view, 4> kProtectedFiles{"EAW.EXE", "EAW.INI", "EXTRA.SPT",
                                                                 "GRB_031.SND"};

// The protected game files that uninstall and Clear All put back, in this order.
// EAW.INI is left to Restore INI.
inline constexpr std::array<std::string_view, 3> kRestoredGameFiles{"EAW.EXE", "EXTRA.SPT",
                                                                    "GRB_031.SND"};

// Copies each of `names` that `fromFolder` holds, in order, over the file of that
// name in the folder read as `to`; names are found in both folders without regard
// to letter case, and a file new to `to` takes the name as given. A name missing
// from `fromFolder` is passed over, and a failed copy does not stop the rest.
// Nothing happens when either folder is empty. Returns the names whose copy failed.
std::vector<std::string> CopyNamedFiles(const std::filesystem::path& fromFolder,
                                        const FolderListing& to,
                                        const std::vector<std::string_view>& names);

// Takes the security copies of the four protected files from the game folder
// into the backup folder. Returns the names whose copy failed.
std::vector<std::string> TakeSecurityCopies(const std::filesystem::path& gameFolder,
                                            const std::filesystem::path& backupFolder);

} // namespace quorvel
