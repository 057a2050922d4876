#pragma once

#include "library/ExtractionPlan.h"
#include "library/SkippedMember.h"
#include "platform/FolderListing.h"
#include "platform/ZipArchive.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorvel {

// No add-on file comes near this; a member declaring more is taken for a deflate
// bomb rather than written until the disk is full.
inline constexpr std::uint64_t kLargestMemberSize = std::uint64_t{2} << 30; // 2 GiB

enum class MemberSize { Allowed, OverLimit, OverFreeSpace };

// Whether a member of `declaredSize` bytes may be extracted: no larger than
// kLargestMemberSize and than `freeSpace`. The read stops at the declared size, so
// a member lying about its size cannot write more than this allowed.
MemberSize CheckMemberSize(std::uint64_t declaredSize, std::uint64_t freeSpace);

// The folder an extraction writes into, read once, so that each name is looked up
// without regard to case and without reading the folder again. Never changed after
// the read: the threads of one extraction share it.
class DestinationFolder {
public:
    explicit DestinationFolder(const std::filesystem::path& folder);

    const std::filesystem::path& path() const { return listing_.folder(); }

    // Where a file of this bare name goes: an entry of exactly this name; else the
    // name an earlier member of this name in any letter case was put under
    // (`placedBefore`); else the existing entry of that name in any letter case;
    // else a new entry under the name as given.
    std::filesystem::path target(const std::string& bareName,
                                 const std::optional<std::string>& placedBefore) const;

    // Whether the entry at `target` may be replaced by a file: nothing there, a
    // regular file or a link. Folders and other kinds are never replaced.
    static bool CanReplace(const std::filesystem::path& target);

private:
    FolderListing listing_;
};

struct ChainOutcome {
    // Each name written, with the archive index of the member that first wrote it.
    std::vector<std::pair<std::size_t, std::string>> written;
    std::vector<SkippedMember> skipped; // damaged, too large, refused by the destination
};

// Writes the members of one chain into `destination` in archive order, each
// through a temporary name beside its target that replaces the old entry only
// once the data is complete and checked. `memberDone` is called after each member.
ChainOutcome ExtractChain(const MemberChain& chain, MemberReader& reader,
                          const DestinationFolder& destination,
                          const std::function<void()>& memberDone);

} // namespace quorvel
