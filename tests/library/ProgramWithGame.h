#pragma once

#include "support/TempFolder.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>

namespace quorvel::test {

// A program folder and, beside it, a game folder laid out as `gameTree` (as Tree()
// reads it) with its security copies taken; QUORVEL.INI names the game folder.
// `makeGameFolder`, when given, makes the game folder first (on a disk of its own).
struct ProgramWithGame {
    TempFolder root;
    std::filesystem::path program() const { return root / "Quorvel"; }
    std::filesystem::path game() const { return root / "EAW"; }

    explicit ProgramWithGame(
        const std::string& gameTree,
        const std::function<void(const std::filesystem::path&)>& makeGameFolder = {});
    // An add-on archive of `members` (as Tree() reads them) in the category's library.
    void addon(std::size_t category, const std::string& file, const std::string& members) const;
};

} // namespace quorvel::test
