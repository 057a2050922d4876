#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvel {

class FolderListing;

// The add-ons of a library folder: for each file matching "*.zip" in any letter
// case, its name less the last four characters, in the case and bytes it has on
// disk (the lists show it in upper case). That text names the add-on to every
// operation, so "dup.zip" and "DUP.ZIP" are two add-ons, and a name that is not
// UTF-8 still reaches its file. In name order; a missing or empty folder gives none.
std::vector<std::string> ListAddonNames(const std::filesystem::path& categoryFolder);

// The add-on's archive in `categoryFolder` (FindAddonArchive), or the folder /
// NAME.ZIP when there is none: the one lookup for the lists, the install and the
// preview. Empty when the folder is.
std::filesystem::path AddonArchivePath(const std::filesystem::path& categoryFolder,
                                       const std::string& addonName);

// The file name of add-on `addonName`'s archive in `listing`: the archive whose
// name less its ".zip" is exactly `addonName`, else one that matches without
// regard to case; nothing when the folder has neither.
std::optional<std::string> FindAddonArchive(const FolderListing& listing,
                                            std::string_view addonName);

// The archives of one category folder, read once: FindAddonArchive's answer for
// any number of names, each found in a time that does not grow with the folder.
class AddonArchives {
public:
    explicit AddonArchives(const std::filesystem::path& categoryFolder);

    // The add-on's archive, when it is a file (or a link to one); nothing else.
    std::optional<std::filesystem::path> find(const std::string& addonName) const;

private:
    std::filesystem::path folder_;
    std::unordered_map<std::string, std::string> exact_;  // name less ".zip" -> file
    std::unordered_map<std::string, std::string> folded_; // the same, folded
};

// The names of `listed` that are not in `installed`, in listing order: what the
// selection list offers for a category.
std::vector<std::string> SelectableAddons(const std::vector<std::string>& listed,
                                          const std::vector<std::string>& installed);

// What the preview shows for an add-on: its picture file, when there is one, and
// the whole text of its description ("" when there is none).
struct AddonPreview {
    std::optional<std::filesystem::path> picture;
    std::string description;
};

// Looks up NAME.jpg and NAME.txt in `folder` without regard to letter case. An
// empty folder gives an empty preview.
AddonPreview LoadAddonPreview(const std::filesystem::path& folder, const std::string& addonName);

} // namespace quorvel
