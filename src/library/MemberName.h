#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// The name a stored archive member is written under: its last component after
// any "/", "\" or drive colon, so that no name can reach outside the destination.
// Nothing for names that leave no usable file name ("", ".", "..", "dir/").
std::optional<std::string> BareMemberName(std::string_view storedName);

// Whether `name` can stand for a file directly in a folder: not empty, not "."
// or "..", and free of folder separators and drive colons. On Windows also not
// ending in a dot or blank and free of the characters Windows refuses in names
// (< > " | ? * and control characters), and not a device name (CON, NUL, COM1,
// LPT1 ... with any extension, in any case).
bool IsBareFileName(std::string_view name);

} // namespace quorvel
