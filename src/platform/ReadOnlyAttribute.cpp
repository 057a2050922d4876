#include "platform/ReadOnlyAttribute.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace quorvel {

void ClearReadOnlyAttribute(const std::filesystem::path& path) {
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesW(path.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
#else
    (void)path;
#endif
}

} // namespace quorvel
