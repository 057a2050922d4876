#include "library/MovedGame.h"

#include "library/CopiesRecord.h"
#include "library/InstalledAddons.h"
#include "library/KeptGameFiles.h"
#include "library/SecurityCopies.h"
#include "platform/FileCheck.h"
#include "platform/FileOperations.h"
#include "platform/FolderListing.h"
#include "platform/NameFolding.h"
#include "platform/NameText.h"

#include <algorithm>
#include <cstddef>
#include <system_error>
#include <unordered_map>
#include <vector>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

// What the ledger says may stand under one name of the game: a file of any add-on
// that wrote it, or the game's own as it was kept.
struct Recorded {
    std::string name; // as the ledger spells it
    std::vector<FileCheck> addons;
    bool mayBeMissing = true; // only names of installs that stopped part-way
};

std::vector<Recorded> recordedNames(const Ledger& left) {
    std::vector<Recorded> names;
    std::unordered_map<std::string, std::size_t> byFolded;
    for (const InstalledAddon& addon : left.installed.inOrder()) {
        const auto checks =
            addon.checks.empty() ? ArchiveMemberChecks(addon.archive) : addon.checks;
        for (const std::string& name : addon.writtenNames) {
            const auto [at, isNew] = byFolded.try_emplace(FoldCase(name), names.size());
            if (isNew)
                names.push_back({name, {}, true});
            Recorded& recorded = names[at->second];
            recorded.mayBeMissing = recorded.mayBeMissing && addon.partly;
            for (const MemberCheck& member : checks)
                if (EqualsIgnoringCase(member.name, name))
                    recorded.addons.push_back(member.check);
        }
    }
    return names;
}

class Comparison {
public:
    Comparison(const Ledger& left, const fs::path& picked)
        : left_(left)
        , picked_(picked)
        , game_(picked) {}

    void compareAddonsFiles() {
        for (const Recorded& recorded : recordedNames(left_)) {
            const auto check = checkOf(recorded.name);
            const MemberCheck* kept = left_.kept.find(recorded.name);
            if (!check && recorded.mayBeMissing)
                continue;
            if (check && std::find(recorded.addons.begin(), recorded.addons.end(), *check) !=
                             recorded.addons.end()) {
                addonsFiles_.push_back(FoldCase(recorded.name));
                continue;
            }
            if (!check || !kept || kept->check != *check)
                differs(recorded.name, check.has_value());
        }
    }

    void compareKeptNames() {
        for (const MemberCheck& kept : left_.kept.files)
            if (!game_.find(kept.name))
                differs(kept.name, false);
    }

    // The game's own protected files, where no add-on's file stands in their place.
    void compareCopies(const fs::path& copies) {
        if (copies.empty()) {
            disagreement_.push_back("the security copies of that game are no longer there");
            return;
        }
        const FolderListing listing(copies);
        for (const std::string_view view : kRestoredGameFiles) {
            const std::string name(view);
            const auto copy = listing.find(name);
            if (!copy || std::find(addonsFiles_.begin(), addonsFiles_.end(), FoldCase(name)) !=
                             addonsFiles_.end())
                continue;
            const auto own = checkOf(name);
            if (!own || CheckOfFile(InFolder(copies, *copy)) != own)
                differs(name, own.has_value());
        }
    }

    MovedGameEvidence evidence() const {
        if (addonsFiles_.empty())
            return {MovedGameMatch::Other, {}};
        if (disagreement_.empty())
            return {MovedGameMatch::Same, {}};
        return {MovedGameMatch::NotSure, JoinedNames(disagreement_)};
    }

private:
    std::optional<FileCheck> checkOf(const std::string& name) const {
        const auto actual = game_.find(name);
        return actual ? CheckOfFile(InFolder(picked_, *actual)) : std::nullopt;
    }

    // Once a name: a kept name is most often an add-on's too.
    void differs(const std::string& name, bool there) {
        if (std::find(differing_.begin(), differing_.end(), FoldCase(name)) != differing_.end())
            return;
        differing_.push_back(FoldCase(name));
        disagreement_.push_back(name + (there ? " holds something else" : " is not there"));
    }

