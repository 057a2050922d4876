#include "library/InstallAddon.h"

#include "library/AddonLibrary.h"

namespace fs = std::filesystem;

namespace quorvel {

UnzipResult InstallAddon(const fs::path& categoryFolder, const std::string& addonName,
                         const fs::path& gameFolder, const UnzipProgress& progress) {
    if (categoryFolder.empty())
        return UnzipResult(UnzipResult::Status::ArchiveMissing, "No library folder is set");
    return Unzip(AddonArchivePath(categoryFolder, addonName), gameFolder, progress);
}

} // namespace quorvel
