#pragma once

#include "config/GameFolderChoice.h"
#include "config/PathVariables.h"
#include "library/AddonContents.h"
#include "library/ClearAll.h"
#include "library/Ledger.h"
#include "library/MovedGame.h"
#include "library/Recovery.h"
#include "library/SecurityCopies.h"
#include "library/UninstallAddon.h"
#include "library/Unzip.h"
#include "platform/Outcome.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quorvel {

struct InstallReport {
    std::optional<AddonKey> tookOut; // the add-on of a one-add-on category taken out first
    SharedFilesUninstallResult tookOutFiles;
    std::optional<UnzipResult> extraction; // none when it could not start or stopped part-way
};

// Done when the extraction wrote every member it could. Not done: it could not
// start, it stopped part-way (no extraction in the report), or the extraction is
// not done, and then why() is the extraction's own.
using InstallOutcome = Outcome<InstallReport>;
// Not done: the game folder was not touched.
using UninstallOutcome = Outcome<SharedFilesUninstallResult>;
// Not done: the game folder was not touched. Done, with nothing in its report,
// when there is no game folder: nothing can be installed in none.
using ClearOutcome = Outcome<ClearAllResult>;
// Its report: the add-ons of a game moved after a run that did not end normally,
// taken out on the way where the game is now.
using FolderOutcome = Outcome<MovedGameRecovery>;

// The game the program works on and what is installed in it: the game folder
// accepted in this run, the library and backup folders, and the ledger of the
// installed add-ons, kept in the program folder while any are installed. The
// windows draw its state and call its operations; none keeps its own copy.
// Operations run on a worker thread one at a time; the state is read between them.
class Installation {
public:
    // Reads QUORVEL.INI in the program folder; a stored game folder that fails the
    // game folder rule, or that the security copies were not taken from, is not
    // used (whyFolderUnused() says why), and the ledgers left by runs that did not end
    // normally are kept for recoverLastRun(). `hold` holds a folder against other
    // running copies while a recovery changes it; nothing of a folder another copy
    // works on is touched.
    explicit Installation(HoldFolder hold = {});
    ~Installation();
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

    const PathVariables& paths() const { return paths_; }
    // The stored game folder and why it was not used; "" when it was, or when none is stored.
    const std::string& whyFolderUnused() const { return whyFolderUnused_; }
    const InstalledAddons& installed() const { return ledger_.installed; }
    // The add-on installed in `category`, the first one for those that hold several.
    const InstalledAddon* installedIn(std::size_t category) const;

    // What runs that did not end normally left installed and is not taken out yet,
    // one ledger a game folder.
    const std::vector<Ledger>& leftovers() const { return leftovers_; }
    // Whether the start has something of the last run to put right first: the
    // leftovers, or copies of the game's files that an install killed before its
    // list named them left in the program folder.
    bool recoveryDue() const { return !leftovers_.empty() || keptCopiesUnlisted_; }
    // Takes the add-ons that runs which did not end normally left out of their game
    // folders (RecoverLedger), one recovery a folder. What could not be taken out,
    // or waits for its folder, stays listed in the program folder for the next
    // start; in this run's game folder it stays installed, shown in the lists.
    // A stored game folder whose copies were recorded meanwhile is used from now on.
    std::vector<RecoveryOutcome> recoverLastRun();
    // Stops waiting for the folder `folder` that a run left add-ons in: its list goes,
    // while the game's own files kept for it and its security copies set aside stay
    // where they are (KeptFilesFolder, SetAsideCopiesFolder). Returns whether the
    // program folder's list says so now.
    bool forgetLeftoversIn(const std::filesystem::path& folder);

    // Installs the add-on; in a category that holds one, the installed one is taken
    // out first unless the new archive cannot be opened. The ledger names what it
    // will write before the game folder changes; an extraction that stops part-way
    // stays recorded as partly installed with every name it may have written.
    InstallOutcome install(std::size_t category, const std::string& name,
                           const UnzipProgress& progress = {});
    // Uninstalls an add-on, putting back from their recorded archives the files
    // that other installed add-ons wrote too. Files that could not be deleted stay
    // the add-on's, and it stays installed with them; a game folder that is not
    // there is not acted on.
    UninstallOutcome uninstall(const AddonKey& key, const UnzipProgress& progress = {});
    // What the installed add-on holds: the files its installation wrote, each with
    // the add-on that holds it now, and the game's own files kept for it.
    InstalledContentsOutcome contentsOf(const AddonKey& key) const;
    // What installing the library's add-on would write and replace, file by file.
    ArchiveContentsOutcome wouldWrite(std::size_t category, const std::string& name) const;
    // The installed add-ons whose files installing the add-on would replace:
    // "CLOUDS (1), COCKPITS (2)"; "" for none, and for an archive that cannot be read.
    std::string conflictLine(std::size_t category, const std::string& name) const;
    // The game's own files kept for the add-on, which come back when it goes.
    std::vector<std::string> keptFor(const AddonKey& key) const;
    // Clear All, only on a game folder accepted in this run that still passes the
    // rule. Add-ons whose files could not all be taken out stay installed with
    // those that remain.
    ClearOutcome clearAll(const ClearAllProgress& progress = {});
    Outcome<> restoreIni() const;

    // The first-run Accept: takes out what a run that did not end normally left in
    // the stored and read-back folder (or in the game it is, moved since that run:
    // RecoverMovedGame), takes its security copies, records the first-run flag and
    // works on that folder from now on. Not done, changing nothing the program
    // works on, when any step fails.
    FolderOutcome acceptFirstRun(const GameFolderChoice& choice, bool doNotShowAgain);
    // The game-folder Accept: takes out what a run that did not end normally left
    // in the new folder (or in the game it is, moved since), Clear All on the
    // current folder, new security copies in place of all old ones, then the new
    // folder. The program stays on the current folder when a step fails, as long
    // as the copies are still its own; else it works on no folder
    // (whyFolderUnused() says why).
    FolderOutcome switchTo(const GameFolderChoice& choice, const ClearAllProgress& progress = {});
    // After a Cancel: the library folders as stored now.
    void reloadLibraryFolders();
    // Why the list of installed add-ons could not be updated after an operation,
    // once; "" when every update since the last call was written.
    std::string takeLedgerFailure();

private:
    void useStoredGameFolder();
    void useGameFolder(const std::filesystem::path& folder);
    std::string recoverIn(const std::filesystem::path& folder, MovedGameRecovery& moved);
    std::string recoverNamedIn(const std::filesystem::path& folder);
    std::string setAsideCopiesStillNeeded(const std::filesystem::path& chosen) const;
    void dropKeptFilesNotReplaced(const std::vector<std::string>& kept,
                                  const std::vector<std::string>& written);
    std::vector<std::string> putBackKeptFiles(bool clearing);
    bool saveLedger();
    void updateLedger();
    std::filesystem::path ledgerFile() const;

    HoldFolder hold_;
    PathVariables paths_;
    std::string whyFolderUnused_;
    Ledger ledger_;
    std::vector<Ledger> leftovers_;
    bool ledgerNotUpdated_ = false;
    bool keptCopiesUnlisted_ = false;
};

} // namespace quorvel
