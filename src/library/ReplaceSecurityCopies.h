#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quorvel {

struct ReplaceSecurityCopiesResult {
    bool done = false;                // false: a folder was not set, or both are one folder
    std::vector<std::string> deleted; // files deleted from the backup folder
    std::vector<std::string> failed;  // could not be deleted, or copied from the new game folder
    std::vector<std::string> copied;  // security copies taken from the new game folder
};

// The switch to another game folder: deletes every regular file directly in
// `backupFolder`, then takes the four security copies from `newGameFolder`.
// Nothing happens when either folder is empty, or when they are the same folder
// (deleting the backup folder's files would then delete the game's own).
ReplaceSecurityCopiesResult ReplaceSecurityCopies(const std::filesystem::path& newGameFolder,
                                                  const std::filesystem::path& backupFolder);

} // namespace quorvel
