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

constexpr std::size_t kExtensionLength = 4; // ".zip"

std::string_view lessExtension(std::string_view archiveFileName) {
    const std::size_t keep =
        archiveFileName.size() > kExtensionLength ? archiveFileName.size() - kExtensionLength : 0;
    return archiveFileName.substr(0, keep);
}

bool isArchiveName(std::string_view fileName) {
    return EndsWithIgnoringCase(fileName, ".zip");
}

} // namespace

std::vector<std::string> ListAddonNames(const fs::path& categoryFolder) {
    std::vector<std::string> names;
    const FolderListing listing(categoryFolder);
    for (const std::string& file : listing.regularFiles()) {
        const std::string_view name = lessExtension(file);
        if (isArchiveName(file) && !name.empty())
            names.emplace_back(name);
    }
    return names;
}

fs::path AddonArchivePath(const fs::path& categoryFolder, const std::string& addonName) {
    if (categoryFolder.empty())
        return {};
    const FolderListing listing(categoryFolder);
    return InFolder(categoryFolder,
                    FindAddonArchive(listing, addonName).value_or(addonName + ".ZIP"));
}

std::optional<std::string> FindAddonArchive(const FolderListing& listing,
                                            std::string_view addonName) {
    std::optional<std::string> otherCase;
    for (const auto* names : {&listing.regularFiles(), &listing.links()}) {
        for (const std::string& file : *names) {
            if (!isArchiveName(file))
                continue;
            if (lessExtension(file) == addonName)
                return file;
            if (!otherCase && EqualsIgnoringCase(lessExtension(file), addonName))
                otherCase = file;
        }
    }
    return otherCase;
}

AddonArchives::AddonArchives(const fs::path& categoryFolder)
    : folder_(categoryFolder) {
    if (categoryFolder.empty())
        return;
    const FolderListing listing(categoryFolder);
    // In FindAddonArchive's order, so that the first of several twins wins alike.
    for (const auto* names : {&listing.regularFiles(), &listing.links()}) {
        for (const std::string& file : *names) {
            if (!isArchiveName(file))
                continue;
            exact_.try_emplace(std::string(lessExtension(file)), file);
            folded_.try_emplace(FoldCase(lessExtension(file)), file);
        }
    }
}

std::optional<fs::path> AddonArchives::find(const std::string& addonName) const {
    const auto exact = exact_.find(addonName);
    const auto folded = exact == exact_.end() ? folded_.find(FoldCase(addonName)) : folded_.end();
    if (exact == exact_.end() && folded == folded_.end())
        return std::nullopt;
    const fs::path archive =
        InFolder(folder_, exact != exact_.end() ? exact->second : folded->second);
    std::error_code ec;
    if (!fs::is_regular_file(archive, ec))
        return std::nullopt;
    return archive;
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
