#include "config/GameFolderChoice.h"

#include "config/PathVariables.h"
#include "platform/FolderIdentity.h"
#include "platform/FolderListing.h"
#include "platform/IniFile.h"
#include "platform/NameText.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

bool holdsGameProgram(const fs::path& folder) {
    std::error_code error;
    return fs::is_regular_file(ResolveInFolder(folder, "EAW.EXE"), error);
}

// QUORVEL.INI's reading rules (the length limit, blanks and quotes dropped) must
// give back the very text written.
bool readsBackAsItself(const std::string& text) {
    std::string file;
    return SetIniValueIn(file, "PATH", "RUTAEAW", text) &&
           ReadIniValueIn(file, "PATH", "RUTAEAW") == text;
}

} // namespace

std::string GameFolderFaultText(GameFolderFault fault) {
    switch (fault) {
    case GameFolderFault::None:
        return {};
    case GameFolderFault::NotSet:
        return "No game folder is set";
    case GameFolderFault::NotStored:
        return "The folder could not be stored in QUORVEL.INI";
    case GameFolderFault::Relative:
        return "The folder is not a full path from a drive or the root";
    case GameFolderFault::Missing:
        return "The folder does not exist";
    case GameFolderFault::NoGameProgram:
        return "This folder holds no EAW.EXE";
    case GameFolderFault::InProgramFolder:
        return "This is Quorvel's own folder or a folder inside it";
    case GameFolderFault::NotStorable:
        return "QUORVEL.INI cannot hold this folder's path (254 characters at most)";
    }
    return {};
}

GameFolderFault CheckGameFolder(const fs::path& folder, const fs::path& programFolder) {
    if (folder.empty())
        return GameFolderFault::NotSet;
    if (!folder.is_absolute())
        return GameFolderFault::Relative;
    std::error_code error;
    if (!fs::is_directory(folder, error))
        return GameFolderFault::Missing;
    if (!programFolder.empty() && InsideOrSame(folder, programFolder))
        return GameFolderFault::InProgramFolder;
    if (!readsBackAsItself(FolderText(folder)))
        return GameFolderFault::NotStorable;
    // Last, so that a folder without it has passed every other check.
    if (!holdsGameProgram(folder))
        return GameFolderFault::NoGameProgram;
    return GameFolderFault::None;
}

GameFolderChoice::GameFolderChoice()
    : storedBefore_(StoredGameFolder()) {}

bool GameFolderChoice::choose(const fs::path& folder) {
    chosen_ = folder;
    const std::string text = FolderText(folder);
    stored_ = StorePaths(text) && StoredGameFolder() == text;
    return stored_;
}

// Another program may have written QUORVEL.INI since the folder was chosen: the
// choice then no longer stands, and Accept must say so rather than fail unexplained.
GameFolderFault GameFolderChoice::fault() const {
    if (!chosen_.empty() && (!stored_ || StoredGameFolder() != FolderText(chosen_)))
        return GameFolderFault::NotStored;
    return CheckGameFolder(chosen_, ProgramFolder());
}

std::optional<fs::path> GameFolderChoice::accepted() const {
    if (fault() != GameFolderFault::None)
        return std::nullopt;
    return NamePath(StoredGameFolder());
}

Outcome<> GameFolderChoice::cancel() {
    if (!StorePaths(storedBefore_))
        return Outcome<>::NotDone(
            "QUORVEL.INI could not be written: it may still name the last folder picked");
    return Outcome<>::Done();
}

} // namespace quorvel
