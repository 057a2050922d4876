#include "library/Installation.h"

#include "config/PathVariables.h"
#include "library/AddonLibrary.h"
#include "library/ReplacedAddons.h"
#include "library/SecurityCopies.h"
#include "library/UninstallAddon.h"
#include "platform/FileOperations.h"
#include "platform/NameFolding.h"
#include "platform/NameText.h"
#include "platform/ZipArchive.h"

#include <utility>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

// A folder accepted in this run may have lost EAW.EXE since (an add-on's was
// taken out with no security copy to put back): it is still the game's.
bool stillTheGame(GameFolderFault fault) {
    return fault == GameFolderFault::None || fault == GameFolderFault::NoGameProgram;
}

std::string refusalText(const fs::path& folder, GameFolderFault fault) {
    return NameText(folder) + ": " + GameFolderFaultText(fault);
}

} // namespace

Installation::Installation()
    : paths_(ReadStoredPaths()) {
    const fs::path stored = paths_.GameFolder;
    const GameFolderFault fault = CheckGameFolder(stored, paths_.ProgramFolder);
    useGameFolder(fault == GameFolderFault::None ? stored : fs::path());
    if (fault != GameFolderFault::None && fault != GameFolderFault::NotSet)
        refusal_ = refusalText(stored, fault);
    leftovers_ = LoadLedger(ledgerFile());
    ShowPathsOf(&paths_);
}

Installation::~Installation() {
    if (&Paths() == &paths_)
        ShowPathsOf(nullptr);
}

void Installation::useGameFolder(const fs::path& folder) {
    paths_.GameFolder = folder.empty() ? fs::path() : NamePath(FolderText(folder));
    paths_.GameIniPath = folder.empty() ? fs::path() : paths_.GameFolder / "EAW.INI";
    ledger_.gameFolder = paths_.GameFolder;
}

fs::path Installation::ledgerFile() const {
    return paths_.ProgramFolder.empty() ? fs::path() : paths_.ProgramFolder / kLedgerFileName;
}

bool Installation::saveLedger() {
    return SaveLedger(ledgerFile(), ledger_);
}

void Installation::updateLedger() {
    if (!saveLedger())
        ledgerNotUpdated_ = true;
}

std::string Installation::takeLedgerFailure() {
    if (!std::exchange(ledgerNotUpdated_, false))
        return {};
    return "The list of installed add-ons in Quorvel's folder (" + std::string(kLedgerFileName) +
           ") could not be updated: after a crash the next start would take out add-ons by an "
           "old list.";
}

const InstalledAddon* Installation::installedIn(std::size_t category) const {
    for (const InstalledAddon& addon : ledger_.installed.inOrder())
        if (addon.key.category == category)
            return &addon;
    return nullptr;
}

Recovery Installation::recoverLastRun(const ClearAllProgress& progress) {
    Recovery recovery;
    if (!leftovers_)
        return recovery;
    Ledger left = std::move(*leftovers_);
    leftovers_.reset();
    recovery.gameFolder = left.gameFolder;
    std::vector<std::string> names;
    for (const InstalledAddon& addon : left.installed.inOrder()) {
        recovery.addons.push_back(UpperCase(addon.key.name));
        names.insert(names.end(), addon.writtenNames.begin(), addon.writtenNames.end());
    }
    const GameFolderFault fault = CheckGameFolder(left.gameFolder, paths_.ProgramFolder);
    if (!stillTheGame(fault)) {
        recovery.refusal = refusalText(left.gameFolder, fault);
        return recovery;
    }
    // The add-ons' files of other types first; Clear All then takes the game types
    // and puts the protected files back.
    const UninstallResult files = UninstallAddon(left.gameFolder, names, paths_.BackupFolder);
    const ClearAllResult cleared =
        ClearAll(left.gameFolder, paths_.BackupFolder, left.addonFiles, progress);
    // A worker killed mid-member leaves its temporary file beside the game's.
    const std::size_t temporaries = RemoveLeftoverTemporaries(left.gameFolder);
    recovery.deleted = files.deleted.size() + cleared.deleted.size() + temporaries;
    recovery.failed = files.failed;
    recovery.failed.insert(recovery.failed.end(), cleared.failed.begin(), cleared.failed.end());
    if (!recovery.failed.empty() && NamePath(FolderText(left.gameFolder)) == paths_.GameFolder) {
        left.installed.keepRemaining(recovery.failed, left.gameFolder);
        ledger_ = std::move(left);
    }
    updateLedger();
    return recovery;
}

