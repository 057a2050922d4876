#pragma once

#include "library/InstalledAddons.h"
#include "library/Unzip.h"

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

// A file that another installed add-on wrote too and that could not be put back
// from that add-on's archive, so it was deleted.
struct LostFile {
    std::string addonName; // as the lists show it
    std::string fileName;
    std::string reason;
};

struct SharedFilesUninstallResult {
    UninstallResult files;            // what was deleted, and what could not be
    std::vector<std::string> putBack; // written again from another installed add-on's archive
    std::vector<LostFile> lost;
};

// Uninstalls `key` without taking from the other installed add-ons what they
// wrote: a name that an add-on installed later also wrote is left as it is; one
// that only earlier add-ons also wrote is put back from the archive of the one
// installed last among them (one extraction of just those members from the
// archive recorded for it); every other name is deleted as UninstallAddon does. A name that cannot
// be put back is deleted and told in `lost`, and that add-on no longer counts it as its own. The
// add-on leaves `installed`. Nothing is written when `gameFolder` is empty.
SharedFilesUninstallResult UninstallSharingFiles(InstalledAddons& installed, const AddonKey& key,
                                                 const std::filesystem::path& gameFolder,
                                                 const std::filesystem::path& backupFolder,
                                                 const UnzipProgress& progress = {});

// One line for each lost file: "CPIT.CPT of COCKPITS could not be put back and is
// deleted: <reason>".
std::string LostFilesText(const std::vector<LostFile>& lost);

} // namespace quorvel
