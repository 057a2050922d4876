#pragma once

#include <filesystem>
#include <string>

namespace quorvel {

// Whether `folder` holds the game's program, EAW.EXE, in any letter case: the only
// folder the program accepts as the game folder.
bool HoldsGameProgram(const std::filesystem::path& folder);

// Whether Clear All may touch `gameFolder`: it holds EAW.EXE, or `backupFolder`
// holds the security copy of it. Any other folder is not known to be the game's.
bool MayClearGameFolder(const std::filesystem::path& gameFolder,
                        const std::filesystem::path& backupFolder);

// The game folder chosen in the first-run or game-folder window. Each folder the
// player moves to is stored in QUORVEL.INI at once, but the path variables the
// program works on stay as they are until Accept; cancelling stores the folder
// that was stored when the choice began.
class GameFolderChoice {
public:
    GameFolderChoice();

    // Stores `folder` as the game folder. Returns whether QUORVEL.INI was written.
    bool choose(const std::filesystem::path& folder);
    // Whether the folder chosen last can be accepted (it holds EAW.EXE).
    bool acceptable() const;
    // The path variables now describe the chosen folder. Returns false, changing
    // nothing, when the chosen folder cannot be accepted.
    bool accept();
    // Stores the game folder that was stored when the choice began, and the path
    // variables describe what is stored then. Returns false, the path variables
    // unchanged, when QUORVEL.INI could not be written.
    bool cancel();

    // The game folder stored when the choice began, as stored.
    const std::string& storedBefore() const { return storedBefore_; }

private:
    std::string storedBefore_;
    std::filesystem::path chosen_;
};

} // namespace quorvel
