#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quorvel {

// An archive member that an extraction did not write, and why.
struct SkippedMember {
    std::size_t index = 0; // in the archive
    std::string name;      // the bare name, or the stored name when it has none
    std::string reason;    // completes "skipped because ...": "a folder is in the way"
    // The destination refused it (no space, no permission, a folder or a locked
    // file in the way): the player can do something about it. Otherwise the
    // archive's own fault (encrypted, damaged, a link), passed over silently.
    bool refusedByDestination = false;

    bool operator==(const SkippedMember&) const = default;
};

// Why an extraction wrote no file: "no file could be written: 3 members skipped,
// the first, A.DAT, because a folder is in the way"; for no members at all, "no
// file could be written: the archive holds no file".
std::string NothingWrittenText(const std::vector<SkippedMember>& skipped);

// The members the destination refused, the first few by name: "2 members could
// not be written: A.DAT (a folder is in the way), B.DAT (...)".
std::string NotWrittenText(const std::vector<SkippedMember>& refused);

} // namespace quorvel
