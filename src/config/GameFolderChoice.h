#pragma once

#include "platform/Outcome.h"

#include <filesystem>
#include <optional>
#include <string>

namespace quorvel {

// Why a folder cannot be the game folder; None when it can.
enum class GameFolderFault {
    None,
    NotSet,
    NotStored,       // QUORVEL.INI could not be written, reads back another folder, or
                     // names another folder since it was chosen
    Relative,        // would be taken from whatever folder the program was started in
    Missing,         // no such folder
    NoGameProgram,   // holds no EAW.EXE
    InProgramFolder, // the program's own folder or one inside it, BACKUPS among them
    NotStorable      // QUORVEL.INI would read it back as another folder (too long, say)
};

// The reason in the player's words: "This folder holds no EAW.EXE".
std::string GameFolderFaultText(GameFolderFault fault);

// The one rule for a game folder, whether picked, read from QUORVEL.INI or about
// to be cleared: an absolute path to an existing folder that is neither
// `programFolder` nor inside it however either is spelled, whose stored text reads
// back as the same folder, and that holds EAW.EXE (any case). The fault is the
// first of these that fails, so NoGameProgram means every other check passed.
GameFolderFault CheckGameFolder(const std::filesystem::path& folder,
                                const std::filesystem::path& programFolder);

// The game folder chosen in the first-run or game-folder window. Each folder the
// player moves to is stored in QUORVEL.INI at once, but the program works on the
// folder it has until Accept; cancelling stores the folder that was stored when
// the choice began.
class GameFolderChoice {
public:
    GameFolderChoice();

    // Stores `folder` as the game folder. Returns whether QUORVEL.INI was written
    // and reads it back.
    bool choose(const std::filesystem::path& folder);
    // Why the folder chosen last cannot be accepted; None when it can.
    GameFolderFault fault() const;
    // The folder QUORVEL.INI holds now, when it is the one chosen last and passes
    // the rule: the one folder Accept may act on. Nothing otherwise.
    std::optional<std::filesystem::path> accepted() const;
    // Stores the game folder that was stored when the choice began.
    Outcome<> cancel();

    // The game folder stored when the choice began, as stored.
    const std::string& storedBefore() const { return storedBefore_; }

private:
    std::string storedBefore_;
    std::filesystem::path chosen_;
    bool stored_ = false;
};

} // namespace quorvel
