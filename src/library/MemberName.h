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
// (< > " | ? * and control characters), and not a device name.
bool IsBareFileName(std::string_view name);

// Whether Windows opens `name` as a device, whatever follows its first dot and in
// any case: CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM0 to COM9 and LPT0 to LPT9, the
// superscripts ¹ ² ³ counting as digits there too.
bool NamesWindowsDevice(std::string_view name);

} // namespace quorvel
