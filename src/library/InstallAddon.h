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

} // namespace quorvel
