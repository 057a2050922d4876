#include "maintenance/AddonDeletion.h"

#include "library/AddonLibrary.h"
#include "platform/FileOperations.h"
#include "platform/FolderListing.h"
#include "platform/NameFolding.h"
#include "platform/NameText.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

// Compared by name rather than through a wildcard pattern, so that ALPHA never
// takes "alpha.beta.zip" with it and "*", "?" or "[" in a name match only themselves.
std::string_view nameLessLastExtension(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string_view::npos ? fileName : fileName.substr(0, dot);
}

bool entryExists(const fs::path& path) {
    std::error_code ec;
    return fs::symlink_status(path, ec).type() != fs::file_type::not_found;
}

} // namespace

std::vector<std::string> AddonFiles(const fs::path& categoryFolder, const std::string& addonName) {
    std::vector<std::string> files;
    if (categoryFolder.empty() || addonName.empty())
        return files;
    const FolderListing listing(categoryFolder);
    // The add-on as its archive spells it, so that a twin in another case keeps
    // the files that spell its own name.
    const auto archive = FindAddonArchive(listing, addonName);
    const std::string own = archive ? std::string(nameLessLastExtension(*archive)) : addonName;
    const std::vector<std::string> addons = ListAddonNames(categoryFolder);
    const auto ownedByAnother = [&](std::string_view name) {
        return name != own && std::find(addons.begin(), addons.end(), name) != addons.end();
    };
    std::copy_if(listing.regularFiles().begin(), listing.regularFiles().end(),
                 std::back_inserter(files), [&](const std::string& file) {
                     const std::string_view name = nameLessLastExtension(file);
                     return EqualsIgnoringCase(name, addonName) && !ownedByAnother(name);
                 });
    return files;
}

AddonDeletionResult DeleteAddonFiles(const fs::path& categoryFolder, const std::string& addonName) {
    if (categoryFolder.empty() || addonName.empty())
        return AddonDeletionResult::NotDone("No library folder or add-on is chosen.");
    AddonDeletion report;
    const auto archive = FindAddonArchive(FolderListing(categoryFolder), addonName);
    for (std::string& file : AddonFiles(categoryFolder, addonName)) {
        if (DeleteFileEntry(InFolder(categoryFolder, file)))
            report.deleted.push_back(std::move(file));
        else
            report.notDeleted.push_back(std::move(file));
    }
    if (report.notDeleted.empty())
        return AddonDeletionResult::Done(std::move(report));
    const bool archiveGone = !archive || !entryExists(InFolder(categoryFolder, *archive));
    std::string why = "These files of " + UpperCase(addonName) +
                      " could not be deleted: " + FewNames(report.notDeleted) + ".";
    if (!archiveGone)
        why += "\nThe add-on stays in the library.";
    return AddonDeletionResult::NotDone(std::move(why), std::move(report));
}

} // namespace quorvel
