#include "config/SecurityCopies.h"

#include "platform/FileOperations.h"
#include "platform/NameText.h"

namespace fs = std::filesystem;

namespace quorvel {

CopiedFiles CopyNamedFiles(const fs::path& fromFolder, const FolderListing& to,
                           const std::vector<std::string_view>& names) {
    CopiedFiles result;
    if (fromFolder.empty() || to.folder().empty())
        return result;
    const FolderListing source(fromFolder);
    for (const std::string_view view : names) {
        const std::string name(view);
        const auto actual = source.find(name);
        if (!actual)
            continue;
        if (CopyFileReplacing(InFolder(fromFolder, *actual), to.resolve(name)))
            result.copied.push_back(name);
        else
            result.failed.push_back(name);
    }
    return result;
}

CopiedFiles TakeSecurityCopies(const fs::path& gameFolder, const fs::path& backupFolder) {
    return CopyNamedFiles(gameFolder, FolderListing(backupFolder),
                          {kProtectedFiles.begin(), kProtectedFiles.end()});
}

} // namespace quorvel
