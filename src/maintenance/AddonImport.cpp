#include "maintenance/AddonImport.h"

#include "platform/FileOperations.h"
#include "platform/FolderListing.h"
#include "platform/NameText.h"

#include <system_error>

namespace fs = std::filesystem;

namespace quorvel {

ArchiveImportResult ImportAddonArchive(const fs::path& sourceFile, const fs::path& categoryFolder) {
    using Status = ArchiveImportResult::Status;
    if (categoryFolder.empty())
        return {Status::NoLibraryFolder, "No library folder is set"};
    std::error_code ec;
    if (!sourceFile.has_filename() || !fs::is_regular_file(sourceFile, ec))
        return {Status::NoFile, NameText(sourceFile) + ": No such file"};
    // "ALPHA.ZIP" replaces "alpha.zip" instead of standing beside it, as it would
    // on the file systems the game runs on.
    const fs::path destination = ResolveInFolder(categoryFolder, NameText(sourceFile.filename()));
    if (fs::exists(destination, ec) && fs::equivalent(sourceFile, destination, ec))
        return {Status::AlreadyInLibrary, {}};
    std::error_code why;
    if (!CopyFileReplacing(sourceFile, destination, &why))
        return {Status::CopyFailed, NameText(destination) + ": " + why.message()};
    return {Status::Copied, {}};
}

} // namespace quorvel
