#pragma once

#include "platform/Outcome.h"

#include <filesystem>
#include <string>
#include <vector>

namespace quorvel {

// The files of an add-on in a library folder: the regular files directly in the
// folder whose name, less its last extension, equals `addonName` without regard to
// case ("alpha.zip", "ALPHA.txt", "alpha.doc" for ALPHA; never "alpha.beta.zip" or
// "alphabet.zip"), except those that belong exactly to another archive of that
// name in another case ("DUP.TXT" stays with "DUP.ZIP" when "dup" goes). Wildcard
// characters in the name are plain characters. An empty folder or name gives no files.
std::vector<std::string> AddonFiles(const std::filesystem::path& categoryFolder,
                                    const std::string& addonName);

struct AddonDeletion {
    std::vector<std::string> deleted;    // file names removed, in listing order
    std::vector<std::string> notDeleted; // file names that could not be removed
};

// Done when every file of the add-on went; else why() names those that stay and
// whether the add-on stays in the library with them.
using AddonDeletionResult = Outcome<AddonDeletion>;

// Deletes every file of the add-on from `categoryFolder`; a file that cannot be
// deleted does not stop the others. Nothing outside the folder is touched.
AddonDeletionResult DeleteAddonFiles(const std::filesystem::path& categoryFolder,
                                     const std::string& addonName);

} // namespace quorvel
