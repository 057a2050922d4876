#include "library/Installation.h"

#include "config/PathVariables.h"
#include "library/AddonLibrary.h"
#include "library/CopiesRecord.h"
#include "library/InstalledAddons.h"
#include "library/KeptGameFiles.h"
#include "library/SecurityCopies.h"
#include "library/UninstallAddon.h"
#include "platform/FileOperations.h"
#include "platform/FolderIdentity.h"
#include "platform/FolderListing.h"
#include "platform/NameFolding.h"
#include "platform/NameText.h"
#include "platform/ZipArchive.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

// A folder accepted in this run may have lost EAW.EXE since (an add-on's was
// taken out with no security copy to put back): it is still the game's. Every
// other check of the rule comes before that one.
bool stillTheGame(GameFolderFault fault) {
    return fault == GameFolderFault::None || fault == GameFolderFault::NoGameProgram;
}

std::string refusalText(const fs::path& folder, const std::string& why) {
    return NameText(folder) + ": " + why;
}

} // namespace

Installation::Installation(HoldFolder hold)
    : hold_(std::move(hold))
    , paths_(ReadStoredPaths())
    , leftovers_(LoadLedgers(ledgerFile(), paths_)) {
    // What a killed run was writing: its lists, settings and copies half made.
    RemoveLeftoverTemporaries(paths_.ProgramFolder);
    RemoveUnfinishedCopies(paths_.BackupFolder);
    useStoredGameFolder();
    std::error_code error;
    keptCopiesUnlisted_ =
        !paths_.GameFolder.empty() &&
        fs::is_directory(KeptFilesFolder(paths_.BackupFolder, ledger_.gameFolder), error);
}

Installation::~Installation() = default;

// The stored folder is acted on only when it passes the rule and is the folder
// the security copies were taken from: a folder only browsed to, or a switch cut
// short, is not the accepted game. Copies of an older Quorvel are adopted when
// they match the folder; not while a run that did not end normally has add-ons
// in it, whose files the comparison would take for the game's.
void Installation::useStoredGameFolder() {
    const fs::path stored = ReadStoredPaths().GameFolder;
    whyFolderUnused_.clear();
    useGameFolder({});
    const GameFolderFault fault = CheckGameFolder(stored, paths_.ProgramFolder);
    if (fault != GameFolderFault::None) {
        if (fault != GameFolderFault::NotSet)
            whyFolderUnused_ = refusalText(stored, GameFolderFaultText(fault));
        return;
    }
    const bool leftInIt = std::any_of(leftovers_.begin(), leftovers_.end(), [&](const Ledger& l) {
        return SameFolder(l.gameFolder, stored);
    });
    CopiesState copies = CheckCopies(paths_.BackupFolder, stored);
    if (copies == CopiesState::Unrecorded && !leftInIt && AdoptCopies(paths_.BackupFolder, stored))
        copies = CopiesState::OfThisGame;
    if (copies != CopiesState::OfThisGame) {
        whyFolderUnused_ = refusalText(stored, CopiesStateText(copies, paths_.BackupFolder));
        return;
    }
    useGameFolder(stored);
}

// What is listed for another folder waits in the program folder for its turn.
void Installation::useGameFolder(const fs::path& folder) {
    if (!ledger_.empty() && !SameFolder(ledger_.gameFolder, folder))
        leftovers_.push_back(std::exchange(ledger_, Ledger()));
    paths_.GameFolder = folder.empty() ? fs::path() : NamePath(FolderText(folder));
    paths_.GameIniPath = folder.empty() ? fs::path() : paths_.GameFolder / "EAW.INI";
    // A list keeps the spelling of the folder it began with: its kept files lie in
    // a folder named after that text, and the next start finds them by it.
    if (ledger_.empty()) {
        ledger_ = Ledger();
        ledger_.gameFolder = paths_.GameFolder;
    }
}

fs::path Installation::ledgerFile() const {
    return paths_.ProgramFolder.empty() ? fs::path() : paths_.ProgramFolder / kLedgerFileName;
}

