#include "library/ExtractionPlan.h"

#include "library/MemberName.h"
#include "platform/NameFolding.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <unordered_map>

namespace quorvel {
namespace {

// Why a member that is neither written nor a folder entry is passed over.
SkippedMember unusableMember(std::size_t index, const std::optional<ZipMember>& member) {
    if (!member)
        return {index, "member " + std::to_string(index + 1), "its entry cannot be read", false};
    const std::string name = BareMemberName(member->storedName).value_or(member->storedName);
    if (member->isLink)
        return {index, name, "it is a link", false};
    if (member->isEncrypted)
        return {index, name, "it is encrypted", false};
    return {index, name, "its name holds no file name", false};
}

std::uint64_t chainSize(const MemberChain& chain) {
    return std::accumulate(
        chain.begin(), chain.end(), std::uint64_t{0},
        [](std::uint64_t sum, const PlannedMember& planned) { return sum + planned.member.size; });
}

} // namespace

std::optional<std::string> WrittenName(const ZipMember& member) {
    if (member.isFolder || member.isLink || member.isEncrypted)
        return std::nullopt;
    return BareMemberName(member.storedName);
}

ExtractionPlan PlanExtraction(const ZipArchive& archive) {
    ExtractionPlan plan;
    std::unordered_map<std::string, std::size_t> chainOfName; // folded bare name -> chain
    const std::size_t total = archive.memberCount();
    for (std::size_t index = 0; index < total; ++index) {
        std::optional<ZipMember> member = archive.member(index);
        const std::optional<std::string> bareName = member ? WrittenName(*member) : std::nullopt;
        if (!bareName) {
            if (member && member->isFolder && !member->isLink)
                ++plan.folderEntries;
            else
                plan.unusable.push_back(unusableMember(index, member));
            continue;
        }
        const auto [at, added] = chainOfName.try_emplace(FoldCase(*bareName), plan.chains.size());
        if (added)
            plan.chains.emplace_back();
        plan.chains[at->second].push_back({index, std::move(*member), *bareName});
    }
    std::stable_sort(
        plan.chains.begin(), plan.chains.end(),
        [](const MemberChain& a, const MemberChain& b) { return chainSize(a) > chainSize(b); });
    return plan;
}

void KeepOnlyNames(ExtractionPlan& plan, const std::unordered_set<std::string>& foldedNames) {
    std::erase_if(plan.chains, [&](const MemberChain& chain) {
        return !foldedNames.contains(FoldCase(chain.front().bareName));
    });
    std::erase_if(plan.unusable, [&](const SkippedMember& member) {
        return !foldedNames.contains(FoldCase(member.name));
    });
    plan.folderEntries = 0;
}

std::size_t PlannedMemberCount(const ExtractionPlan& plan) {
    return std::accumulate(
        plan.chains.begin(), plan.chains.end(), plan.folderEntries + plan.unusable.size(),
        [](std::size_t sum, const MemberChain& chain) { return sum + chain.size(); });
}

} // namespace quorvel
