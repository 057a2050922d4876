#pragma once

#include "library/SkippedMember.h"
#include "platform/ZipArchive.h"

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace quorvel {

// A member to be written, with what the archive says of it and its bare name.
struct PlannedMember {
    std::size_t index = 0;
    ZipMember member;
    std::string bareName;
};

// The members that share one bare name in any letter case, in archive order. A
// chain is written on one thread, member after member, so the later still wins.
using MemberChain = std::vector<PlannedMember>;

struct ExtractionPlan {
    std::vector<MemberChain>
        chains;                    // the largest first, so that no thread ends long after the rest
    std::size_t folderEntries = 0; // nothing to write and nothing lost
    // Links, encrypted members, unreadable entries, names without a file name.
    std::vector<SkippedMember> unusable;
};

// Sorts the members of `archive` into chains, reading only its directory.
ExtractionPlan PlanExtraction(const ZipArchive& archive);

// Keeps only the chains, and the unusable members, whose bare names fold to one
// of `foldedNames`; folder entries are dropped too.
void KeepOnlyNames(ExtractionPlan& plan, const std::unordered_set<std::string>& foldedNames);

// The members a plan holds: each of them is reported once as done.
std::size_t PlannedMemberCount(const ExtractionPlan& plan);

// The bare name a member is to be written under; nothing for a member that is
// not written (folder entries, links, encrypted members, unusable names).
std::optional<std::string> WrittenName(const ZipMember& member);

} // namespace quorvel
