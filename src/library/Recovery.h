#pragma once

#include "library/Ledger.h"
#include "platform/Outcome.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvel {

// What the start after a run that ended without Clear All did about the add-ons
// it left in one game folder.
struct Recovery {
    std::filesystem::path gameFolder;
    std::vector<std::string> addons; // as the lists showed them
    std::size_t deleted = 0;
    std::vector<std::string> failed; // the add-ons' files that could not be taken out: still listed
    std::vector<std::string>
        notTheirs; // listed, but what the folder holds there is not the add-on's
    // the game's own files put back: protected ones from the security copies, the
    // others from KEPT
    std::vector<std::string> putBack;
    // the game's own files kept in the program folder that changed there since: not
    // put back, left where they are
    std::vector<std::string> notAsKept;
};

// Not done: the folder was not touched, and the list waits for a later start.
using RecoveryOutcome = Outcome<Recovery>;

// A folder held against other running copies of the program while it lives.
using FolderHold = std::shared_ptr<void>;
// Holds a folder for as long as the returned hold lives; nothing when another
// running copy of the program works on it.
using HoldFolder = std::function<std::optional<FolderHold>(const std::filesystem::path&)>;

// Takes the add-ons `left` lists out of its game folder, and no more: each listed
// file goes only when its size and CRC are those of a member of the add-on's
// archive that writes it, so a stale or forged list, or a kill before a member
// was written, never costs the game or the player a file. Protected files go back
// from the security copies when the copies are of that folder (copies of an older
// Quorvel that match the folder are recorded as its own first). The folder is held
// through `hold` while it changes. Nothing is touched when the folder fails the
// game-folder rule, another copy works on it, or an add-on's protected file could
// not be put back. `left` keeps what could not be
// taken out, and is empty when all went.
RecoveryOutcome RecoverLedger(Ledger& left, const std::filesystem::path& programFolder,
                              const std::filesystem::path& backupFolder, const HoldFolder& hold);

// The same for a game moved since that run (MovedGameMatch::Same): the add-ons are
// taken out of `whereNow`, and the game's own files go back there from what was
// kept and copied for the folder `left` names, which is not touched.
RecoveryOutcome RecoverMovedLedger(Ledger& left, const std::filesystem::path& whereNow,
                                   const std::filesystem::path& programFolder,
                                   const std::filesystem::path& backupFolder,
                                   const HoldFolder& hold);

} // namespace quorvel
