#include "config/SecurityCopies.h"

#include "platform/FileOperations.h"
#include "platform/NameText.h"

namespace fs = std::filesystem;

namespace quorvel {

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

std::vector<std::string> TakeSecurityCopies(const fs::path& gameFolder,
                                            const fs::path& backupFolder) {
    return CopyNamedFiles(gameFolder, FolderListing(backupFolder),
                          {kProtectedFiles.begin(), kProtectedFiles.end()});
}

} // namespace quorvel
