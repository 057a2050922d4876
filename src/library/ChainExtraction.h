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

// A member's complete file under its temporary name, waiting to take its target's
// place once every file of the extraction is on the disk.
struct StagedFile {
    std::size_t firstIndex = 0; // of the member of the chain that first chose this target
    std::size_t index = 0;      // of the member whose data it holds
    std::string bareName;
    std::filesystem::path temporary;
    std::filesystem::path target;
};

struct ChainOutcome {
    std::vector<StagedFile> staged; // each target once, holding the chain's last member for it
    // Each name written, with the archive index of the member that first wrote it.
    std::vector<std::pair<std::size_t, std::string>> written;
    std::vector<SkippedMember> skipped; // damaged, too large, refused by the destination
};

// Writes the members of one chain, in archive order, each to a temporary name
// beside its target; a later member for the same target replaces the earlier's
// temporary. Nothing takes a target's place yet. `memberDone` is called after each member.
ChainOutcome StageChain(const MemberChain& chain, MemberReader& reader,
                        const DestinationFolder& destination,
                        const std::function<void()>& memberDone);

// Puts each staged file in its target's place, the old entry deleted, and lists it
// as written; one the destination refuses is skipped and its temporary removed.
void PublishChain(ChainOutcome& outcome);

} // namespace quorvel
