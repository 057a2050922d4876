#include "platform/FolderIdentity.h"

#include "platform/NameFolding.h"
#include "platform/NameText.h"

#include <system_error>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace quorvel {
namespace {

// The path with links and ".." resolved as far as the folders exist, and without
// a trailing separator, so that "EAW/" and "EAW" read alike.
fs::path resolved(const fs::path& path) {
    std::error_code error;
    fs::path canonical = fs::weakly_canonical(path, error);
    if (error)
        canonical = path.lexically_normal();
    if (!canonical.has_filename() && canonical.has_relative_path())
        canonical = canonical.parent_path();
    return canonical;
}

bool sameText(const fs::path& a, const fs::path& b) {
#ifdef _WIN32
    return EqualsIgnoringCase(NameText(a), NameText(b));
#else
    return a == b;
#endif
}

} // namespace

#ifdef _WIN32
// Sharing everything leaves the game and the player's tools free meanwhile.
std::optional<FolderIdentity> IdentityOf(const fs::path& folder) {
    HANDLE handle = CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(handle, &info) != 0;
    CloseHandle(handle);
    if (!known || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return std::nullopt;
    return FolderIdentity{info.dwVolumeSerialNumber,
                          (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}
#else
std::optional<FolderIdentity> IdentityOf(const fs::path& folder) {
    struct stat status {};
    if (folder.empty() || ::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode))
        return std::nullopt;
    return FolderIdentity{static_cast<std::uint64_t>(status.st_dev),
                          static_cast<std::uint64_t>(status.st_ino)};
}
#endif

bool SameFolder(const fs::path& a, const fs::path& b) {
    if (a.empty() || b.empty())
        return false;
    const auto first = IdentityOf(a);
    const auto second = first ? IdentityOf(b) : std::nullopt;
    if (first && second)
        return first == second;
    return sameText(resolved(a), resolved(b));
}

bool InsideOrSame(const fs::path& folder, const fs::path& outer) {
    if (folder.empty() || outer.empty())
        return false;
    for (fs::path step = resolved(folder);; step = step.parent_path()) {
        if (SameFolder(step, outer))
            return true;
        if (step == step.parent_path() || step.empty())
            return false;
    }
}

} // namespace quorvel
