#pragma once

#include <QString>
#include <filesystem>
#include <string>

namespace quorvel {

// Conversions between the core's paths and texts and what the windows show. The
// core keeps file names as text of its own (see platform/NameText.h); Qt shows
// them as Unicode. A path from Qt takes the system's own separator.
QString ToQString(const std::filesystem::path& path);
QString ToQString(const std::string& text);
std::filesystem::path ToPath(const QString& text);
std::string ToStdString(const QString& text);

} // namespace quorvel
