#pragma once

#include <filesystem>

namespace quorvel {

// Windows refuses to replace or delete a file that carries the read-only
// attribute (games installed from a CD often do), where Linux lets the folder's
// permissions decide. Clears the attribute of `path` on Windows before such an
// operation; does nothing elsewhere, nor for a missing entry. A failure shows as
// the failure of the operation that follows.
void ClearReadOnlyAttribute(const std::filesystem::path& path);

} // namespace quorvel
