#pragma once

#include "library/Ledger.h"
#include "library/Recovery.h"
#include "platform/Outcome.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quorvel {

// How a folder the player picks stands to the game a run that did not end
// normally left add-ons in, when that game is no longer where its ledger says.
enum class MovedGameMatch {
    Other,   // holds no file as the add-ons wrote it: another game
    Same,    // everything recorded of that game agrees with it
    NotSure, // holds files as the add-ons wrote them, but not all that was recorded agrees
};

struct MovedGameEvidence {
    MovedGameMatch match = MovedGameMatch::Other;
    std::string disagreement; // for NotSure, what does not agree, in the player's words
};

// Whether nothing can be seen by the path the ledger names: no such folder, or a
// disk that is not there (a drive letter that changed). A game that may have moved;
// one whose folder is there is recovered there, and never taken for moved.
bool LedgerFolderOutOfReach(const Ledger& left);

// Compares `picked` with what the program recorded of the ledger's game: each
// listed file of the add-ons must be there with the size and CRC an add-on's
// member has (or, for a name an install was still on, the game's own as it was
// kept), each of the game's own files kept must have its name there, and the
// security copies of that game (in `backupFolder` or set aside there) must be
// there with their size and CRC, where no add-on replaced them. Without those
// copies nothing vouches for the game itself, and a folder with the add-ons' files
// is only NotSure.
MovedGameEvidence CompareWithRecords(const Ledger& left, const std::filesystem::path& picked,
                                     const std::filesystem::path& backupFolder);

// The add-ons of a game moved since a run left them in it, taken out where it is now.
struct MovedGameRecovery {
    std::filesystem::path movedFrom;  // the folder the ledger named; empty when none was moved
    std::optional<Recovery> recovery; // a recovery that was done, perhaps leaving files
};
// Done with nothing in its report when `picked` is no moved game of `leftovers`.
// Not done, and nothing in `picked` touched, when it may be one but not all the
// records agree, or more than one game's do; not done too when the recovery there
// was not done or left files, as its report says.
using MovedGameOutcome = Outcome<MovedGameRecovery>;

// Among the ledgers whose folders are out of reach, finds the one game `picked`
// is by CompareWithRecords (MovedGameMatch::Same) and takes its add-ons out there
// (RecoverMovedLedger); its ledger leaves `leftovers` once empty. The folder the
// ledger names is never touched.
MovedGameOutcome RecoverMovedGame(std::vector<Ledger>& leftovers,
                                  const std::filesystem::path& picked,
                                  const std::filesystem::path& programFolder,
                                  const std::filesystem::path& backupFolder,
                                  const HoldFolder& hold);

} // namespace quorvel
