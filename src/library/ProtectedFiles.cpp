#include "library/ProtectedFiles.h"

#include "platform/FileOperations.h"
#include "platform/NameText.h"

namespace fs = std::filesystem;

namespace quorvel {

RestoreOutcome RestoreFromSecurityCopies(const FolderListing& game, const fs::path& backupFolder,
                                         const std::vector<std::string_view>& names) {
    RestoreOutcome outcome;
    if (game.folder().empty() || backupFolder.empty())
        return outcome;
    const FolderListing backup(backupFolder);
    for (const std::string_view view : names) {
        const std::string name(view);
        const auto copy = backup.find(name);
        if (!copy)
            continue;
        if (CopyFileReplacing(InFolder(backupFolder, *copy), game.resolve(name)))
            outcome.restored.push_back(name);
        else
            outcome.failed.push_back(name);
    }
    return outcome;
}

} // namespace quorvel
