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

std::vector<std::string> ReplaceSecurityCopies(const fs::path& newGameFolder,
                                               const fs::path& backupFolder) {
    if (newGameFolder.empty() || backupFolder.empty() || sameFolder(newGameFolder, backupFolder))
        return {};
    std::vector<std::string> failed;
    const FolderListing backup(backupFolder);
    for (const std::string& name : backup.regularFiles()) {
        if (!DeleteFileEntry(InFolder(backupFolder, name)))
            failed.push_back(name);
    }
    const std::vector<std::string> notCopied = TakeSecurityCopies(newGameFolder, backupFolder);
    failed.insert(failed.end(), notCopied.begin(), notCopied.end());
    return failed;
}

} // namespace quorvel
