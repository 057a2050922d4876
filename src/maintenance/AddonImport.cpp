#include "maintenance/AddonImport.h"

#include "platform/FileOperations.h"
#include "platform/FolderListing.h"
#include "platform/NameFolding.h"
#include "platform/NameText.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

namespace quorvel {

ArchiveImportResult ImportAddonArchive(const fs::path& sourceFile, const fs::path& categoryFolder) {
    using Status = ImportedArchive::Status;
    if (categoryFolder.empty())
        return ArchiveImportResult::NotDone("No library folder is set", {Status::NoLibraryFolder});
    std::error_code ec;
    if (!sourceFile.has_filename() || !fs::is_regular_file(sourceFile, ec))
        return ArchiveImportResult::NotDone(NameText(sourceFile) + ": No such file",
                                            {Status::NoFile});
    // "ALPHA.ZIP" replaces "alpha.zip" instead of standing beside it, as it would
    // on the file systems the game runs on.
    const fs::path destination = ResolveInFolder(categoryFolder, NameText(sourceFile.filename()));
    if (fs::exists(destination, ec) && fs::equivalent(sourceFile, destination, ec))
        return ArchiveImportResult::Done({Status::AlreadyInLibrary});
    std::error_code why;
    if (!CopyFileReplacing(sourceFile, destination, &why))
        return ArchiveImportResult::NotDone(NameText(destination) + ": " + why.message(),
                                            {Status::CopyFailed});
    return ArchiveImportResult::Done({Status::Copied});
}

namespace {

bool hasExtension(const fs::path& file, std::string_view extension) {
    return EqualsIgnoringCase(NameText(file.extension()), extension);
}

bool isArchive(const fs::path& file) {
    return hasExtension(file, ".zip");
}

bool isCompanion(const fs::path& file) {
    return hasExtension(file, ".txt") || hasExtension(file, ".jpg");
}

bool sameBaseName(const fs::path& a, const fs::path& b) {
    return EqualsIgnoringCase(NameText(a.stem()), NameText(b.stem()));
}

bool hasArchiveBeside(const fs::path& companion, const std::vector<fs::path>& dropped) {
    return std::any_of(dropped.begin(), dropped.end(), [&companion](const fs::path& file) {
        return isArchive(file) && sameBaseName(file, companion);
    });
}

} // namespace

bool AcceptsLibraryDrop(const std::vector<fs::path>& dropped) {
    const auto usable = [&dropped](const fs::path& file) {
        std::error_code ec;
        return fs::is_regular_file(file, ec) &&
               (isArchive(file) || (isCompanion(file) && hasArchiveBeside(file, dropped)));
    };
    return !dropped.empty() && std::all_of(dropped.begin(), dropped.end(), usable);
}

std::vector<ArchiveImportResult> ImportLibraryDrop(const std::vector<fs::path>& dropped,
                                                   const fs::path& categoryFolder) {
    std::vector<ArchiveImportResult> results;
    if (categoryFolder.empty() || !AcceptsLibraryDrop(dropped))
        return results;
    for (const fs::path& archive : dropped) {
        if (!isArchive(archive))
            continue;
        results.push_back(ImportAddonArchive(archive, categoryFolder));
        if (!results.back().done())
            continue;
        for (const fs::path& companion : dropped) {
            if (isCompanion(companion) && sameBaseName(companion, archive))
                results.push_back(ImportAddonArchive(companion, categoryFolder));
        }
    }
    return results;
}

} // namespace quorvel
