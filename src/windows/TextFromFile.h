#pragma once

#include <QString>
#include <string>

namespace quorvel {

// The text of a description or help file. Files written on Windows are mostly in
// its Western code page, Windows-1252, newer ones in UTF-8: UTF-8 is taken when the
// bytes are valid UTF-8, else Windows-1252.
QString TextFromFile(const std::string& bytes);

} // namespace quorvel
