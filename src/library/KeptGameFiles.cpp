#include "library/KeptGameFiles.h"

#include "config/PathVariables.h"
#include "config/RecordKeys.h"
#include "platform/FileCheck.h"
#include "platform/FileOperations.h"
#include "platform/NameFolding.h"
#include "platform/NameText.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

bool coveredBy(const std::vector<std::string>& coveredByCopies, const std::string& name) {
    return std::any_of(coveredByCopies.begin(), coveredByCopies.end(),
                       [&name](const std::string& file) { return EqualsIgnoringCase(name, file); });
}

bool fileOrLink(const fs::path& entry) {
    std::error_code ec;
    const fs::file_type type = fs::symlink_status(entry, ec).type();
    return type == fs::file_type::regular || type == fs::file_type::symlink;
}

std::vector<MemberCheck>::iterator entryOf(KeptGameFiles& kept, const std::string& name) {
    return std::find_if(kept.files.begin(), kept.files.end(), [&name](const MemberCheck& file) {
        return EqualsIgnoringCase(file.name, name);
    });
}

// Once nothing is kept for the game, its folder goes, and KEPT when no other
// game's is left in it; a folder that still holds anything stays.
void removeFolderWhenEmptied(const KeptGameFiles& kept) {
    if (!kept.files.empty() || kept.folder.empty())
        return;
    std::error_code error;
    const fs::path folder = NamePath(FolderText(kept.folder)).parent_path();
    fs::remove(folder, error);
    if (!error)
        fs::remove(folder.parent_path(), error);
}

} // namespace

const MemberCheck* KeptGameFiles::find(const std::string& name) const {
    const auto file = std::find_if(files.begin(), files.end(), [&name](const MemberCheck& kept) {
        return EqualsIgnoringCase(kept.name, name);
    });
    return file == files.end() ? nullptr : &*file;
}

fs::path KeptFilesFolder(const fs::path& backupFolder, const fs::path& gameFolder) {
    if (backupFolder.empty() || gameFolder.empty())
        return {};
    const std::string id = FileCheckText(CheckOfText(FolderText(gameFolder)));
    return backupFolder / "KEPT" / id.substr(id.find(' ') + 1);
}

std::vector<std::string> GameFilesReplacedBy(const FolderListing& game,
                                             const InstalledAddons& installed,
                                             const std::vector<std::string>& names,
                                             const std::vector<std::string>& coveredByCopies) {
    const auto holders = installed.holders();
    std::vector<std::string> replaced;
    for (const std::string& name : names) {
        const auto actual = game.find(name);
        if (actual && !holders.contains(FoldCase(name)) && !coveredBy(coveredByCopies, name) &&
            fileOrLink(InFolder(game.folder(), *actual)))
            replaced.push_back(*actual);
    }
    return replaced;
}

// Flushed together: an add-on replacing thousands of the game's files waits on
// the disk once, not once a file; on the program's disk each is a second name
// for the game's file rather than a copy, since the install then gives the game's
// name a new file and never writes into the old one.
std::string KeepGameFiles(const fs::path& gameFolder, const std::vector<std::string>& names,
                          KeptGameFiles& kept) {
    if (names.empty())
        return {};
    if (kept.folder.empty())
        return names.front();
    std::vector<std::pair<fs::path, fs::path>> copies;
    std::vector<MemberCheck> checked;
    for (const std::string& name : names) {
        const fs::path source = InFolder(gameFolder, name);
        const auto check = CheckOfEntry(source);
        if (!check)
            return name;
        copies.emplace_back(source, InFolder(kept.folder, name));
        checked.push_back({name, *check});
    }
    const std::size_t copied = MakeFolders(kept.folder) ? KeepEntriesFlushedTogether(copies) : 0;
    if (copied < names.size()) {
        for (std::size_t i = 0; i < copied; ++i)
            DeleteFileEntry(copies[i].second);
        return names[copied];
    }
    kept.files.insert(kept.files.end(), checked.begin(), checked.end());
    return {};
}

// The kept entry is compared as it stands, a link by the text it points to, and
// moved back or copied as it stands: a link put in a kept file's place never
// brings the file it points to into the game. A move costs no copy and no flush
// of the file's data, which went to the disk when it was kept.
KeptPutBack PutBackKeptFile(const FolderListing& game, const std::string& name,
                            KeptGameFiles& kept) {
    const auto file = entryOf(kept, name);
    if (file == kept.files.end() || kept.folder.empty() || !IsBareName(file->name))
        return KeptPutBack::Failed;
    const fs::path copy = InFolder(kept.folder, file->name);
    if (CheckOfEntry(copy) != file->check) {
        kept.files.erase(file);
        return KeptPutBack::NotAsKept;
    }
    const fs::path target = game.resolve(file->name);
    if (game.folder().empty() ||
        (!MoveEntryToFreeName(copy, target) && !CopyEntryReplacing(copy, target)))
        return KeptPutBack::Failed;
    DeleteFileEntry(copy); // after a copy; a move left nothing
    kept.files.erase(file);
    removeFolderWhenEmptied(kept);
    return KeptPutBack::Back;
}

void DropKeptFile(const std::string& name, KeptGameFiles& kept) {
    const auto file = entryOf(kept, name);
    if (file == kept.files.end())
        return;
    if (!kept.folder.empty() && IsBareName(file->name))
        DeleteFileEntry(InFolder(kept.folder, file->name));
    kept.files.erase(file);
    removeFolderWhenEmptied(kept);
}

void DropUnlistedKeptCopies(const fs::path& gameFolder, const KeptGameFiles& kept) {
    if (kept.folder.empty() || gameFolder.empty())
        return;
    std::vector<std::string> unlisted;
    std::error_code error;
    for (auto it = fs::directory_iterator(kept.folder, error);
         !error && it != fs::directory_iterator(); it.increment(error))
        if (const std::string name = NameText(it->path().filename());
            !kept.find(name) && IsBareName(name))
            unlisted.push_back(name);
    for (const std::string& name : unlisted) {
        const auto own = CheckOfEntry(ResolveInFolder(gameFolder, name));
        if (own && CheckOfEntry(InFolder(kept.folder, name)) == own)
            DeleteFileEntry(InFolder(kept.folder, name));
    }
    removeFolderWhenEmptied(kept);
}

} // namespace quorvel
