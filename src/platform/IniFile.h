#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// Reading and writing of Windows-style initialisation files with the rules of the
// Windows profile functions, which the game and older tools rely on. The file name
// is found in its folder without regard to letter case. Lines end at a CR, an LF
// or a CR LF pair.

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

// The same two operations on a file's text already in memory, for callers that
// make several changes and replace the file once. SetIniValueIn returns false,
// leaving `text` as it was, when the value or a name holds a line break; the
// text's own line ending is kept (CR alone stays CR alone).
std::string ReadIniValueIn(const std::string& text, std::string_view section, std::string_view key);
bool SetIniValueIn(std::string& text, std::string_view section, std::string_view key,
                   std::string_view value);

// The text of `file` (taken as given) to change: "" for a missing file, nothing
// when an existing file cannot be read, which must then never be replaced.
std::optional<std::string> ReadIniFileForWriting(const std::filesystem::path& file);

// Takes the first line off `text` and returns it without its LF or CR LF: for the
// program's own "KEY=value" records, which a hand edit may have saved either way.
std::string_view TakeLine(std::string_view& text);

} // namespace quorvel
