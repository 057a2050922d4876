#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quorvel::test {

// One member of an archive made for a test.
struct ZipEntry {
    enum class Kind { File, Folder, Link };
    std::string name;
    std::string data; // a link's target for Kind::Link
    Kind kind = Kind::File;
    bool stored = false; // kept uncompressed, so its bytes can be found and damaged
};

// Writes an archive holding `entries` in order, names exactly as given.
void MakeZip(const std::filesystem::path& archive, const std::vector<ZipEntry>& entries);

// Writes an archive of no members (the bare end record).
void MakeEmptyZip(const std::filesystem::path& archive);

// Flips the first byte of `marker` inside the archive's bytes; returns whether the
// marker was found.
bool DamageArchiveBytes(const std::filesystem::path& archive, const std::string& marker);

} // namespace quorvel::test
