#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quorvel {

struct UninstallResult {
    std::vector<std::string> deleted; // names as they were in the game folder
    std::vector<std::string> failed;  // could not be deleted or copied back
};

// Takes an add-on out of the game folder: deletes exactly `writtenNames` (what
// installing it wrote), each found without regard to case, files and links only;
// a protected file among them that has a security copy in `backupFolder` is
// replaced by the copy instead, so that a failed copy leaves a file in its place.
// Then copies back each of EAW.EXE, EXTRA.SPT and GRB_031.SND that the game folder
// lacks and that has a copy. A file whose copy failed is reported and not counted
// as deleted. The archive is never read. An empty game folder changes nothing;
// names that are not bare file names are passed over.
UninstallResult UninstallAddon(const std::filesystem::path& gameFolder,
                               const std::vector<std::string>& writtenNames,
                               const std::filesystem::path& backupFolder);

} // namespace quorvel
