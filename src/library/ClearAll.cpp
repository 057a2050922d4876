#include "library/ClearAll.h"

#include "library/GameFileTypes.h"
#include "library/ProtectedFiles.h"
#include "platform/FileOperations.h"
#include "platform/FolderListing.h"
#include "platform/NameFolding.h"

#include <algorithm>
#include <optional>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

// A file of one of the game's types, with the index of the mask it matches.
using GameFile = std::pair<std::size_t, std::string>;

// One read of the folder: its files and links of the game's types in deletion
// order, mask by mask and by name within a mask.
std::vector<GameFile> gameFilesIn(const fs::path& folder) {
    std::vector<GameFile> files;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code statusError;
        const fs::file_type type = it->symlink_status(statusError).type();
        if (type != fs::file_type::regular && type != fs::file_type::symlink)
            continue;
        std::string name = it->path().filename().string();
        if (const auto mask = GameFileMaskIndex(name))
            files.emplace_back(*mask, std::move(name));
    }
    std::sort(files.begin(), files.end(), [](const GameFile& a, const GameFile& b) {
        if (a.first != b.first)
            return a.first < b.first;
        const std::string fa = FoldCase(a.second);
        const std::string fb = FoldCase(b.second);
        return fa != fb ? fa < fb : a.second < b.second;
    });
    return files;
}

// The game file that stands for a protected name: an exact match, else one in
// another letter case.
std::optional<std::string> findProtected(const std::vector<GameFile>& files,
                                         std::string_view name) {
    std::optional<std::string> found;
    for (const auto& file : files) {
        if (file.second == name)
            return file.second;
        if (!found && EqualsIgnoringCase(file.second, name))
            found = file.second;
    }
    return found;
}

// The protected files the masks must not delete: those with a security copy are
// replaced by it afterwards (so a failed copy never costs the game its file), and
// those without one are kept.
std::vector<std::string> sparedFiles(const std::vector<GameFile>& files,
                                     const fs::path& backupFolder, ClearAllResult& result) {
    const FolderListing backup(backupFolder);
    std::vector<std::string> spared;
    for (const std::string_view name : kRestoredGameFiles) {
        const auto actual = findProtected(files, name);
        if (!actual)
            continue;
        spared.push_back(*actual);
        if (!backup.find(std::string(name)))
            result.kept.push_back(*actual);
    }
    return spared;
}

} // namespace

ClearAllResult ClearAll(const fs::path& gameFolder, const fs::path& backupFolder,
                        const ClearAllProgress& progress) {
    ClearAllResult result;
    if (gameFolder.empty())
        return result;
    std::vector<GameFile> files = gameFilesIn(gameFolder);
    const std::vector<std::string> spared = sparedFiles(files, backupFolder, result);
    std::erase_if(files, [&spared](const GameFile& file) {
        return std::find(spared.begin(), spared.end(), file.second) != spared.end();
    });

    const std::size_t total = files.size() + 1;
    std::size_t done = 0;
    for (const auto& file : files) {
        if (DeleteFileEntry(gameFolder / file.second))
            result.deleted.push_back(file.second);
        else
            result.failed.push_back(file.second);
        if (progress)
            progress(++done, total);
    }
    RestoreOutcome restore = RestoreFromSecurityCopies(
        gameFolder, backupFolder, {kRestoredGameFiles.begin(), kRestoredGameFiles.end()});
    result.restored = std::move(restore.restored);
    result.failed.insert(result.failed.end(), restore.failed.begin(), restore.failed.end());
    if (progress)
        progress(total, total);
    return result;
}

} // namespace quorvel
