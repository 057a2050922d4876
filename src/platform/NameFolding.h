#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// File, section and key names are compared the way the Windows file system and
// profile functions compare them: letter case of ASCII letters does not count.
// Bytes outside ASCII are compared as they are, which keeps UTF-8 names intact.
std::string FoldCase(std::string_view text);
std::string UpperCase(std::string_view text);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix);

} // namespace quorvel
