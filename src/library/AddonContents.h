#pragma once

#include "config/PathVariables.h"
#include "library/InstalledAddons.h"
#include "library/Ledger.h"
#include "platform/Outcome.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quorvel {

// A file an installed add-on's installation wrote, and the installed add-on that
// holds it now: the add-on itself, or the one installed last that wrote the name too.
struct HeldFile {
    std::string name; // as the game folder spells it: a file replaced keeps its name
    AddonKey holder;
    bool operator==(const HeldFile&) const = default;
};

struct InstalledContents {
    std::vector<HeldFile> files; // in the order the installation wrote them
    // The game's own files it replaced, kept, which come back when it is taken out.
    std::vector<std::string> keptGameFiles;
    bool partly = false; // its extraction stopped part-way: `files` are all it may have written
};

enum class Replaces {
    Nothing,  // a new name, or one the security copies put back
    Addon,    // a file an installed add-on holds
    GameFile, // the game's own file, which the install keeps to put back
};

// A file an add-on's archive would write, and what it would replace.
struct FileToWrite {
    std::string name; // as the archive spells it
    Replaces replaces = Replaces::Nothing;
    AddonKey addon; // the add-on whose file it replaces, when `replaces` is Addon
    bool operator==(const FileToWrite&) const = default;
};

struct ArchiveContents {
    std::vector<FileToWrite> files; // in archive order, each name once in any letter case
    // The installed add-on of a category that holds one, taken out before the install.
    std::optional<AddonKey> takesOut;
};

// Not done when the add-on is not installed.
using InstalledContentsOutcome = Outcome<InstalledContents>;
// Not done when the archive cannot be opened or its directory read: why() says why.
using ArchiveContentsOutcome = Outcome<ArchiveContents>;

// What the installed add-on `key` holds as `ledger` records it.
InstalledContentsOutcome ContentsOf(const Ledger& ledger, const AddonKey& key);

// The game's own files kept for the add-on `key`: those it holds now that no other
// installed add-on wrote, so that they come back when it goes, as kept.
std::vector<std::string> KeptFor(const Ledger& ledger, const AddonKey& key);

// What installing `archive` would write into the game folder of `paths`, with
// `ledger` as it stands. The add-on `leaving` (when given) is taken out first: its
// files are not replaced, but the game files kept for it come back and count as
// the game's. The names are those the installer writes: no folders, links,
// encrypted members or unsafe names.
ArchiveContentsOutcome WouldWrite(const std::filesystem::path& archive, const Ledger& ledger,
                                  const PathVariables& paths, const AddonKey* leaving);

struct ReplacedAddon {
    std::string name; // as the lists show it
    std::size_t files = 0;
    bool operator==(const ReplacedAddon&) const = default;
};

// The installed add-ons whose files writing `names` would replace, in the order
// they were installed; each file counts for the add-on that holds it now. The
// add-on `leaving` (when given) is not counted: it goes before the new one comes.
std::vector<ReplacedAddon> ReplacedAddons(const InstalledAddons& installed,
                                          const std::vector<std::string>& names,
                                          const AddonKey* leaving = nullptr);

// The add-ons `files` replace, in install order, then "the game" for its own files.
std::vector<ReplacedAddon> ReplacedCounts(const std::vector<FileToWrite>& files,
                                          const InstalledAddons& installed);

// "CLOUDS (12), COCKPITS (3)"; empty when nothing is replaced.
std::string ReplacedAddonsText(const std::vector<ReplacedAddon>& replaced);

} // namespace quorvel
