#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace quorvel {

// What tells one folder from every other on the machine, however it is reached:
// its volume and its number there (the device and inode on POSIX, the volume
// serial number and file index on Windows).
struct FolderIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FolderIdentity&) const = default;
};

// The identity of the folder `folder`; nothing when it is no folder or cannot be opened.
std::optional<FolderIdentity> IdentityOf(const std::filesystem::path& folder);

// Whether `a` and `b` name one folder however they are spelled: through links,
// "..", a trailing separator, and on Windows letter case and 8.3 short names.
// Folders that exist are compared by the file system's own identity of them;
// otherwise their resolved texts are compared. Two empty paths are not one folder.
bool SameFolder(const std::filesystem::path& a, const std::filesystem::path& b);

// Whether `folder` is `outer` or lies anywhere inside it, by the same comparison
// of `folder` and each folder above it.
bool InsideOrSame(const std::filesystem::path& folder, const std::filesystem::path& outer);

} // namespace quorvel
