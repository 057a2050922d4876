#include "library/Recovery.h"

#include "config/GameFolderChoice.h"
#include "library/CopiesRecord.h"
#include "library/InstalledAddons.h"
#include "library/SecurityCopies.h"
#include "library/UninstallAddon.h"
#include "platform/FileCheck.h"
#include "platform/FileOperations.h"
#include "platform/FolderListing.h"
#include "platform/NameFolding.h"
#include "platform/NameText.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <unordered_map>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

// Which listed files hold what an add-on wrote: the names as the folder holds
// them, and the listed names that hold something else. A list of an older Quorvel
// has no checks; its archive tells them, while it is there.
struct ListedFiles {
    std::vector<std::string> addons;
    std::vector<std::string> others;
};

// A listed file whose data a power cut took, where the game's own file of that
// name is kept or has its security copy: the add-on's, so that the game's goes back.
bool tornOverTheGamesOwn(const std::string& name, const FileCheck& check, const Ledger& left) {
    return LostItsData(check) && (left.kept.find(name) || ProtectedFileNamed(name));
}

// A name several add-ons wrote holds the file of whichever was installed last:
// it is theirs when it matches a member of any of them.
ListedFiles sortListedFiles(const fs::path& folder, const Ledger& left) {
    const FolderListing game(folder);
    std::vector<std::string> order;               // as the folder names them
    std::unordered_map<std::string, bool> theirs; // by folded name
    std::unordered_map<std::string, std::optional<FileCheck>> found;
    for (const InstalledAddon& addon : left.installed.inOrder()) {
        const auto checks =
            addon.checks.empty() ? ArchiveMemberChecks(addon.archive) : addon.checks;
        for (const std::string& name : addon.writtenNames) {
            const auto actual = game.find(name);
            if (!actual)
                continue;
            const std::string key = FoldCase(*actual);
            if (!theirs.contains(key)) {
                order.push_back(*actual);
                found[key] = CheckOfFile(InFolder(folder, *actual));
            }
            const auto& check = found[key];
            theirs[key] =
                theirs[key] ||
                (check && (tornOverTheGamesOwn(*actual, *check, left) ||
                           std::any_of(checks.begin(), checks.end(), [&](const auto& m) {
                               return m.check == *check && EqualsIgnoringCase(m.name, name);
                           })));
        }
    }
    ListedFiles files;
    for (const std::string& name : order)
        (theirs[FoldCase(name)] ? files.addons : files.others).push_back(name);
    return files;
}

std::vector<std::string> folded(const std::vector<std::string>& names) {
    std::vector<std::string> result;
    for (const std::string& name : names)
        result.push_back(FoldCase(name));
    return result;
}

// The protected files among `names` that nothing but the security copies could
// put back: those the game's own was not kept of.
std::vector<std::string> protectedAmong(const std::vector<std::string>& names,
                                        const KeptGameFiles& kept) {
    std::vector<std::string> found;
    for (const std::string& name : names)
        if (ProtectedFileNamed(name) && !kept.find(name))
            found.push_back(name);
    return found;
}

// The security copies that may go back into `folder`: none unless they are those
// of the game the ledger names (`recorded`), in the backup folder or set aside
// there while another game's took their place. Copies of an older Quorvel are
// compared with the game only where the ledger names it.
fs::path copiesFor(const fs::path& recorded, const fs::path& folder, const fs::path& backupFolder,
                   const std::vector<std::string>& addonsFiles, std::string& why) {
    if (fs::path own = CopiesFolderOf(backupFolder, recorded); !own.empty())
        return own;
    CopiesState state = CheckCopies(backupFolder, recorded);
    if (state == CopiesState::Unrecorded && recorded == folder &&
        AdoptCopies(backupFolder, folder, folded(addonsFiles)))
        state = CopiesState::OfThisGame;
    why = CopiesStateText(state, backupFolder);
    return state == CopiesState::OfThisGame ? backupFolder : fs::path();
}

