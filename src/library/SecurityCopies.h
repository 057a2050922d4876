#pragma once

#include "platform/FolderListing.h"
#include "platform/Outcome.h"

#include <array>
#include <filesystem>
#include <optional>
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

// The protected file `name` is, in any letter case, under its own spelling;
// nothing for other names.
std::optional<std::string_view> ProtectedFileNamed(std::string_view name);

// Which of kRestoredGameFiles the game folder, as `game` read it, lacks: absent
// before, or among `deleted` (names as the folder held them).
std::vector<std::string_view> MissingRestoredFiles(const FolderListing& game,
                                                   const std::vector<std::string>& deleted);

// Copies each of `names` that `fromFolder` holds, in order, over the file of that
// name in the folder read as `to`; names are found in both folders without regard
// to letter case, and a file new to `to` takes the name as given. A name missing
// from `fromFolder` is passed over, and a failed copy does not stop the rest.
// Nothing happens when either folder is empty. Returns the names whose copy failed.
std::vector<std::string> CopyNamedFiles(const std::filesystem::path& fromFolder,
                                        const FolderListing& to,
                                        const std::vector<std::string_view>& names);

// Which security copies to keep beside the new ones.
enum class OtherCopies { Keep, Delete };

// Takes the security copies of the protected files `gameFolder` holds into
// `backupFolder` as a whole: each is first copied beside the old copies, and only
// when all were copied does the record of the copies go and they take the old
// copies' places; copies of protected files the game lacks are deleted, and with
// OtherCopies::Delete every other file in the backup folder too. The record naming
// `gameFolder` is written last, only when every step went well. On a failed copy
// the backup folder stays as it was. Not done, naming what failed, when a step
// failed or the folders are not both set and different.
Outcome<> TakeSecurityCopies(const std::filesystem::path& gameFolder,
                             const std::filesystem::path& backupFolder,
                             OtherCopies others = OtherCopies::Keep);

// Deletes the new copies and temporaries that a swap of the copies killed
// halfway left in `backupFolder`: they are of no known game.
void RemoveUnfinishedCopies(const std::filesystem::path& backupFolder);

// Restore INI, the player's way back to the settings of the security copy: copies
// the security copy of EAW.INI over the game's, both found without regard to case,
// so a game file named eaw.ini is replaced rather than joined by a second one. On
// any failure the game's file stays as it was.
Outcome<> RestoreIni(const std::filesystem::path& gameFolder,
                     const std::filesystem::path& backupFolder);

} // namespace quorvel