InstallOutcome Installation::install(std::size_t category, const std::string& name,
                                     const UnzipProgress& progress) {
    InstallOutcome outcome;
    if (paths_.GameFolder.empty()) {
        outcome.error = GameFolderFaultText(GameFolderFault::NotSet);
        return outcome;
    }
    const fs::path archive = AddonArchivePath(paths_.CategoryFolder.at(category), name);
    const InstalledAddon* current = installedIn(category);
    if (kAddonCategories[category].holdsOneAddon && current && ZipArchive(archive).isOpen()) {
        outcome.tookOut = current->key;
        UninstallOutcome tookOut = uninstall(current->key, progress);
        outcome.tookOutFiles = std::move(tookOut.files);
        if (!tookOut.refusal.empty() || installedIn(category)) {
            outcome.error = tookOut.refusal.empty()
                                ? "The installed add-on could not be taken out: " +
                                      FewNames(outcome.tookOutFiles.files.failed)
                                : tookOut.refusal;
            return outcome;
        }
    }
    const AddonKey key{category, name};
    const std::vector<std::string> planned = ArchiveFileNames(archive);
    ledger_.installed.add({key, archive, planned, {}, true});
    if (!saveLedger()) {
        ledger_.installed.remove(key);
        outcome.error = "The list of installed add-ons could not be written in Quorvel's folder";
        return outcome;
    }
    try {
        UnzipResult extraction = Unzip(archive, paths_.GameFolder, progress);
        if (extraction.writtenNames.empty()) {
            ledger_.installed.remove(key);
        } else {
            const std::string replaced = ReplacedAddonsText(
                ReplacedAddons(ledger_.installed, extraction.writtenNames, &key));
            ledger_.installed.add({key, archive, extraction.writtenNames, replaced, false});
            ledger_.addonFiles.wrote(extraction.writtenNames);
        }
        outcome.extraction = std::move(extraction);
    } catch (const std::exception& error) {
        ledger_.addonFiles.wrote(planned);
        outcome.error = error.what();
    }
    updateLedger();
    return outcome;
}

UninstallOutcome Installation::uninstall(const AddonKey& key, const UnzipProgress& progress) {
    UninstallOutcome outcome;
    const GameFolderFault fault = CheckGameFolder(paths_.GameFolder, paths_.ProgramFolder);
    if (!stillTheGame(fault)) {
        outcome.refusal = refusalText(paths_.GameFolder, fault);
        return outcome;
    }
    outcome.files = UninstallSharingFiles(ledger_.installed, key, paths_.GameFolder,
                                          paths_.BackupFolder, progress);
    ledger_.addonFiles.deleted(outcome.files.files.deleted);
    updateLedger();
    return outcome;
}

std::string Installation::conflictLine(std::size_t category, const std::string& name) const {
    const auto names = ArchiveFileNames(AddonArchivePath(paths_.CategoryFolder.at(category), name));
    const InstalledAddon* current = installedIn(category);
    const bool leaves = kAddonCategories[category].holdsOneAddon && current;
    return ReplacedAddonsText(
        ReplacedAddons(ledger_.installed, names, leaves ? &current->key : nullptr));
}

ClearOutcome Installation::clearAll(const ClearAllProgress& progress) {
    ClearOutcome outcome;
    if (paths_.GameFolder.empty())
        return outcome;
    const GameFolderFault fault = CheckGameFolder(paths_.GameFolder, paths_.ProgramFolder);
    if (!stillTheGame(fault)) {
        outcome.refusal = refusalText(paths_.GameFolder, fault);
        return outcome;
    }
    outcome.files = ClearAll(paths_.GameFolder, paths_.BackupFolder, ledger_.addonFiles, progress);
    outcome.acted = true;
    // What Clear All leaves is the game's, but for what it could not take out.
    ledger_.installed.keepRemaining(outcome.files.failed, paths_.GameFolder);
    ledger_.addonFiles = AddonFileRecord();
    for (const InstalledAddon& addon : ledger_.installed.inOrder())
        ledger_.addonFiles.wrote(addon.writtenNames);
    updateLedger();
    return outcome;
}

RestoreIniStatus Installation::restoreIni() const {
    return RestoreIni(paths_.GameFolder, paths_.BackupFolder);
}

FolderOutcome Installation::acceptFirstRun(const GameFolderChoice& choice, bool doNotShowAgain) {
    const auto folder = choice.accepted();
    if (!folder)
        return {false, GameFolderFaultText(choice.fault())};
    // Picking stored the library and backup folders with it, on a first start
    // into a QUORVEL.INI that did not exist before.
    reloadLibraryFolders();
    if (const auto failed = TakeSecurityCopies(*folder, paths_.BackupFolder); !failed.empty())
        return {false, "The security copies could not be taken: " + FewNames(failed)};
    if (!StoreFirstRunFlag(doNotShowAgain))
        return {false, GameFolderFaultText(GameFolderFault::NotStored)};
    useGameFolder(*folder);
    return {true, {}};
}

FolderOutcome Installation::switchTo(const GameFolderChoice& choice,
                                     const ClearAllProgress& progress) {
    const auto folder = choice.accepted();
    if (!folder)
        return {false, GameFolderFaultText(choice.fault())};
    const ClearOutcome cleared = clearAll(progress);
    if (!cleared.refusal.empty())
        return {false, cleared.refusal};
    if (!cleared.files.failed.empty())
        return {false, "these files of add-ons could not be taken out of it: " +
                           FewNames(cleared.files.failed)};
    // The old folder was cleared from the old copies; the new ones go where the
    // choice stored the backup folder.
    reloadLibraryFolders();
    const auto failed = TakeSecurityCopies(*folder, paths_.BackupFolder, OtherCopies::Delete);
    if (!failed.empty())
        return {false, "The security copies could not be taken: " + FewNames(failed)};
    useGameFolder(*folder);
    return {true, {}};
}

void Installation::reloadLibraryFolders() {
    const PathVariables stored = ReadStoredPaths();
    paths_.CategoryFolder = stored.CategoryFolder;
    paths_.BackupFolder = stored.BackupFolder;
}

} // namespace quorvel
