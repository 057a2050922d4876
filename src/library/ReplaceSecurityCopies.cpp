#include "library/ReplaceSecurityCopies.h"

#include "config/SecurityCopies.h"
#include "platform/FileOperations.h"
#include "platform/FolderListing.h"
#include "platform/NameText.h"

#include <system_error>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

bool sameFolder(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

} // namespace

ReplaceSecurityCopiesResult ReplaceSecurityCopies(const fs::path& newGameFolder,
                                                  const fs::path& backupFolder) {
    ReplaceSecurityCopiesResult result;
    if (newGameFolder.empty() || backupFolder.empty() || sameFolder(newGameFolder, backupFolder))
        return result;
    result.done = true;
    const FolderListing backup(backupFolder);
    for (const std::string& name : backup.regularFiles()) {
        if (DeleteFileEntry(InFolder(backupFolder, name)))
            result.deleted.push_back(name);
        else
            result.failed.push_back(name);
    }
    CopiedFiles copies = TakeSecurityCopies(newGameFolder, backupFolder);
    result.copied = std::move(copies.copied);
    result.failed.insert(result.failed.end(), copies.failed.begin(), copies.failed.end());
    return result;
}

} // namespace quorvel
