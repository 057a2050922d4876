#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace quorvel {

// File, section and key names (UTF-8 text, or on Linux whatever bytes a file
// name holds) are compared without regard to letter case the way the system's
// file system does: on Windows through the system's own upper-casing, elsewhere
// through Unicode simple case folding. Bytes that are not UTF-8 stay as they are
// and match only themselves.
std::string FoldCase(std::string_view text);
std::string UpperCase(std::string_view text);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix);

// A name as a player's search compares it: letters folded as above, and Latin
// letters without their accents (É, é and e alike), whether the accent is part
// of the letter or a combining mark after it.
std::string SearchFolded(std::string_view text);

// The names folded, for asking whether a name is among them in any letter case.
std::unordered_set<std::string> FoldedNames(const std::vector<std::string>& names);

} // namespace quorvel
