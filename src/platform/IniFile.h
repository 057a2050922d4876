#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvel {

// Reading and writing of Windows-style initialisation files with the rules of the
// Windows profile functions, which the game and older tools rely on. The file name
// is found in its folder without regard to letter case.

// The longest value a read returns, in bytes.
inline constexpr std::size_t kMaxIniValueLength = 254;

// The value of `key` in `section`: names match without regard to case, blanks
// around the value are dropped, and a value in matching quotes loses them. A
// missing file, section or key and an empty value all give "". A longer value
// comes back as its first 254 bytes. The first of duplicate sections or keys counts.
std::string ReadIniValue(const std::filesystem::path& file, std::string_view section,
                         std::string_view key);

// Sets `key` in `section` to `value`: the value of an existing key is replaced in
// place, a missing key is appended at the end of its section, a missing section at
// the end of the file, and a missing file is created. Every other byte of the file
// stays as it was, its line ending included. The file is replaced atomically.
// Returns false, leaving the file unchanged, when the file cannot be written or
// the value or a name holds a line break.
bool WriteIniValue(const std::filesystem::path& file, std::string_view section,
                   std::string_view key, std::string_view value);

} // namespace quorvel
