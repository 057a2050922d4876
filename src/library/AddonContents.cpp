#include "library/AddonContents.h"

#include "config/AddonCategory.h"
#include "library/CopiesRecord.h"
#include "library/KeptGameFiles.h"
#include "platform/FolderListing.h"
#include "platform/NameFolding.h"
#include "platform/ZipArchive.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

// Each name counts once: for the add-on that holds it once `leaving` is out, else
// for the game when it is among `gameFiles` (folded).
std::vector<FileToWrite> filesReplacing(const std::vector<std::string>& names,
                                        const InstalledAddons& installed, const AddonKey* leaving,
                                        const std::unordered_set<std::string>& gameFiles) {
    const auto holders = installed.holders(leaving);
    std::unordered_set<std::string> seen;
    std::vector<FileToWrite> files;
    for (const std::string& name : names) {
        std::string folded = FoldCase(name);
        if (!seen.insert(folded).second)
            continue;
        FileToWrite file;
        file.name = name;
        if (const auto holder = holders.find(folded); holder != holders.end()) {
            file.replaces = Replaces::Addon;
            file.addon = installed.inOrder()[holder->second].key;
        } else if (gameFiles.contains(folded)) {
            file.replaces = Replaces::GameFile;
        }
        files.push_back(std::move(file));
    }
    return files;
}

// The game's own files among `names`, folded: those the game folder holds that no
// add-on does, and those kept for `leaving`, which its going puts back.
std::unordered_set<std::string> gameFilesAmong(const std::vector<std::string>& names,
                                               const Ledger& ledger, const PathVariables& paths,
                                               const AddonKey* leaving) {
    if (paths.GameFolder.empty())
        return {};
    auto own = FoldedNames(
        GameFilesReplacedBy(FolderListing(paths.GameFolder), ledger.installed, names,
                            FilesCoveredByCopies(paths.BackupFolder, paths.GameFolder)));
    if (leaving)
        for (const std::string& kept : KeptFor(ledger, *leaving))
            own.insert(FoldCase(kept));
    return own;
}

std::size_t countOf(const std::vector<FileToWrite>& files, Replaces replaces,
                    const AddonKey& addon = {}) {
    return static_cast<std::size_t>(
        std::count_if(files.begin(), files.end(), [&](const FileToWrite& file) {
            return file.replaces == replaces &&
                   (replaces != Replaces::Addon || file.addon == addon);
        }));
}

// " in GRAPHICS", or nothing for an index that names no category.
std::string categoryText(std::size_t category) {
    if (category >= kAddonCategories.size())
        return {};
    return " in " + std::string(kAddonCategories[category].caption);
}

} // namespace

InstalledContentsOutcome ContentsOf(const Ledger& ledger, const AddonKey& key) {
    const InstalledAddon* addon = ledger.installed.find(key);
    if (!addon)
        return InstalledContentsOutcome::NotDone(UpperCase(key.name) + " is not installed" +
                                                 categoryText(key.category));
    const auto holders = ledger.installed.holders();
    InstalledContents contents;
    for (const std::string& name : addon->writtenNames) {
        const auto holder = holders.find(FoldCase(name));
        contents.files.push_back(
            {name, holder == holders.end() ? key : ledger.installed.inOrder()[holder->second].key});
    }
    contents.keptGameFiles = KeptFor(ledger, key);
    contents.partly = addon->partly;
    return InstalledContentsOutcome::Done(std::move(contents));
}

// A kept file whose name an earlier add-on wrote too stays kept when this one
// goes: that add-on's file is put back in its place, not the game's.
std::vector<std::string> KeptFor(const Ledger& ledger, const AddonKey& key) {
    const auto holders = ledger.installed.holders();
    const auto others = ledger.installed.holders(&key);
    const auto& addons = ledger.installed.inOrder();
    std::vector<std::string> names;
    for (const MemberCheck& file : ledger.kept.files) {
        const std::string folded = FoldCase(file.name);
        if (const auto holder = holders.find(folded); holder != holders.end() &&
                                                      addons[holder->second].key == key &&
                                                      !others.contains(folded))
            names.push_back(file.name);
    }
    return names;
}

ArchiveContentsOutcome WouldWrite(const fs::path& archivePath, const Ledger& ledger,
                                  const PathVariables& paths, const AddonKey* leaving) {
    const ZipArchive archive(archivePath);
    if (!archive.isOpen())
        return ArchiveContentsOutcome::NotDone(archive.errorText());
    const std::vector<std::string> names = FileNamesOf(ArchiveMemberChecks(archive));
    ArchiveContents contents;
    contents.files = filesReplacing(names, ledger.installed, leaving,
                                    gameFilesAmong(names, ledger, paths, leaving));
    if (leaving)
        contents.takesOut = *leaving;
    return ArchiveContentsOutcome::Done(std::move(contents));
}

std::vector<ReplacedAddon> ReplacedAddons(const InstalledAddons& installed,
                                          const std::vector<std::string>& names,
                                          const AddonKey* leaving) {
    return ReplacedCounts(filesReplacing(names, installed, leaving, {}), installed);
}

std::vector<ReplacedAddon> ReplacedCounts(const std::vector<FileToWrite>& files,
                                          const InstalledAddons& installed) {
    std::vector<ReplacedAddon> replaced;
    for (const InstalledAddon& addon : installed.inOrder())
        if (const std::size_t count = countOf(files, Replaces::Addon, addon.key); count > 0)
            replaced.push_back({UpperCase(addon.key.name), count});
    if (const std::size_t own = countOf(files, Replaces::GameFile); own > 0)
        replaced.push_back({"the game", own});
    return replaced;
}

std::string ReplacedAddonsText(const std::vector<ReplacedAddon>& replaced) {
    std::string text;
    for (const ReplacedAddon& addon : replaced) {
        if (!text.empty())
            text += ", ";
        text += addon.name + " (" + std::to_string(addon.files) + ")";
    }
    return text;
}

} // namespace quorvel
