#include "library/RestoreIni.h"

#include "library/ProtectedFiles.h"

namespace fs = std::filesystem;

namespace quorvel {

RestoreIniStatus RestoreIni(const fs::path& gameFolder, const fs::path& backupFolder) {
    if (gameFolder.empty() || backupFolder.empty())
        return RestoreIniStatus::FolderNotSet;
    const RestoreOutcome outcome = RestoreFromSecurityCopies(gameFolder, backupFolder, {"EAW.INI"});
    if (!outcome.restored.empty())
        return RestoreIniStatus::Restored;
    return outcome.failed.empty() ? RestoreIniStatus::NoSecurityCopy : RestoreIniStatus::CopyFailed;
}

} // namespace quorvel
