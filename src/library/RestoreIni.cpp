#include "library/RestoreIni.h"

#include "platform/FileOperations.h"
#include "platform/FolderListing.h"

#include <system_error>

namespace fs = std::filesystem;

namespace quorvel {

// Each name is looked up by itself: listing the whole game folder would cost the
// more, the fuller it is.
RestoreIniStatus RestoreIni(const fs::path& gameFolder, const fs::path& backupFolder) {
    if (gameFolder.empty() || backupFolder.empty())
        return RestoreIniStatus::FolderNotSet;
    const fs::path copy = ResolveInFolder(backupFolder, "EAW.INI");
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(copy, ec)))
        return RestoreIniStatus::NoSecurityCopy;
    return CopyFileReplacing(copy, ResolveInFolder(gameFolder, "EAW.INI"))
               ? RestoreIniStatus::Restored
               : RestoreIniStatus::CopyFailed;
}

} // namespace quorvel
