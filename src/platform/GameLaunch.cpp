#include "platform/GameLaunch.h"

#include "platform/FolderListing.h"
#include "platform/NameFolding.h"
#include "platform/NameText.h"

#include <algorithm>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace quorvel {
namespace {

constexpr std::string_view kGameProgram = "EAW.EXE";

bool IsExecutableFile(const fs::path& file) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        return false;
#ifdef _WIN32
    return true;
#else
    return ::access(file.c_str(), X_OK) == 0;
#endif
}

// The prefix within the path as it is written; empty when none of its folders is
// named drive_c.
fs::path PrefixAlongPath(const fs::path& folder) {
    fs::path walked;
    fs::path prefix;
    for (const fs::path& part : folder.lexically_normal()) {
        if (EqualsIgnoringCase(NameText(part), "drive_c"))
            prefix = walked;
        walked /= part;
    }
    return prefix;
}

// The first executable regular file `name` in the folders of the PATH value
// `searchPath`. Only absolute folders count: an empty or relative entry would let
// the current folder decide what runs.
fs::path FindOnSearchPath(std::string_view searchPath, const std::string& name) {
    while (!searchPath.empty()) {
        const std::size_t end = std::min(searchPath.find(':'), searchPath.size());
        const fs::path folder = NamePath(searchPath.substr(0, end));
        searchPath.remove_prefix(std::min(end + 1, searchPath.size()));
        if (!folder.is_absolute())
            continue;
        if (const fs::path candidate = InFolder(folder, name); IsExecutableFile(candidate))
            return candidate;
    }
    return {};
}

// The Wine prefix `folder` lies in: the folder that holds its nearest ancestor
// named drive_c (any letter case), `folder` itself included. Empty when none is.
fs::path WinePrefixOf(const fs::path& folder) {
    if (folder.empty())
        return {};
    std::error_code ec;
    if (fs::path prefix = PrefixAlongPath(fs::absolute(folder, ec)); !prefix.empty())
        return prefix;
    // A game reached through a link lies where the link leads.
    const fs::path real = fs::weakly_canonical(folder, ec);
    return ec ? fs::path() : PrefixAlongPath(real);
}

Outcome<GameStart> ThroughWine(const fs::path& gameFolder, const fs::path& game,
                               std::string_view searchPath) {
    const fs::path wine = FindOnSearchPath(searchPath, "wine");
    if (wine.empty())
        return Outcome<GameStart>::NotDone(
            "European Air War is a Windows game, which Wine runs here, but no wine program was "
            "found on the PATH. Install Wine (the wine package of your distribution), then "
            "press Play again.");
    const fs::path prefix = WinePrefixOf(gameFolder);
    if (prefix.empty())
        return Outcome<GameStart>::NotDone(
            "The game folder " + NameText(gameFolder) +
            " is not inside a Wine prefix: none of the folders it lies in is named drive_c. "
            "Install the game in a Wine prefix, under its drive_c folder, choose that game "
            "folder, then press Play again.");
    return Outcome<GameStart>::Done(
        {wine, {NameText(game)}, gameFolder, {{"WINEPREFIX", NameText(prefix)}}});
}

} // namespace

Outcome<GameStart> PlanGameStart(const fs::path& gameFolder, std::string_view searchPath,
                                 GameSystem system) {
    if (gameFolder.empty())
        return Outcome<GameStart>::NotDone(
            "No game folder is chosen yet. Choose the folder European Air War is installed in, "
            "then press Play again.");
    const fs::path game = ResolveInFolder(gameFolder, std::string(kGameProgram));
    std::error_code ec;
    if (!fs::is_regular_file(game, ec))
        return Outcome<GameStart>::NotDone(
            "EAW.EXE is not in the game folder " + NameText(gameFolder) +
            ". Clear All puts the game's own EAW.EXE back from its security copy; or choose "
            "the folder European Air War is installed in. Then press Play again.");
    if (system == GameSystem::Linux)
        return ThroughWine(gameFolder, game, searchPath);
    return Outcome<GameStart>::Done({game, {}, gameFolder, {}});
}

} // namespace quorvel
