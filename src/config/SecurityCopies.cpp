#include "config/SecurityCopies.h"

#include "platform/FileOperations.h"
#include "platform/FolderListing.h"
#include "platform/NameText.h"

namespace fs = std::filesystem;

namespace quorvel {

std::vector<std::string_view> CopyNamedFiles(const fs::path& fromFolder, const fs::path& toFolder,
                                             const std::vector<std::string_view>& names) {
    std::vector<std::string_view> copied;
    if (fromFolder.empty() || toFolder.empty())
        return copied;
    const FolderListing source(fromFolder);
    const FolderListing destination(toFolder);
    for (const std::string_view name : names) {
        const auto actual = source.find(std::string(name));
        if (!actual)
            continue;
        if (CopyFileReplacing(InFolder(fromFolder, *actual), destination.resolve(std::string(name))))
            copied.push_back(name);
    }
    return copied;
}

std::vector<std::string_view> TakeSecurityCopies(const fs::path& gameFolder,
                                                 const fs::path& backupFolder) {
    return CopyNamedFiles(gameFolder, backupFolder,
                          {kProtectedFiles.begin(), kProtectedFiles.end()});
}

} // namespace quorvel
