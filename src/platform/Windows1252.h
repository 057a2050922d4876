#pragma once

#include <optional>

namespace quorvel {

// Windows' Western code page, in which the game's EAW.INI and older description
// files are written. Every byte has a character: the five bytes the code page
// leaves unassigned keep their Latin-1 control characters, as Windows decodes
// them, so that any file reads and writes back byte for byte.
char16_t Windows1252Character(unsigned char byte);

// The byte of `character`; none when the code page cannot hold it.
std::optional<unsigned char> Windows1252Byte(char16_t character);

} // namespace quorvel
