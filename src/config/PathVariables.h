#pragma once

#include "config/AddonCategory.h"

#include <array>
#include <filesystem>
#include <string>

namespace quorvel {

// The folders the program works with. Folders end in the native separator. An
// empty folder means "not configured" and never stands for the process's current
// folder; so does an empty file path.
struct PathVariables {
    std::filesystem::path ProgramFolder;
    std::filesystem::path ConfigFilePath;
    std::filesystem::path GameFolder;
    std::filesystem::path GameIniPath; // empty while GameFolder is empty
    std::array<std::filesystem::path, kCategoryCount> CategoryFolder;
    std::filesystem::path BackupFolder;
};

// Names the folder that holds the running program. The executable sets it at
// start; tests point it at a temporary folder. Nothing else changes it.
void SetProgramFolder(const std::filesystem::path& folder);

// The program folder, ending in the native separator; empty while none is named.
std::filesystem::path ProgramFolder();

// QUORVEL.INI in the program folder; empty while no program folder is named.
std::filesystem::path ConfigFile();

// The folders as QUORVEL.INI stores them, the program's own two from the program
// folder. Nothing is checked: the game folder among them is the text as stored.
PathVariables ReadStoredPaths();

// Writes `gameFolder` as [PATH] RUTAEAW, then the seven library folders and the
// backup folder under the program folder, into QUORVEL.INI in one replace of the
// file. Returns false, the file unchanged, when it could not be written.
bool StorePaths(const std::string& gameFolder);

// A folder as stored in QUORVEL.INI: the folder followed by one native separator.
std::string FolderText(const std::filesystem::path& folder);

// The value of [PATH] RUTAEAW as stored.
std::string StoredGameFolder();

// Whether the first-run window is to be shown: only the exact flag "1" in
// [CONFIGURATION] BACKUPS of QUORVEL.INI keeps it away.
bool FirstRunWindowDue();

// Records the first-run flag: "1" when the window is not to be shown again,
// "0" when it is. Returns whether the write succeeded.
bool StoreFirstRunFlag(bool doNotShowAgain);

} // namespace quorvel
