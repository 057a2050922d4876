#pragma once

#include "config/AddonCategory.h"

#include <array>
#include <filesystem>
#include <string>

namespace quorvel {

// The process-wide path variables every window works with. Folders end in the
// native separator. An empty folder means "not configured" and never stands for
// the process's current folder; so does an empty file path.
struct PathVariables {
    std::filesystem::path ProgramFolder;
    std::filesystem::path ConfigFilePath;
    std::filesystem::path GameFolder;
    std::filesystem::path GameIniPath; // empty while GameFolder is empty
    std::array<std::filesystem::path, kCategoryCount> CategoryFolder;
    std::filesystem::path BackupFolder;
};

// The one set of path variables of the process.
PathVariables& Paths();

// Names the folder that holds the running program. The executable sets it at
// start; tests point it at a temporary folder. Nothing else changes it.
void SetProgramFolder(const std::filesystem::path& folder);

// Loads the path variables from QUORVEL.INI. The full form first recomputes
// ProgramFolder and ConfigFilePath from the program's folder; the short form keeps them.
// Called at start and when a game folder is accepted, never by a window as it
// opens: every window works on the folders the main window shows.
void ReloadPaths(bool full);

// Writes `gameFolder` as [PATH] RUTAEAW, then the seven library folders and the
// backup folder under the program folder, into QUORVEL.INI. Recomputes
// ProgramFolder and ConfigFilePath; no other variable changes until the next
// ReloadPaths. Returns false if any write failed.
bool StorePaths(const std::string& gameFolder);

// A folder as stored in QUORVEL.INI: the folder followed by one native separator.
std::string FolderText(const std::filesystem::path& folder);

// The value of [PATH] RUTAEAW as stored.
std::string StoredGameFolder();

} // namespace quorvel
