#pragma once

#include "library/InstalledAddons.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace quorvel {

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

// "CLOUDS (12), COCKPITS (3)"; empty when nothing is replaced.
std::string ReplacedAddonsText(const std::vector<ReplacedAddon>& replaced);

// The bare names an extraction of `archive` would write, each once in any letter
// case, read from the archive's central directory alone; nothing when the archive
// cannot be opened.
std::vector<std::string> ArchiveFileNames(const std::filesystem::path& archive);

// The names `members` write, each once in any letter case, in their order.
std::vector<std::string> FileNamesOf(const std::vector<MemberCheck>& members);

// The size and CRC of each member an extraction of `archive` would write, from the
// central directory, in archive order; a name may come more than once.
std::vector<MemberCheck> ArchiveMemberChecks(const std::filesystem::path& archive);

} // namespace quorvel
