#include "library/SecurityCopies.h"

#include "library/CopiesRecord.h"
#include "platform/FileOperations.h"
#include "platform/FolderIdentity.h"
#include "platform/FolderListing.h"
#include "platform/NameFolding.h"
#include "platform/NameText.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

constexpr std::string_view kNewCopySuffix = ".quorvel-new";

struct NewCopy {
    std::string name; // as the backup folder is to hold it
    fs::path file;    // beside the old copy until the swap
};

void discard(const std::vector<NewCopy>& copies) {
    for (const NewCopy& copy : copies)
        DeleteFileEntry(copy.file);
}

} // namespace

std::optional<std::string_view> ProtectedFileNamed(std::string_view name) {
    const auto file = std::find_if(
        kProtectedFiles.begin(), kProtectedFiles.end(),
        [name](std::string_view protectedFile) { return EqualsIgnoringCase(name, protectedFile); });
    if (file == kProtectedFiles.end())
        return std::nullopt;
    return *file;
}

// Worked out from the one read of the folder.
std::vector<std::string_view> MissingRestoredFiles(const FolderListing& game,
                                                   const std::vector<std::string>& deleted) {
    std::vector<std::string_view> missing;
    for (const std::string_view name : kRestoredGameFiles) {
        const auto actual = game.find(std::string(name));
        if (!actual || std::find(deleted.begin(), deleted.end(), *actual) != deleted.end())
            missing.push_back(name);
    }
    return missing;
}

std::vector<std::string> CopyNamedFiles(const fs::path& fromFolder, const FolderListing& to,
                                        const std::vector<std::string_view>& names) {
    std::vector<std::string> failed;
    if (fromFolder.empty() || to.folder().empty())
        return failed;
    const FolderListing source(fromFolder);
    for (const std::string_view view : names) {
        const std::string name(view);
        const auto actual = source.find(name);
        if (!actual)
            continue;
        if (!CopyFileReplacing(InFolder(fromFolder, *actual), to.resolve(name)))
            failed.push_back(name);
    }
    return failed;
}

namespace {

// Takes the copies; returns the names that failed.
std::vector<std::string> takeCopies(const fs::path& gameFolder, const fs::path& backupFolder,
                                    OtherCopies others) {
    if (gameFolder.empty() || backupFolder.empty() || SameFolder(gameFolder, backupFolder))
        return {std::string(kProtectedFiles.front())};
    const FolderListing game(gameFolder);
    const FolderListing backup(backupFolder);
    std::vector<NewCopy> copies;
    for (const std::string_view view : kProtectedFiles) {
        const std::string name(view);
        const auto actual = game.find(name);
        if (!actual)
            continue;
        const fs::path target = backup.resolve(name);
        copies.push_back({NameText(target.filename()),
                          InFolder(backupFolder, name + std::string(kNewCopySuffix))});
        if (!CopyFileReplacing(InFolder(gameFolder, *actual), copies.back().file)) {
            discard(copies);
            return {name};
        }
    }
    // Without a record while the copies change: a swap cut short leaves copies of
    // no known game rather than a record that vouches for a mix of two.
    if (!ForgetCopies(backupFolder)) {
        discard(copies);
        return {std::string(kCopiesRecordName)};
    }
    std::vector<std::string> failed;
    for (const NewCopy& copy : copies) {
        std::error_code error;
        if (!RenameReplacing(copy.file, InFolder(backupFolder, copy.name), error)) {
            DeleteFileEntry(copy.file);
            failed.push_back(copy.name);
        }
    }
    const FolderListing swapped(backupFolder);
    for (const std::string& name : swapped.regularFiles()) {
        const bool taken = std::any_of(copies.begin(), copies.end(),
                                       [&name](const NewCopy& copy) { return copy.name == name; });
        // A copy of a protected file this game lacks is another game's, and a new
        // copy left beside the old ones is what a killed swap left.
        const bool dropped = others == OtherCopies::Delete || ProtectedFileNamed(name) ||
                             name.ends_with(kNewCopySuffix);
        if (!taken && dropped && !DeleteFileEntry(InFolder(backupFolder, name)))
            failed.push_back(name);
    }
    if (failed.empty() && !RecordCopies(backupFolder, gameFolder))
        failed.push_back(std::string(kCopiesRecordName));
    return failed;
}

} // namespace

Outcome<> TakeSecurityCopies(const fs::path& gameFolder, const fs::path& backupFolder,
                             OtherCopies others) {
    if (const auto failed = takeCopies(gameFolder, backupFolder, others); !failed.empty())
        return Outcome<>::NotDone("The security copies could not be taken: " + FewNames(failed));
    return Outcome<>::Done();
}

void RemoveUnfinishedCopies(const fs::path& backupFolder) {
    if (backupFolder.empty())
        return;
    RemoveLeftoverTemporaries(backupFolder);
    const FolderListing backup(backupFolder);
    for (const std::string& name : backup.regularFiles())
        if (name.ends_with(kNewCopySuffix))
            DeleteFileEntry(InFolder(backupFolder, name));
}

// Each name is looked up by itself: listing the whole game folder would cost the
// more, the fuller it is.
Outcome<> RestoreIni(const fs::path& gameFolder, const fs::path& backupFolder) {
    if (gameFolder.empty() || backupFolder.empty())
        return Outcome<>::NotDone("No game folder is set: there is no EAW.INI to restore.");
    const fs::path copy = ResolveInFolder(backupFolder, "EAW.INI");
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(copy, ec)))
        return Outcome<>::NotDone(
            "BACKUPS holds no security copy of EAW.INI: the game's EAW.INI stays as it is.");
    if (!CopyFileReplacing(copy, ResolveInFolder(gameFolder, "EAW.INI")))
        return Outcome<>::NotDone(
            "The security copy of EAW.INI could not be copied over the game's EAW.INI.");
    return Outcome<>::Done();
}

} // namespace quorvel
