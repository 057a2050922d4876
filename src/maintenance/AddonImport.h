#pragma once

#include "platform/Outcome.h"

#include <filesystem>
#include <string>
#include <vector>

namespace quorvel {

struct ImportedArchive {
    enum class Status {
        Copied,           // the archive now lies in the library folder
        AlreadyInLibrary, // the chosen file is the library's own copy; left as it was
        NoLibraryFolder,  // no category folder given: nothing written
        NoFile,           // no file given, or it is not a regular file
        CopyFailed        // the library folder keeps what it had
    };
    Status status;
};

// Done when the archive lies in the library folder (copied, or already there);
// else why() names the file and what went wrong.
using ArchiveImportResult = Outcome<ImportedArchive>;

// Copies a normal add-on archive into a category's library folder under its own
// file name, replacing an archive of that name in any letter case. The copy goes
// through a temporary name, so a failure never leaves a truncated archive, and a
// file that already is the library's copy is never destroyed.
ArchiveImportResult ImportAddonArchive(const std::filesystem::path& sourceFile,
                                       const std::filesystem::path& categoryFolder);

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
