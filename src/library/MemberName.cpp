#include "library/MemberName.h"

namespace quorvel {
namespace {

// A colon would name a drive ("C:NAME") or a data stream ("NAME:STREAM") on
// Windows, so it separates like a folder part on every system alike.
constexpr std::string_view kSeparators = "/\\:";

} // namespace

bool IsBareFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(kSeparators) == std::string_view::npos;
}

std::optional<std::string> BareMemberName(std::string_view storedName) {
    const std::size_t lastSeparator = storedName.find_last_of(kSeparators);
    const std::string_view bare =
        lastSeparator == std::string_view::npos ? storedName : storedName.substr(lastSeparator + 1);
    if (!IsBareFileName(bare))
        return std::nullopt;
    return std::string(bare);
}

} // namespace quorvel
