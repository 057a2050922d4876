#include "library/ProtectedFiles.h"

#include "config/SecurityCopies.h"
#include "platform/FolderListing.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace quorvel {

RestoreOutcome RestoreFromSecurityCopies(const fs::path& gameFolder, const fs::path& backupFolder,
                                         const std::vector<std::string_view>& names) {
    RestoreOutcome outcome;
    if (gameFolder.empty() || backupFolder.empty())
        return outcome;
    const std::vector<std::string_view> copied = CopyNamedFiles(backupFolder, gameFolder, names);
    const FolderListing backup(backupFolder);
    for (const std::string_view name : names) {
        if (std::find(copied.begin(), copied.end(), name) != copied.end())
            outcome.restored.emplace_back(name);
        else if (backup.find(std::string(name)))
            outcome.failed.emplace_back(name);
    }
    return outcome;
}

} // namespace quorvel
