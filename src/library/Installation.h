#pragma once

#include "config/GameFolderChoice.h"
#include "config/PathVariables.h"
#include "library/ClearAll.h"
#include "library/Ledger.h"
#include "library/SecurityCopies.h"
#include "library/UninstallAddon.h"
#include "library/Unzip.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quorvel {

struct InstallOutcome {
    std::optional<AddonKey> tookOut; // the add-on of a one-add-on category taken out first
    SharedFilesUninstallResult tookOutFiles;
    std::optional<UnzipResult> extraction; // none when it could not start or stopped part-way
    std::string error; // why it could not start, or why it stopped ("" when it ran to its end)
};

struct UninstallOutcome {
    std::string refusal; // why the game folder was not touched ("" when it was)
    SharedFilesUninstallResult files;
};

struct ClearOutcome {
    bool acted = false;  // false: the game folder was not touched
    std::string refusal; // why it was not touched ("" when there was no game folder)
    ClearAllResult files;
};

struct FolderOutcome {
    bool done = false;
    std::string why; // when not done
};

// What the start after a run that ended without Clear All did about its add-ons.
struct Recovery {
    std::filesystem::path gameFolder;
    std::vector<std::string> addons; // as the lists showed them
    std::size_t deleted = 0;
    std::vector<std::string> failed; // could not be deleted or put back
    std::string refusal;             // why the folder was not touched
};

// The game the program works on and what is installed in it: the game folder
// accepted in this run, the library and backup folders, and the ledger of the
// installed add-ons, kept in the program folder while any are installed. The
// windows draw its state and call its operations; none keeps its own copy.
// Operations run on a worker thread one at a time; the state is read between them.
class Installation {
public:
    // Reads QUORVEL.INI in the program folder; a stored game folder that fails the
    // game folder rule is not used (refusal() says why), and a ledger left by a run
    // that did not end normally is kept for recoverLastRun().
    Installation();
    ~Installation();
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

    const PathVariables& paths() const { return paths_; }
    // The stored game folder and why it was not used; "" when it was, or when none is stored.
    const std::string& refusal() const { return refusal_; }
    const InstalledAddons& installed() const { return ledger_.installed; }
    // The add-on installed in `category`, the first one for those that hold several.
    const InstalledAddon* installedIn(std::size_t category) const;

    // What a run that did not end normally left installed; null when nothing.
    const Ledger* leftovers() const { return leftovers_ ? &*leftovers_ : nullptr; }
    // Takes the add-ons a killed run left out of its game folder (their files,
    // then Clear All), when that folder still passes the rule. What could not be
    // taken out stays installed, shown in the lists, when it is this run's game folder.
    Recovery recoverLastRun(const ClearAllProgress& progress = {});

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
    // The installed add-ons whose files installing the add-on would replace:
    // "CLOUDS (1), COCKPITS (2)"; "" for none.
    std::string conflictLine(std::size_t category, const std::string& name) const;
    // Clear All, only on a game folder accepted in this run that still passes the
    // rule. Add-ons whose files could not all be taken out stay installed with
    // those that remain.
    ClearOutcome clearAll(const ClearAllProgress& progress = {});
    RestoreIniStatus restoreIni() const;

    // The first-run Accept: takes the security copies of the stored and read-back
    // folder, records the first-run flag and works on that folder from now on.
    // Not done, changing nothing the program works on, when any step fails.
    FolderOutcome acceptFirstRun(const GameFolderChoice& choice, bool doNotShowAgain);
    // The game-folder Accept: Clear All on the current folder, new security copies
    // in place of all old ones, then the new folder. The program stays on the
    // current folder when either fails.
    FolderOutcome switchTo(const GameFolderChoice& choice, const ClearAllProgress& progress = {});
    // After a Cancel: the library folders as stored now.
    void reloadLibraryFolders();
    // Why the list of installed add-ons could not be updated after an operation,
    // once; "" when every update since the last call was written.
    std::string takeLedgerFailure();

private:
    void useGameFolder(const std::filesystem::path& folder);
    bool saveLedger();
    void updateLedger();
    std::filesystem::path ledgerFile() const;

    PathVariables paths_;
    std::string refusal_;
    Ledger ledger_;
    std::optional<Ledger> leftovers_;
    bool ledgerNotUpdated_ = false;
};

} // namespace quorvel