// The game's own files go back where the add-ons' files are out: a name the
// folder holds no file of, or whose add-on file was just taken out (a protected
// one is replaced by its security copy); where the game's file is there again the
// kept one is dropped. One still taken by a file that is not the game's waits.
void putBackKeptFiles(const fs::path& folder, const std::vector<std::string>& takenOut,
                      Ledger& left, Recovery& recovery) {
    if (left.kept.files.empty())
        return;
    const FolderListing game(folder);
    const auto takenOutFolded = FoldedNames(takenOut);
    for (const MemberCheck& file : std::vector<MemberCheck>(left.kept.files)) {
        const fs::path entry = game.resolve(file.name);
        std::error_code ec;
        const bool free = !fs::exists(fs::symlink_status(entry, ec)) ||
                          takenOutFolded.contains(FoldCase(file.name));
        if (!free && CheckOfEntry(entry) == file.check)
            DropKeptFile(file.name, left.kept);
        else if (!free)
            recovery.failed.push_back(file.name);
        else if (const KeptPutBack back = PutBackKeptFile(game, file.name, left.kept);
                 back == KeptPutBack::NotAsKept)
            recovery.notAsKept.push_back(file.name);
        else if (back == KeptPutBack::Failed)
            recovery.failed.push_back(file.name);
        else
            recovery.putBack.push_back(file.name);
    }
    if (!recovery.putBack.empty())
        FlushFolder(folder); // the names put back, before the ledger drops them
}

// A listed name that holds the game's own file again, as a kill while the kept
// files went back leaves it, is not "something else".
std::vector<std::string> othersThanTheGamesOwn(const fs::path& folder,
                                               const std::vector<std::string>& others,
                                               const KeptGameFiles& kept) {
    std::vector<std::string> result;
    for (const std::string& name : others)
        if (const MemberCheck* own = kept.find(name);
            !own || CheckOfEntry(InFolder(folder, name)) != own->check)
            result.push_back(name);
    return result;
}

// Takes the add-ons `left` lists out of `folder`: the folder the ledger names, or
// the one its game was moved to since.
RecoveryOutcome recoverFrom(const fs::path& folder, Ledger& left, const fs::path& programFolder,
                            const fs::path& backupFolder, const HoldFolder& hold) {
    Recovery recovery;
    recovery.gameFolder = folder;
    for (const InstalledAddon& addon : left.installed.inOrder())
        recovery.addons.push_back(UpperCase(addon.key.name));
    if (const GameFolderFault fault = CheckGameFolder(folder, programFolder);
        fault != GameFolderFault::None) {
        std::string pending = GameFolderFaultText(fault);
        // It follows a colon in the box: "The folder" reads "the folder" there.
        if (pending.size() > 1 && std::islower(static_cast<unsigned char>(pending[1])))
            pending[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(pending[0])));
        return RecoveryOutcome::NotDone(pending, std::move(recovery));
    }
    const std::optional<FolderHold> held = hold ? hold(folder) : FolderHold();
    if (!held)
        return RecoveryOutcome::NotDone("another copy of Quorvel is working on that folder",
                                        std::move(recovery));
    const ListedFiles files = sortListedFiles(folder, left);
    std::string why;
    const fs::path copies = copiesFor(left.gameFolder, folder, backupFolder, files.addons, why);
    if (const auto stranded = protectedAmong(files.addons, left.kept);
        copies.empty() && !stranded.empty()) {
        return RecoveryOutcome::NotDone(why + ", so the add-ons' " + JoinedNames(stranded) +
                                            " cannot be replaced by the game's own",
                                        std::move(recovery));
    }
    const UninstallResult taken = UninstallAddon(folder, files.addons, copies);
    // A worker killed mid-member leaves its temporary file beside the game's.
    recovery.deleted = taken.deleted.size() + RemoveLeftoverTemporaries(folder);
    recovery.failed = taken.failed;
    recovery.notTheirs = othersThanTheGamesOwn(folder, files.others, left.kept);
    // A protected file taken out that was not kept was replaced by its security copy.
    recovery.putBack = protectedAmong(taken.deleted, left.kept);
    putBackKeptFiles(folder, taken.deleted, left, recovery);
    left.installed.keepRemaining(taken.failed, folder);
    left.addonFiles = AddonFileRecord();
    for (const InstalledAddon& addon : left.installed.inOrder())
        left.addonFiles.wrote(addon.writtenNames);
    if (left.installed.inOrder().empty())
        DropSetAsideCopies(backupFolder, left.gameFolder);
    return RecoveryOutcome::Done(std::move(recovery));
}

} // namespace

RecoveryOutcome RecoverLedger(Ledger& left, const fs::path& programFolder,
                              const fs::path& backupFolder, const HoldFolder& hold) {
    return recoverFrom(left.gameFolder, left, programFolder, backupFolder, hold);
}

RecoveryOutcome RecoverMovedLedger(Ledger& left, const fs::path& whereNow,
                                   const fs::path& programFolder, const fs::path& backupFolder,
                                   const HoldFolder& hold) {
    return recoverFrom(whereNow, left, programFolder, backupFolder, hold);
}

} // namespace quorvel
