#include "library/AddonLibrary.h"

#include "platform/FileOperations.h"
#include "platform/FolderListing.h"
#include "platform/NameFolding.h"
#include "platform/NameText.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

constexpr std::size_t kExtensionLength = 4; // ".zip"

} // namespace

std::string AddonName(std::string_view archiveFileName) {
    const std::size_t keep =
        archiveFileName.size() > kExtensionLength ? archiveFileName.size() - kExtensionLength : 0;
    return UpperCase(archiveFileName.substr(0, keep));
}

std::vector<std::string> ListAddonNames(const fs::path& categoryFolder) {
    std::vector<std::string> names;
    const FolderListing listing(categoryFolder);
    for (const std::string& file : listing.regularFiles()) {
        if (!EndsWithIgnoringCase(file, ".zip"))
            continue;
        std::string name = AddonName(file);
        if (!name.empty())
            names.push_back(std::move(name));
    }
    return names;
}

std::vector<std::string> SelectableAddons(const std::vector<std::string>& listed,
                                          const std::vector<std::string>& installed) {
    std::vector<std::string> selectable;
    std::copy_if(listed.begin(), listed.end(), std::back_inserter(selectable),
                 [&](const std::string& name) {
                     return std::find(installed.begin(), installed.end(), name) == installed.end();
                 });
    return selectable;
}

AddonPreview LoadAddonPreview(const fs::path& folder, const std::string& addonName) {
    AddonPreview preview;
    if (folder.empty() || addonName.empty())
        return preview;
    const FolderListing listing(folder);
    if (const auto picture = listing.find(addonName + ".jpg"))
        preview.picture = InFolder(folder, *picture);
    if (const auto text = listing.find(addonName + ".txt"))
        preview.description = ReadWholeFile(InFolder(folder, *text)).value_or(std::string());
    return preview;
}

} // namespace quorvel
