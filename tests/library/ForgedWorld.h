#pragma once

#include "FolderSnapshot.h"
#include "ProgramWithGame.h"

#include <filesystem>
#include <set>
#include <string>

namespace quorvel::test {

// A game with the player's own files beside it, a second game, and a folder of
// the player's documents; the add-on NEWEXE lies in the library.
struct ForgedWorld : ProgramWithGame {
    ForgedWorld();
    std::filesystem::path documents() const { return root / "Documents"; }
    std::filesystem::path other() const { return root / "EAWB"; }
    std::filesystem::path file(const std::string& name) const { return program() / name; }
    // A ledger of NEWEXE in `folder` that lists `names` (as Tree() reads them) as written.
    std::string ledgerNaming(const std::filesystem::path& folder, const std::string& names) const;
    // Text as the ledger holds it: its backslashes escaped.
    static std::string listed(const std::string& text);
    // Every entry under the world but the records a start may rewrite and the
    // entries `leftOut` names (relative to the world, "Quorvel/SETS/A.INI"): what a
    // start must keep byte for byte.
    FolderSnapshot outsideRecords(const std::set<std::string>& leftOut = {}) const;
};

} // namespace quorvel::test
