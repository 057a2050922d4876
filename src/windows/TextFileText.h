#pragma once

#include <QString>
#include <string>

namespace quorvel {

// The text of a description or help file for a text box: UTF-8 when the bytes are
// valid UTF-8, else the Windows Western code page the add-on makers wrote in.
// Line breaks of any kind become lines.
QString TextFileText(const std::string& bytes);

} // namespace quorvel
