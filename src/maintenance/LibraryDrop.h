#pragma once

#include "maintenance/AddonImport.h"

#include <filesystem>
#include <vector>

namespace quorvel {

// Whether files dropped on the main window can go into a library: each one a
// file, a ".zip" in any letter case, or a ".txt" or ".jpg" dropped together with
// the ".zip" of its base name. Anything else refuses the whole drop.
bool AcceptsLibraryDrop(const std::vector<std::filesystem::path>& dropped);

// Imports a drop that AcceptsLibraryDrop accepts into `categoryFolder`, each file
// as a normal add-on archive is imported: its archives first, each followed by
// its description and picture, which are not brought in when their archive could
// not be. A refused drop, or one without a library folder, writes nothing and
// gives no results.
std::vector<ArchiveImportResult>
ImportLibraryDrop(const std::vector<std::filesystem::path>& dropped,
                  const std::filesystem::path& categoryFolder);

} // namespace quorvel
