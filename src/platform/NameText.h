#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// The core keeps file names and folder texts as std::string: UTF-8 on Windows,
// and on Linux the bytes the file system holds, valid UTF-8 or not. These two
// are the only crossings between that text and a path; both keep every
// character (a path's own narrow conversions do not on Windows), and neither
// throws: on Windows a text that is not UTF-8 is read in the ANSI code page.
std::string NameText(const std::filesystem::path& path);
std::filesystem::path NamePath(std::string_view text);

// folder / name, the name taken as NamePath takes it.
std::filesystem::path InFolder(const std::filesystem::path& folder, std::string_view name);

// The names joined by ", ", for a line of the program's log.
std::string JoinedNames(const std::vector<std::string>& names);

// The first few names joined by ", ", and how many more there are: for a box
// that must stay readable whatever the count ("A, B, C, D, E and 12 more").
std::string FewNames(const std::vector<std::string>& names, std::size_t shown = 5);

} // namespace quorvel
