#include "library/ClearAll.h"

#include "library/SecurityCopies.h"
#include "platform/FileOperations.h"
#include "platform/FolderListing.h"
#include "platform/NameFolding.h"
#include "platform/NameText.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

// A file of one of the game's types, with the index of the mask it matches.
using GameFile = std::pair<std::size_t, std::string>;

// The files and links of the game's types in deletion order: mask by mask, and
// by name within a mask. Each name is folded once, not in every comparison.
std::vector<GameFile> gameFilesIn(const FolderListing& game) {
    std::vector<std::tuple<std::size_t, std::string, std::string>> sorted;
    for (const auto* names : {&game.regularFiles(), &game.links()})
        for (const std::string& name : *names)
            if (const auto mask = GameFileMaskIndex(name))
                sorted.emplace_back(*mask, FoldCase(name), name);
    std::sort(sorted.begin(), sorted.end());
    std::vector<GameFile> files;
    files.reserve(sorted.size());
    for (auto& [mask, folded, name] : sorted)
        files.emplace_back(mask, std::move(name));
    return files;
}

bool contains(const std::vector<GameFile>& files, const std::string& name) {
    return std::any_of(files.begin(), files.end(),
                       [&name](const GameFile& file) { return file.second == name; });
}

// The protected files the masks must not delete: those with a security copy are
// replaced by it afterwards (so a failed copy never costs the game its file), and
// those without one are kept when they are the game's own, not an add-on's.
std::vector<std::string> sparedFiles(const FolderListing& game, const std::vector<GameFile>& files,
                                     const fs::path& backupFolder,
                                     const AddonFileRecord& addonFiles) {
    const FolderListing backup(backupFolder);
    std::vector<std::string> spared;
    for (const std::string_view name : kRestoredGameFiles) {
        const auto actual = game.find(std::string(name));
        if (!actual || !contains(files, *actual))
            continue;
        if (backup.find(std::string(name)) || !addonFiles.holds(*actual))
            spared.push_back(*actual);
    }
    return spared;
}

} // namespace

ClearAllResult ClearAll(const fs::path& gameFolder, const fs::path& backupFolder,
                        const AddonFileRecord& addonFiles, const ClearAllProgress& progress) {
    ClearAllResult result;
    if (gameFolder.empty())
        return result;
    // The one read of the game folder: the protected files the deletions spare are
    // still under the names it found when they are copied back.
    const FolderListing game(gameFolder);
    std::vector<GameFile> files = gameFilesIn(game);
    const std::vector<std::string> spared = sparedFiles(game, files, backupFolder, addonFiles);
    std::erase_if(files, [&spared](const GameFile& file) {
        return std::find(spared.begin(), spared.end(), file.second) != spared.end();
    });

    const std::size_t total = files.size() + 1;
    std::size_t done = 0;
    for (const auto& file : files) {
        if (DeleteFileEntry(InFolder(gameFolder, file.second)))
            result.deleted.push_back(file.second);
        else
            result.failed.push_back(file.second);
        if (progress)
            progress(++done, total);
    }
    const std::vector<std::string> failed =
        CopyNamedFiles(backupFolder, game, {kRestoredGameFiles.begin(), kRestoredGameFiles.end()});
    result.failed.insert(result.failed.end(), failed.begin(), failed.end());
    if (progress)
        progress(total, total);
    return result;
}

std::optional<std::size_t> GameFileMaskIndex(std::string_view fileName) {
    for (std::size_t index = 0; index < kGameFileMasks.size(); ++index) {
        const std::string_view extension = kGameFileMasks[index].substr(1); // ".TPC"
        if (EndsWithIgnoringCase(fileName, extension))
            return index;
    }
    return std::nullopt;
}

} // namespace quorvel