    const Ledger& left_;
    fs::path picked_;
    FolderListing game_;
    std::vector<std::string> addonsFiles_; // folded
    std::vector<std::string> differing_;   // folded
    std::vector<std::string> disagreement_;
};

std::string notSureText(const fs::path& picked, const Ledger& left, const fs::path& backupFolder,
                        const std::string& disagreement) {
    return NameText(picked) + " holds files as the add-ons that a run that did not end " +
           "normally left in " + NameText(left.gameFolder) +
           " wrote them, but not all that Quorvel recorded of that game agrees with it (" +
           disagreement + "), so it is not taken for that game moved, and nothing in it was " +
           "touched. The list of those add-ons waits in " + std::string(kLedgerFileName) +
           "; the game's own files Quorvel kept for them stay in " +
           NameText(KeptFilesFolder(backupFolder, left.gameFolder)) + ".";
}

std::string notTakenOutText(const fs::path& movedFrom, const std::string& why) {
    return "Quorvel's list of installed add-ons (" + std::string(kLedgerFileName) +
           ") still names add-ons that a run that did not end normally left in " +
           NameText(movedFrom) + ", found in this folder: " + why;
}

} // namespace

bool LedgerFolderOutOfReach(const Ledger& left) {
    std::error_code error;
    return !left.gameFolder.empty() && !fs::exists(fs::symlink_status(left.gameFolder, error));
}

MovedGameEvidence CompareWithRecords(const Ledger& left, const fs::path& picked,
                                     const fs::path& backupFolder) {
    Comparison comparison(left, picked);
    comparison.compareAddonsFiles();
    comparison.compareKeptNames();
    comparison.compareCopies(CopiesFolderOf(backupFolder, left.gameFolder));
    return comparison.evidence();
}

MovedGameOutcome RecoverMovedGame(std::vector<Ledger>& leftovers, const fs::path& picked,
                                  const fs::path& programFolder, const fs::path& backupFolder,
                                  const HoldFolder& hold) {
    std::vector<std::size_t> same;
    std::string notSure;
    for (std::size_t i = 0; i < leftovers.size(); ++i) {
        if (!LedgerFolderOutOfReach(leftovers[i]))
            continue;
        const MovedGameEvidence evidence = CompareWithRecords(leftovers[i], picked, backupFolder);
        if (evidence.match == MovedGameMatch::Same)
            same.push_back(i);
        else if (evidence.match == MovedGameMatch::NotSure && notSure.empty())
            notSure = notSureText(picked, leftovers[i], backupFolder, evidence.disagreement);
    }
    if (same.size() > 1 && notSure.empty())
        notSure = notSureText(picked, leftovers[same.front()], backupFolder,
                              "the records of another such game agree with it too");
    if (!notSure.empty())
        return MovedGameOutcome::NotDone(notSure);
    if (same.empty())
        return MovedGameOutcome::Done();
    Ledger& left = leftovers[same.front()];
    const fs::path movedFrom = left.gameFolder;
    RecoveryOutcome recovery = RecoverMovedLedger(left, picked, programFolder, backupFolder, hold);
    if (!recovery.done())
        return MovedGameOutcome::NotDone(notTakenOutText(movedFrom, recovery.why()));
    if (left.empty())
        leftovers.erase(leftovers.begin() + static_cast<std::ptrdiff_t>(same.front()));
    MovedGameRecovery moved{movedFrom, std::move(recovery.report())};
    if (!moved.recovery->failed.empty()) {
        std::string why =
            notTakenOutText(moved.movedFrom, "these files of add-ons could not be taken out: " +
                                                 FewNames(moved.recovery->failed));
        return MovedGameOutcome::NotDone(std::move(why), std::move(moved));
    }
    return MovedGameOutcome::Done(std::move(moved));
}

} // namespace quorvel
