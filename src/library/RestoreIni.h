#pragma once

#include <filesystem>

namespace quorvel {

enum class RestoreIniStatus { Restored, NoSecurityCopy, CopyFailed, FolderNotSet };

// Copies the security copy of EAW.INI over the game's, both found without regard
// to case, so a game file named eaw.ini is replaced rather than joined by a second
// one. On any failure the game's file stays as it was.
RestoreIniStatus RestoreIni(const std::filesystem::path& gameFolder,
                            const std::filesystem::path& backupFolder);

} // namespace quorvel
