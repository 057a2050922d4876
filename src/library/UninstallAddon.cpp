#include "library/UninstallAddon.h"

#include "library/MemberName.h"
#include "library/SecurityCopies.h"
#include "platform/FileOperations.h"
#include "platform/FolderListing.h"
#include "platform/NameFolding.h"
#include "platform/NameText.h"

#include <algorithm>
#include <map>
#include <system_error>
#include <unordered_map>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

bool isFileOrLink(const fs::path& path) {
    std::error_code ec;
    const fs::file_type type = fs::symlink_status(path, ec).type();
    return type == fs::file_type::regular || type == fs::file_type::symlink;
}

// A protected file with a security copy is replaced by the copy rather than
// deleted first: a copy that fails (a full disk) never costs the game its file.
void takeOutWrittenNames(const FolderListing& game, const FolderListing& backup,
                         const std::vector<std::string>& names, UninstallResult& result,
                         std::vector<std::string_view>& replaced) {
    const fs::path& gameFolder = game.folder();
    for (const std::string& name : names) {
        const auto actual = IsBareFileName(name) ? game.find(name) : std::nullopt;
        if (!actual || !isFileOrLink(InFolder(gameFolder, *actual)))
            continue;
        if (const auto file = ProtectedFileNamed(*actual); file && backup.find(*actual)) {
            replaced.push_back(*file);
            result.deleted.push_back(*actual);
        } else if (DeleteFileEntry(InFolder(gameFolder, *actual))) {
            result.deleted.push_back(*actual);
        } else {
            result.failed.push_back(*actual);
        }
    }
}

struct UninstallPlan {
    std::vector<std::string> deleted;
    std::map<std::size_t, std::vector<std::string>> putBack; // by position of the add-on
};

UninstallPlan planUninstall(const InstalledAddons& installed, const InstalledAddon& leaving) {
    UninstallPlan plan;
    const auto holders = installed.holders();
    const auto holdersAfter = installed.holders(&leaving.key);
    const std::size_t position = static_cast<std::size_t>(&leaving - installed.inOrder().data());
    for (const std::string& name : leaving.writtenNames) {
        const std::string folded = FoldCase(name);
        if (holders.at(folded) != position)
            continue; // an add-on installed later holds it: left as it is
        if (const auto other = holdersAfter.find(folded); other != holdersAfter.end())
            plan.putBack[other->second].push_back(name);
        else
            plan.deleted.push_back(name);
    }
    return plan;
}

// Why a name the extraction did not write is lost.
std::string whyNotWritten(const UnzipResult& extraction, const std::string& name) {
    if (extraction->status != Extraction::Status::Extracted &&
        extraction->status != Extraction::Status::SomeNotWritten &&
        extraction->status != Extraction::Status::NothingWritten)
        return extraction.why();
    const auto skipped = std::find_if(
        extraction->skipped.begin(), extraction->skipped.end(),
        [&name](const SkippedMember& member) { return EqualsIgnoringCase(member.name, name); });
    return skipped != extraction->skipped.end() ? "skipped because " + skipped->reason
                                                : "its archive no longer holds it";
}

// Writes the names back from one add-on's archive; returns the ones it could not.
// The archive is the very file the add-on was installed from: a library may hold
// its case twin, "dup.zip" beside "DUP.ZIP", which is another add-on.
std::vector<LostFile> putBackFrom(const InstalledAddon& addon,
                                  const std::vector<std::string>& names, const fs::path& gameFolder,
                                  const UnzipProgress& progress,
                                  std::vector<std::string>& putBack) {
    const UnzipResult extraction = UnzipMembers(addon.archive, gameFolder, names, progress);
    const auto written = FoldedNames(extraction->writtenNames);
    std::vector<LostFile> lost;
    for (const std::string& name : names) {
        if (written.contains(FoldCase(name)))
            putBack.push_back(name);
        else
            lost.push_back({UpperCase(addon.key.name), name, whyNotWritten(extraction, name)});
    }
    return lost;
}

} // namespace

UninstallResult UninstallAddon(const fs::path& gameFolder,
                               const std::vector<std::string>& writtenNames,
                               const fs::path& backupFolder) {
    UninstallResult result;
    if (gameFolder.empty())
        return result;
    const FolderListing game(gameFolder);
    const FolderListing backup(backupFolder);
    std::vector<std::string_view> putBack;
    takeOutWrittenNames(game, backup, writtenNames, result, putBack);
    // EAW.INI is put back only where the add-on brought its own: Restore INI stays
    // the way back for the player's own settings.
    for (const std::string_view name : MissingRestoredFiles(game, result.deleted))
        if (std::find(putBack.begin(), putBack.end(), name) == putBack.end())
            putBack.push_back(name);
    // Read afresh, so that a file put back gets its canonical name.
    const std::vector<std::string> failed =
        CopyNamedFiles(backupFolder, FolderListing(gameFolder), putBack);
    for (const std::string& name : failed)
        std::erase_if(result.deleted,
                      [&name](const std::string& gone) { return EqualsIgnoringCase(gone, name); });
    result.failed.insert(result.failed.end(), failed.begin(), failed.end());
    return result;
}

SharedFilesUninstallResult UninstallSharingFiles(InstalledAddons& installed, const AddonKey& key,
                                                 const fs::path& gameFolder,
                                                 const fs::path& backupFolder,
                                                 const UnzipProgress& progress) {
    SharedFilesUninstallResult result;
    const InstalledAddon* leaving = installed.find(key);
    if (!leaving || gameFolder.empty()) {
        installed.remove(key);
        return result;
    }
    UninstallPlan plan = planUninstall(installed, *leaving);
    std::vector<std::pair<AddonKey, std::vector<std::string>>> forgotten;
    for (const auto& [position, names] : plan.putBack) {
        const InstalledAddon& holder = installed.inOrder()[position];
        std::vector<LostFile> lost =
            putBackFrom(holder, names, gameFolder, progress, result.putBack);
        std::vector<std::string> lostNames;
        for (const LostFile& file : lost)
            lostNames.push_back(file.fileName);
        plan.deleted.insert(plan.deleted.end(), lostNames.begin(), lostNames.end());
        forgotten.emplace_back(holder.key, std::move(lostNames));
        std::move(lost.begin(), lost.end(), std::back_inserter(result.lost));
    }
    result.files = UninstallAddon(gameFolder, plan.deleted, backupFolder);
    // What could not be deleted is still the add-on's: it stays installed with
    // those files, for a retry or Clear All to take out.
    installed.keepRemaining(result.files.failed, gameFolder, &key);
    for (const auto& [holder, names] : forgotten)
        installed.forget(holder, names);
    return result;
}

std::string LostFilesText(const std::vector<LostFile>& lost) {
    std::string text;
    for (const LostFile& file : lost) {
        if (!text.empty())
            text += '\n';
        text += file.fileName + " of " + file.addonName +
                " could not be put back and is deleted: " + file.reason;
    }
    return text;
}

} // namespace quorvel
