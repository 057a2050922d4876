#pragma once

#include <filesystem>
#include <string>

namespace quorvel {

struct ArchiveImportResult {
    enum class Status {
        Copied,           // the archive now lies in the library folder
        AlreadyInLibrary, // the chosen file is the library's own copy; left as it was
        NoLibraryFolder,  // no category folder given: nothing written
        NoFile,           // no file given, or it is not a regular file
        CopyFailed        // the library folder keeps what it had
    };
    Status status;
    std::string description; // what went wrong, naming the file; empty when ok
    bool ok() const { return status == Status::Copied || status == Status::AlreadyInLibrary; }
};

// Copies a normal add-on archive into a category's library folder under its own
// file name, replacing an archive of that name in any letter case. The copy goes
// through a temporary name, so a failure never leaves a truncated archive, and a
// file that already is the library's copy is never destroyed.
ArchiveImportResult ImportAddonArchive(const std::filesystem::path& sourceFile,
                                       const std::filesystem::path& categoryFolder);

} // namespace quorvel
