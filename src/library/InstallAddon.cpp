#include "library/InstallAddon.h"

#include "library/AddonLibrary.h"
#include "platform/FolderListing.h"
#include "platform/NameText.h"
#include "platform/ZipArchive.h"

namespace fs = std::filesystem;

namespace quorvel {
namespace {

fs::path addonArchive(const fs::path& categoryFolder, const std::string& addonName) {
    const FolderListing listing(categoryFolder);
    return InFolder(categoryFolder,
                    FindAddonArchive(listing, addonName).value_or(addonName + ".ZIP"));
}

} // namespace

UnzipResult InstallAddon(const fs::path& categoryFolder, const std::string& addonName,
                         const fs::path& gameFolder, const UnzipProgress& progress) {
    if (categoryFolder.empty())
        return UnzipResult(UnzipResult::Status::ArchiveMissing, "No library folder is set");
    return Unzip(addonArchive(categoryFolder, addonName), gameFolder, progress);
}

bool AddonArchiveOpens(const fs::path& categoryFolder, const std::string& addonName) {
    return !categoryFolder.empty() && ZipArchive(addonArchive(categoryFolder, addonName)).isOpen();
}

} // namespace quorvel
