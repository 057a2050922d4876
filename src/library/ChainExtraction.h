#pragma once

#include "library/DestinationFolder.h"
#include "library/ExtractionPlan.h"
#include "library/SkippedMember.h"
#include "platform/MemberReader.h"

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace quorvel {

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
