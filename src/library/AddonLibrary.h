#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// An add-on's name: its archive's file name in upper case less the last four
// characters (the ".zip" in any case).
std::string AddonName(std::string_view archiveFileName);

// The add-on names of a library folder: one for each file matching "*.zip" in any
// letter case, in name order. A missing or empty folder gives no names.
std::vector<std::string> ListAddonNames(const std::filesystem::path& categoryFolder);

// Whether the add-on's archive, `addonName` + ".ZIP" in any letter case, is in
// `categoryFolder` as a file.
bool AddonArchiveExists(const std::filesystem::path& categoryFolder, const std::string& addonName);

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
