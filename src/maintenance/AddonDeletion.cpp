#include "maintenance/AddonDeletion.h"

#include "library/AddonLibrary.h"
#include "platform/FileOperations.h"
#include "platform/FolderListing.h"
#include "platform/NameFolding.h"
#include "platform/NameText.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

// Compared by name rather than through a wildcard pattern, so that ALPHA never
// takes "alpha.beta.zip" with it and "*", "?" or "[" in a name match only themselves.
std::string_view nameLessLastExtension(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string_view::npos ? fileName : fileName.substr(0, dot);
}

bool hasArchiveOf(const fs::path& categoryFolder, const std::string& addonName) {
    const std::vector<std::string> names = ListAddonNames(categoryFolder);
    return std::find(names.begin(), names.end(), UpperCase(addonName)) != names.end();
}

} // namespace

std::vector<std::string> AddonFiles(const fs::path& categoryFolder, const std::string& addonName) {
    std::vector<std::string> files;
    if (categoryFolder.empty() || addonName.empty())
        return files;
    const FolderListing listing(categoryFolder);
    std::copy_if(listing.regularFiles().begin(), listing.regularFiles().end(),
                 std::back_inserter(files), [&](const std::string& file) {
                     return EqualsIgnoringCase(nameLessLastExtension(file), addonName);
                 });
    return files;
}

AddonDeletionResult DeleteAddonFiles(const fs::path& categoryFolder, const std::string& addonName) {
    AddonDeletionResult result;
    for (std::string& file : AddonFiles(categoryFolder, addonName)) {
        if (DeleteFileEntry(InFolder(categoryFolder, file)))
            result.deleted.push_back(std::move(file));
        else
            result.notDeleted.push_back(std::move(file));
    }
    result.archiveGone =
        !categoryFolder.empty() && !addonName.empty() && !hasArchiveOf(categoryFolder, addonName);
    return result;
}

} // namespace quorvel
