#pragma once

#include <filesystem>

namespace quorvel {

// Whether `a` and `b` name one folder however they are spelled: through links,
// "..", a trailing separator, and on Windows letter case and 8.3 short names.
// Folders that exist are compared by the file system's own identity of them;
// otherwise their resolved texts are compared. Two empty paths are not one folder.
bool SameFolder(const std::filesystem::path& a, const std::filesystem::path& b);

// Whether `folder` is `outer` or lies anywhere inside it, by the same comparison
// of `folder` and each folder above it.
bool InsideOrSame(const std::filesystem::path& folder, const std::filesystem::path& outer);

} // namespace quorvel
