#include "library/UninstallAddon.h"

#include "library/MemberName.h"
#include "library/SecurityCopies.h"
#include "platform/FileOperations.h"
#include "platform/FolderListing.h"
#include "platform/NameFolding.h"
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

// A protected file with a security copy is replaced by the copy rather than
// deleted first: a copy that fails (a full disk) never costs the game its file.
void takeOutWrittenNames(const FolderListing& game, const FolderListing& backup,
                         const std::vector<std::string>& names, UninstallResult& result,
                         std::vector<std::string_view>& replaced) {
    const fs::path& gameFolder = game.folder();
    for (const std::string& name : names) {
        const auto actual = IsBareFileName(name) ? game.find(name) : std::nullopt;
        if (!actual || !isFileOrLink(InFolder(gameFolder, *actual)))
            continue;
        if (const auto file = ProtectedFileNamed(*actual); file && backup.find(*actual)) {
            replaced.push_back(*file);
            result.deleted.push_back(*actual);
        } else if (DeleteFileEntry(InFolder(gameFolder, *actual))) {
            result.deleted.push_back(*actual);
        } else {
            result.failed.push_back(*actual);
        }
    }
}

} // namespace

UninstallResult UninstallAddon(const fs::path& gameFolder,
                               const std::vector<std::string>& writtenNames,
                               const fs::path& backupFolder) {
    UninstallResult result;
    if (gameFolder.empty())
        return result;
    const FolderListing game(gameFolder);
    const FolderListing backup(backupFolder);
    std::vector<std::string_view> putBack;
    takeOutWrittenNames(game, backup, writtenNames, result, putBack);
    // EAW.INI is put back only where the add-on brought its own: Restore INI stays
    // the way back for the player's own settings.
    for (const std::string_view name : MissingRestoredFiles(game, result.deleted))
        if (std::find(putBack.begin(), putBack.end(), name) == putBack.end())
            putBack.push_back(name);
    // Read afresh, so that a file put back gets its canonical name.
    const std::vector<std::string> failed =
        CopyNamedFiles(backupFolder, FolderListing(gameFolder), putBack);
    for (const std::string& name : failed)
        std::erase_if(result.deleted,
                      [&name](const std::string& gone) { return EqualsIgnoringCase(gone, name); });
    result.failed.insert(result.failed.end(), failed.begin(), failed.end());
    return result;
}

} // namespace quorvel
