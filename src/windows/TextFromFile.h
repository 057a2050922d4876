#pragma once

#include <QString>
#include <string>

namespace quorvel {

// The text of a description or help file. Files written on Windows are mostly in
// its 8-bit code page, newer ones in UTF-8: UTF-8 is taken when the bytes are valid
// UTF-8, else each byte is read as a Latin-1 character.
QString TextFromFile(const std::string& bytes);

} // namespace quorvel
