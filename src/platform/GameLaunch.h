#pragma once

#include "platform/Outcome.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel {

// The system the game is started on: Windows runs EAW.EXE itself, any other
// system runs it through Wine.
enum class GameSystem { Windows, Linux };

// The system this program was built for.
constexpr GameSystem BuiltForSystem() {
#ifdef _WIN32
    return GameSystem::Windows;
#else
    return GameSystem::Linux;
#endif
}

// What to start to play: the program with its arguments (texts as NameText gives
// them), the folder it starts in, and the variables added to the environment the
// program itself has.
struct GameStart {
    std::filesystem::path program;
    std::vector<std::string> arguments;
    std::filesystem::path workingFolder;
    std::vector<std::pair<std::string, std::string>> environment;
};

// How the game in `gameFolder` is started on `system`, with `searchPath` the value
// of PATH: EAW.EXE of the folder in any letter case, on Linux through the `wine`
// found on that PATH with WINEPREFIX set to the Wine prefix the game lies in. Not
// done, with what the player can do about it, when there is no EAW.EXE, no Wine,
// or no prefix around the game.
Outcome<GameStart> PlanGameStart(const std::filesystem::path& gameFolder,
                                 std::string_view searchPath, GameSystem system);

} // namespace quorvel