bool Installation::saveLedger() {
    std::vector<const Ledger*> ledgers{&ledger_};
    for (const Ledger& left : leftovers_)
        ledgers.push_back(&left);
    return SaveLedgers(ledgerFile(), ledgers);
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

std::vector<RecoveryOutcome> Installation::recoverLastRun() {
    std::vector<RecoveryOutcome> recoveries;
    std::vector<Ledger> waiting;
    for (Ledger& left : leftovers_) {
        recoveries.push_back(RecoverLedger(left, paths_.ProgramFolder, paths_.BackupFolder, hold_));
        if (!left.empty())
            waiting.push_back(std::move(left));
    }
    leftovers_ = std::move(waiting);
    if (paths_.GameFolder.empty())
        useStoredGameFolder();
    // What stays of this run's own folder is shown as installed.
    const auto own = std::find_if(leftovers_.begin(), leftovers_.end(), [this](const Ledger& l) {
        return SameFolder(l.gameFolder, paths_.GameFolder);
    });
    if (own != leftovers_.end() && ledger_.empty()) {
        ledger_ = std::move(*own);
        leftovers_.erase(own);
    }
    DropUnlistedKeptCopies(
        paths_.GameFolder,
        {KeptFilesFolder(paths_.BackupFolder, ledger_.gameFolder), ledger_.kept.files});
    keptCopiesUnlisted_ = false;
    updateLedger();
    return recoveries;
}

bool Installation::forgetLeftoversIn(const fs::path& folder) {
    std::vector<Ledger> forgotten;
    for (auto left = leftovers_.begin(); left != leftovers_.end();) {
        if (left->gameFolder == folder) {
            forgotten.push_back(std::move(*left));
            left = leftovers_.erase(left);
        } else {
            ++left;
        }
    }
    if (saveLedger())
        return true;
    std::move(forgotten.begin(), forgotten.end(), std::back_inserter(leftovers_));
    return false;
}

// Before the program takes a folder's security copies, the add-ons a run that
// did not end normally left there must be out: else an add-on's EAW.EXE would
// become the game's copy. That holds for a game moved since, known by what was
// recorded of it. Returns why they are not, "" when they are.
std::string Installation::recoverIn(const fs::path& folder, MovedGameRecovery& moved) {
    const bool named = std::any_of(leftovers_.begin(), leftovers_.end(), [&](const Ledger& l) {
        return SameFolder(l.gameFolder, folder);
    });
    if (named) {
        if (std::string why = recoverNamedIn(folder); !why.empty())
            return why;
    } else {
        MovedGameOutcome recovered =
            RecoverMovedGame(leftovers_, folder, paths_.ProgramFolder, paths_.BackupFolder, hold_);
        moved = std::move(recovered.report());
        updateLedger();
        if (!recovered.done())
            return recovered.why();
    }
    return setAsideCopiesStillNeeded(folder);
}

std::string Installation::recoverNamedIn(const fs::path& folder) {
    std::string why;
    for (auto left = leftovers_.begin(); left != leftovers_.end();) {
        if (!SameFolder(left->gameFolder, folder)) {
            ++left;
            continue;
        }
        const RecoveryOutcome recovery =
            RecoverLedger(*left, paths_.ProgramFolder, paths_.BackupFolder, hold_);
        if (!recovery.done())
            why = recovery.why();
        else if (!recovery->failed.empty())
            why = "these files of add-ons could not be taken out: " + FewNames(recovery->failed);
        left = left->empty() ? leftovers_.erase(left) : left + 1;
    }
    updateLedger();
    if (why.empty())
        return {};
    return "Quorvel's list of installed add-ons (" + std::string(kLedgerFileName) +
           ") still names add-ons of a run that did not end normally in that folder: " + why;
}

// The security copies of a folder whose recovery waits are the only way back for
// the protected files its add-ons replaced: before new copies of another folder
// take their place, they are set aside in a folder of their own, where its
// recovery finds them. Returns why they could not be, "" when they were or were
// not needed.
std::string Installation::setAsideCopiesStillNeeded(const fs::path& chosen) const {
    for (const Ledger& left : leftovers_) {
        if (SameFolder(left.gameFolder, chosen) ||
            CheckCopies(paths_.BackupFolder, left.gameFolder) != CopiesState::OfThisGame)
            continue;
        const auto& addons = left.installed.inOrder();
        const bool needed = std::any_of(addons.begin(), addons.end(), [](const auto& addon) {
            return std::any_of(addon.writtenNames.begin(), addon.writtenNames.end(),
                               [](const std::string& name) { return ProtectedFileNamed(name); });
        });
        if (needed && !SetCopiesAside(paths_.BackupFolder, left.gameFolder))
            return "the security copies are those of " + NameText(left.gameFolder) +
                   ", where add-ons left by a run that did not end normally replaced protected "
                   "files, and they could not be set aside in " +
                   NameText(SetAsideCopiesFolder(paths_.BackupFolder, left.gameFolder)) +
                   " (is the disk full?); new copies would leave that game without its own";
    }
    return {};
}

InstallOutcome Installation::install(std::size_t category, const std::string& name,
                                     const UnzipProgress& progress) {
    InstallReport report;
    if (paths_.GameFolder.empty())
        return InstallOutcome::NotDone(GameFolderFaultText(GameFolderFault::NotSet));
    const fs::path archive = AddonArchivePath(paths_.CategoryFolder.at(category), name);
    const InstalledAddon* current = installedIn(category);
    if (kAddonCategories[category].holdsOneAddon && current && ZipArchive(archive).isOpen()) {
        report.tookOut = current->key;
        UninstallOutcome tookOut = uninstall(current->key, progress);
        report.tookOutFiles = std::move(tookOut.report());
        if (!tookOut.done())
            return InstallOutcome::NotDone(tookOut.why(), std::move(report));
        if (installedIn(category))
            return InstallOutcome::NotDone("The installed add-on could not be taken out: " +
                                               FewNames(report.tookOutFiles.files.failed),
                                           std::move(report));
    }
    const AddonKey key{category, name};
    const std::vector<MemberCheck> checks = ArchiveMemberChecks(archive);
    const std::vector<std::string> planned = FileNamesOf(checks);
    const std::vector<std::string> keeping =
        GameFilesReplacedBy(FolderListing(paths_.GameFolder), ledger_.installed, planned,
                            FilesCoveredByCopies(paths_.BackupFolder, paths_.GameFolder));
    ledger_.installed.add({key, archive, planned, {}, true, checks});
    if (ledger_.kept.empty())
        ledger_.kept.folder = KeptFilesFolder(paths_.BackupFolder, ledger_.gameFolder);
    // The game's own files are kept, and the ledger names them, before any is replaced.
    const std::string notKept = KeepGameFiles(paths_.GameFolder, keeping, ledger_.kept);
    if (!notKept.empty() || !saveLedger()) {
        ledger_.installed.remove(key);
        for (const std::string& file : keeping)
            DropKeptFile(file, ledger_.kept);
        return InstallOutcome::NotDone(
            notKept.empty() ? "The list of installed add-ons could not be written in Quorvel's "
                              "folder"
                            : "The game's own " + notKept +
                                  ", which the add-on would replace, could not be kept in "
                                  "Quorvel's folder (is its disk full?)",
            std::move(report));
    }
    try {
        UnzipResult extraction = Unzip(archive, paths_.GameFolder, progress);
        dropKeptFilesNotReplaced(keeping, extraction->writtenNames);
        if (extraction->writtenNames.empty()) {
            ledger_.installed.remove(key);
        } else {
            const std::string replaced = ReplacedAddonsText(
                ReplacedAddons(ledger_.installed, extraction->writtenNames, &key));
            ledger_.installed.add(
                {key, archive, extraction->writtenNames, replaced, false, checks});
            ledger_.addonFiles.wrote(extraction->writtenNames);
        }
        report.extraction = std::move(extraction);
    } catch (const std::exception& error) {
        ledger_.addonFiles.wrote(planned);
        updateLedger();
        return InstallOutcome::NotDone(error.what(), std::move(report));
    }
    updateLedger();
    if (!report.extraction->done()) {
        std::string why = report.extraction->why(); // before the report moves
        return InstallOutcome::NotDone(std::move(why), std::move(report));
    }
    return InstallOutcome::Done(std::move(report));
}

UninstallOutcome Installation::uninstall(const AddonKey& key, const UnzipProgress& progress) {
    const GameFolderFault fault = CheckGameFolder(paths_.GameFolder, paths_.ProgramFolder);
    if (!stillTheGame(fault))
        return UninstallOutcome::NotDone(
            refusalText(paths_.GameFolder, GameFolderFaultText(fault)));
    SharedFilesUninstallResult files = UninstallSharingFiles(
        ledger_.installed, key, paths_.GameFolder, paths_.BackupFolder, progress);
    ledger_.addonFiles.deleted(files.files.deleted);
    const auto notBack = putBackKeptFiles(false);
    files.files.failed.insert(files.files.failed.end(), notBack.begin(), notBack.end());
    updateLedger();
    return UninstallOutcome::Done(std::move(files));
}

InstalledContentsOutcome Installation::contentsOf(const AddonKey& key) const {
    return ContentsOf(ledger_, key);
}

ArchiveContentsOutcome Installation::wouldWrite(std::size_t category,
                                                const std::string& name) const {
    if (category >= kAddonCategories.size())
        return ArchiveContentsOutcome::NotDone("There is no add-on category " +
                                               std::to_string(category));
    const InstalledAddon* current = installedIn(category);
    const AddonKey* leaving =
        kAddonCategories[category].holdsOneAddon && current ? &current->key : nullptr;
    return WouldWrite(AddonArchivePath(paths_.CategoryFolder[category], name), ledger_, paths_,
                      leaving);
}

std::string Installation::conflictLine(std::size_t category, const std::string& name) const {
    const ArchiveContentsOutcome contents = wouldWrite(category, name);
    if (!contents.done())
        return {};
    return ReplacedAddonsText(ReplacedCounts(contents->files, ledger_.installed));
}

std::vector<std::string> Installation::keptFor(const AddonKey& key) const {
    return KeptFor(ledger_, key);
}

// An install whose member was not written left the game's file as it was.
void Installation::dropKeptFilesNotReplaced(const std::vector<std::string>& kept,
                                            const std::vector<std::string>& written) {
    const auto writtenFolded = FoldedNames(written);
    for (const std::string& name : kept)
        if (!writtenFolded.contains(FoldCase(name)))
            DropKeptFile(name, ledger_.kept);
}

// The game's own files whose names no installed add-on holds any more go back.
// Clear All leaves the game's file types and EAW.INI to its own rules: their kept
// files are dropped, but for a protected file, kept because no security copy
// would put it back. Returns the names that could not be put back.
std::vector<std::string> Installation::putBackKeptFiles(bool clearing) {
    if (ledger_.kept.files.empty())
        return {};
    const auto holders = ledger_.installed.holders();
    const FolderListing game(paths_.GameFolder);
    const std::size_t keptBefore = ledger_.kept.files.size();
    std::vector<std::string> failed;
    for (const MemberCheck& file : std::vector<MemberCheck>(ledger_.kept.files)) {
        if (holders.contains(FoldCase(file.name)))
            continue;
        const bool leftToClearAll =
            (GameFileMaskIndex(file.name) && !ProtectedFileNamed(file.name)) ||
            EqualsIgnoringCase(file.name, "EAW.INI");
        if (clearing && leftToClearAll)
            DropKeptFile(file.name, ledger_.kept);
        else if (PutBackKeptFile(game, file.name, ledger_.kept) != KeptPutBack::Back)
            failed.push_back(file.name);
    }
    if (!game.folder().empty() && ledger_.kept.files.size() < keptBefore)
        FlushFolder(game.folder()); // the names put back, before the ledger drops them
    return failed;
}

ClearOutcome Installation::clearAll(const ClearAllProgress& progress) {
    if (paths_.GameFolder.empty())
        return ClearOutcome::Done();
    const GameFolderFault fault = CheckGameFolder(paths_.GameFolder, paths_.ProgramFolder);
    if (!stillTheGame(fault))
        return ClearOutcome::NotDone(refusalText(paths_.GameFolder, GameFolderFaultText(fault)));
    ClearAllResult files =
        ClearAll(paths_.GameFolder, paths_.BackupFolder, ledger_.addonFiles, progress);
    // What Clear All leaves is the game's, but for what it could not take out.
    ledger_.installed.keepRemaining(files.failed, paths_.GameFolder);
    const auto notBack = putBackKeptFiles(true);
    files.failed.insert(files.failed.end(), notBack.begin(), notBack.end());
    ledger_.addonFiles = AddonFileRecord();
    for (const InstalledAddon& addon : ledger_.installed.inOrder())
        ledger_.addonFiles.wrote(addon.writtenNames);
    updateLedger();
    return ClearOutcome::Done(std::move(files));
}

Outcome<> Installation::restoreIni() const {
    return RestoreIni(paths_.GameFolder, paths_.BackupFolder);
}

FolderOutcome Installation::acceptFirstRun(const GameFolderChoice& choice, bool doNotShowAgain) {
    const auto folder = choice.accepted();
    if (!folder)
        return FolderOutcome::NotDone(GameFolderFaultText(choice.fault()));
    // Picking stored the library and backup folders with it, on a first start
    // into a QUORVEL.INI that did not exist before.
    reloadLibraryFolders();
    MovedGameRecovery moved;
    if (const std::string why = recoverIn(*folder, moved); !why.empty())
        return FolderOutcome::NotDone(why, std::move(moved));
    if (const Outcome<> taken = TakeSecurityCopies(*folder, paths_.BackupFolder); !taken.done())
        return FolderOutcome::NotDone(taken.why(), std::move(moved));
    if (!StoreFirstRunFlag(doNotShowAgain))
        return FolderOutcome::NotDone(GameFolderFaultText(GameFolderFault::NotStored),
                                      std::move(moved));
    useGameFolder(*folder);
    return FolderOutcome::Done(std::move(moved));
}

FolderOutcome Installation::switchTo(const GameFolderChoice& choice,
                                     const ClearAllProgress& progress) {
    const auto folder = choice.accepted();
    if (!folder)
        return FolderOutcome::NotDone(GameFolderFaultText(choice.fault()));
    MovedGameRecovery moved;
    if (const std::string why = recoverIn(*folder, moved); !why.empty())
        return FolderOutcome::NotDone(why, std::move(moved));
    const ClearOutcome cleared = clearAll(progress);
    if (!cleared.done())
        return FolderOutcome::NotDone(cleared.why(), std::move(moved));
    if (!cleared->failed.empty())
        return FolderOutcome::NotDone("these files of add-ons could not be taken out of it: " +
                                          FewNames(cleared->failed),
                                      std::move(moved));
    // The old folder was cleared from the old copies; the new ones go where the
    // choice stored the backup folder.
    reloadLibraryFolders();
    const Outcome<> taken = TakeSecurityCopies(*folder, paths_.BackupFolder, OtherCopies::Delete);
    if (taken.done()) {
        useGameFolder(*folder);
        return FolderOutcome::Done(std::move(moved));
    }
    if (const CopiesState copies = CheckCopies(paths_.BackupFolder, paths_.GameFolder);
        copies != CopiesState::OfThisGame) {
        whyFolderUnused_ =
            refusalText(paths_.GameFolder, CopiesStateText(copies, paths_.BackupFolder));
        useGameFolder({});
    }
    return FolderOutcome::NotDone(taken.why(), std::move(moved));
}

void Installation::reloadLibraryFolders() {
    const PathVariables stored = ReadStoredPaths();
    paths_.CategoryFolder = stored.CategoryFolder;
    paths_.BackupFolder = stored.BackupFolder;
}

} // namespace quorvel
