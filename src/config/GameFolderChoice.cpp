#include "config/GameFolderChoice.h"

#include "config/PathVariables.h"
#include "platform/FolderListing.h"

#include <system_error>

namespace fs = std::filesystem;

namespace quorvel {

bool HoldsGameProgram(const fs::path& folder) {
    if (folder.empty())
        return false;
    std::error_code error;
    return fs::is_regular_file(ResolveInFolder(folder, "EAW.EXE"), error);
}

bool MayClearGameFolder(const fs::path& gameFolder, const fs::path& backupFolder) {
    return !gameFolder.empty() && (HoldsGameProgram(gameFolder) || HoldsGameProgram(backupFolder));
}

GameFolderChoice::GameFolderChoice()
    : storedBefore_(StoredGameFolder()) {}

bool GameFolderChoice::choose(const fs::path& folder) {
    chosen_ = folder;
    return StorePaths(FolderText(folder));
}

bool GameFolderChoice::acceptable() const {
    return HoldsGameProgram(chosen_);
}

// The choice is stored already; loading it is what moves the program there.
bool GameFolderChoice::accept() {
    if (!acceptable())
        return false;
    ReloadPaths(false);
    return true;
}

// The library folders stored with it follow the program folder, so the program
// works on them from now on; a failed write leaves the path variables as they were.
bool GameFolderChoice::cancel() {
    if (!StorePaths(storedBefore_))
        return false;
    ReloadPaths(false);
    return true;
}

} // namespace quorvel
