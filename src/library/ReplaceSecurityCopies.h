#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quorvel {

// The switch to another game folder: deletes every regular file directly in
// `backupFolder`, then takes the four security copies from `newGameFolder`.
// Nothing happens when either folder is empty, or when they are the same folder
// (deleting the backup folder's files would then delete the game's own).
// Returns the names that could not be deleted or copied.
std::vector<std::string> ReplaceSecurityCopies(const std::filesystem::path& newGameFolder,
                                               const std::filesystem::path& backupFolder);

} // namespace quorvel
