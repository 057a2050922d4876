#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace quorvel {

// The seven add-on categories in their fixed order: the order of the installed
// lists, of the [PATH] keys and of the category choice lists.
struct AddonCategory {
    std::string_view caption;      // main window heading, "FLIGHT MODELS"
    std::string_view singularName; // choice lists, "FLIGHT MODEL"
    std::string_view folderName;   // library folder beside the program, "FLIGHTMODELS"
    std::string_view pathKey;      // [PATH] key in QUORVEL.INI, "RUTAMODELOSVUELO"
    bool holdsOneAddon;            // whether at most one add-on can be installed at a time
};

inline constexpr std::size_t kCategoryCount = 7;

inline constexpr std::array<AddonCategory, kCategoryCount> kAddonCategories{{
    {"FLIGHT MODELS", "FLIGHT MODEL", "FLIGHTMODELS", "RUTAMODELOSVUELO", true},
    {"MISSIONS", "MISSION", "MISSIONS", "RUTAMISIONES", true},
    {"SKINS PACKS", "SKIN PACK", "SKINS", "RUTASKINS", true},
    {"TERRAINS", "TERRAIN", "TERRAINS", "RUTATERRENOS", true},
    {"GRAPHICS", "GRAPHIC", "GRAPHICS", "RUTAGRAFICOS", false},
    {"SOUNDS PACKS", "SOUND PACK", "SOUNDS", "RUTASONIDOS", false},
    {"EAW.EXE FILES", "EAW.EXE FILE", "EXES", "RUTAEXES", true},
}};

inline constexpr std::string_view kBackupFolderName = "BACKUPS";
inline constexpr std::string_view kBackupPathKey = "RUTABACKUPS";
inline constexpr std::string_view kNoCategoryCaption = "Select a Category of Addons";

// The index of the category whose singular name is exactly `name` (case counts).
inline std::optional<std::size_t> CategoryBySingularName(std::string_view name) {
    for (std::size_t i = 0; i < kAddonCategories.size(); ++i) {
        if (kAddonCategories[i].singularName == name)
            return i;
    }
    return std::nullopt;
}

} // namespace quorvel
