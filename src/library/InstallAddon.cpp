#include "library/InstallAddon.h"

#include "platform/FolderListing.h"
#include "platform/ZipArchive.h"

namespace fs = std::filesystem;

namespace quorvel {

UnzipResult InstallAddon(const fs::path& categoryFolder, const std::string& addonName,
                         const fs::path& gameFolder, const UnzipProgress& progress) {
    if (categoryFolder.empty())
        return UnzipResult(UnzipResult::Status::ArchiveMissing, "No library folder is set");
    const fs::path archive = ResolveInFolder(categoryFolder, addonName + ".ZIP");
    return Unzip(archive, gameFolder, progress);
}

bool AddonArchiveOpens(const fs::path& categoryFolder, const std::string& addonName) {
    return !categoryFolder.empty() &&
           ZipArchive(ResolveInFolder(categoryFolder, addonName + ".ZIP")).isOpen();
}

} // namespace quorvel
