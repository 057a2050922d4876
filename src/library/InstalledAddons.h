#pragma once

#include "platform/FileCheck.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace quorvel {

class ZipArchive;

// An installed add-on: its category's index and its add-on name.
struct AddonKey {
    std::size_t category = 0;
    std::string name;
    bool operator==(const AddonKey&) const = default;
};

// A member of an add-on's archive as the file it writes: its bare name, and the
// size and CRC that file has when it is the add-on's.
struct MemberCheck {
    std::string name;
    FileCheck check;
    bool operator==(const MemberCheck&) const = default;
};

struct InstalledAddon {
    AddonKey key;
    std::filesystem::path archive;         // the very file it was installed from
    std::vector<std::string> writtenNames; // what its installation wrote into the game folder
    std::string replaced; // the add-ons whose files it replaced: "CLOUDS (1), COCKPITS (2)"
    bool partly = false;  // its extraction stopped part-way: every name it may have written
    // Each member that writes a file, known before the extraction: a file of one of
    // `writtenNames` that matches none of its name is not the add-on's.
    std::vector<MemberCheck> checks;
};

// The add-ons installed this run, in the order they were installed, each with the
// names its installation wrote. Two add-ons that wrote one name share that file:
// the one installed last holds it.
class InstalledAddons {
public:
    // Records an add-on as installed last (replacing a record of the same key).
    void add(InstalledAddon addon);
    // Nothing when the add-on is not recorded.
    const InstalledAddon* find(const AddonKey& key) const;
    void remove(const AddonKey& key);
    // The add-on no longer has these files in the game folder.
    void forget(const AddonKey& key, const std::vector<std::string>& names);
    // An operation that was to take the add-ons out (only the one `only`, when
    // given) left `remaining` in `gameFolder`: each keeps those of its names that
    // are still there, in its place in the order; one with none left goes.
    void keepRemaining(const std::vector<std::string>& remaining,
                       const std::filesystem::path& gameFolder, const AddonKey* only = nullptr);

    const std::vector<InstalledAddon>& inOrder() const { return addons_; }

    // For each name an add-on wrote (folded), the position in `inOrder()` of the
    // add-on that holds the file now; `skipped` (when given) counts as gone.
    std::unordered_map<std::string, std::size_t> holders(const AddonKey* skipped = nullptr) const;

private:
    std::vector<InstalledAddon> addons_;
};

// The names of the files that add-ons wrote into the game folder this run and
// that are still there as far as the program knows, without regard to letter
// case. It tells an add-on's GRB_031.SND from the game's own.
class AddonFileRecord {
public:
    void wrote(const std::vector<std::string>& names);
    void deleted(const std::vector<std::string>& names);
    bool holds(const std::string& name) const;
    // The names in folded case, as `wrote` takes them back.
    const std::unordered_set<std::string>& foldedNames() const { return folded_; }

private:
    std::unordered_set<std::string> folded_;
};

// The names `members` write, each once in any letter case, in their order.
std::vector<std::string> FileNamesOf(const std::vector<MemberCheck>& members);

// The size and CRC of each member an extraction of `archive` would write, from the
// central directory, in archive order; a name may come more than once.
std::vector<MemberCheck> ArchiveMemberChecks(const std::filesystem::path& archive);
// The same of an archive already open.
std::vector<MemberCheck> ArchiveMemberChecks(const ZipArchive& archive);

} // namespace quorvel
