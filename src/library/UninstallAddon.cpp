#include "library/UninstallAddon.h"

#include "config/SecurityCopies.h"
#include "library/MemberName.h"
#include "platform/FileOperations.h"
#include "platform/FolderListing.h"
#include "platform/NameText.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

bool isFileOrLink(const fs::path& path) {
    std::error_code ec;
    const fs::file_type type = fs::symlink_status(path, ec).type();
    return type == fs::file_type::regular || type == fs::file_type::symlink;
}

void deleteWrittenNames(const FolderListing& game, const std::vector<std::string>& names,
                        UninstallResult& result) {
    const fs::path& gameFolder = game.folder();
    for (const std::string& name : names) {
        const auto actual = IsBareFileName(name) ? game.find(name) : std::nullopt;
        if (!actual || !isFileOrLink(InFolder(gameFolder, *actual)))
            continue;
        if (DeleteFileEntry(InFolder(gameFolder, *actual)))
            result.deleted.push_back(*actual);
        else
            result.failed.push_back(*actual);
    }
}

// The protected files the game folder lacks now: absent before, or just deleted
// (an EAW.EXE add-on's EAW.EXE, say); EAW.INI only when it was just deleted, so
// that an add-on's settings file never leaves the game without one, while Restore
// INI stays the one way back for the player's own. Worked out from the one read
// of the folder.
std::vector<std::string_view> missingProtectedFiles(const FolderListing& game,
                                                    const std::vector<std::string>& deleted) {
    std::vector<std::string_view> missing;
    for (const std::string_view name : kProtectedFiles) {
        const auto actual = game.find(std::string(name));
        const bool justDeleted =
            actual && std::find(deleted.begin(), deleted.end(), *actual) != deleted.end();
        if (justDeleted || (!actual && name != "EAW.INI"))
            missing.push_back(name);
    }
    return missing;
}

} // namespace

UninstallResult UninstallAddon(const fs::path& gameFolder,
                               const std::vector<std::string>& writtenNames,
                               const fs::path& backupFolder) {
    UninstallResult result;
    if (gameFolder.empty())
        return result;
    const FolderListing game(gameFolder);
    deleteWrittenNames(game, writtenNames, result);
    // Read afresh, so that a file put back gets its canonical name.
    const std::vector<std::string> failed = CopyNamedFiles(
        backupFolder, FolderListing(gameFolder), missingProtectedFiles(game, result.deleted));
    result.failed.insert(result.failed.end(), failed.begin(), failed.end());
    return result;
}

} // namespace quorvel
