#pragma once

#include "library/AddonLibrary.h"
#include "library/Unzip.h"

#include <filesystem>
#include <string>

namespace quorvel::test {

// Extracts the add-on's archive from `categoryFolder` into `gameFolder` as an
// install does, without the ledger; an empty category folder writes nothing.
inline UnzipResult InstallAddon(const std::filesystem::path& categoryFolder,
                                const std::string& addonName,
                                const std::filesystem::path& gameFolder,
                                const UnzipProgress& progress = {}) {
    if (categoryFolder.empty())
        return UnzipResult::NotDone("No library folder is set",
                                    {Extraction::Status::ArchiveMissing, {}, {}});
    return Unzip(AddonArchivePath(categoryFolder, addonName), gameFolder, progress);
}

} // namespace quorvel::test
