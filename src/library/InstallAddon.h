#pragma once

#include "library/Unzip.h"

#include <filesystem>
#include <string>

namespace quorvel {

// Extracts the add-on's archive (FindAddonArchive: exactly `addonName` + ".zip" in
// any case, else `addonName` in any case) from `categoryFolder` into `gameFolder`. The result's
// written names are what uninstalling the add-on deletes again. An empty category or game folder
// writes nothing and gives a failing status.
UnzipResult InstallAddon(const std::filesystem::path& categoryFolder, const std::string& addonName,
                         const std::filesystem::path& gameFolder,
                         const UnzipProgress& progress = {});

// Whether the add-on's archive is there and opens as a zip archive: an installed
// add-on is not taken out to make room for one that cannot be installed.
bool AddonArchiveOpens(const std::filesystem::path& categoryFolder, const std::string& addonName);

} // namespace quorvel
