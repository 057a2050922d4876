#include "library/SkippedMember.h"

namespace quorvel {
namespace {

// Enough names for the player to find the files; the rest are only counted.
constexpr std::size_t kNamesShown = 3;

std::string members(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " member" : " members");
}

} // namespace

std::string NothingWrittenText(const std::vector<SkippedMember>& skipped) {
    if (skipped.empty())
        return "no file could be written: the archive holds no file";
    const SkippedMember& first = skipped.front();
    return "no file could be written: " + members(skipped.size()) + " skipped, the first, " +
           first.name + ", because " + first.reason;
}

std::string NotWrittenText(const std::vector<SkippedMember>& refused) {
    std::string text = members(refused.size()) + " could not be written: ";
    for (std::size_t i = 0; i < refused.size() && i < kNamesShown; ++i)
        text += (i > 0 ? ", " : "") + refused[i].name + " (" + refused[i].reason + ")";
    if (refused.size() > kNamesShown)
        text += " and " + std::to_string(refused.size() - kNamesShown) + " more";
    return text;
}

} // namespace quorvel
