#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// A file's size and CRC-32, the two facts a zip archive records of each member:
// enough to tell a file an add-on wrote from the game's or the player's own file
// of the same name.
struct FileCheck {
    std::uint64_t size = 0;
    std::uint32_t crc = 0;
    bool operator==(const FileCheck&) const = default;
};

// The check of the regular file `file` (a link is not followed); nothing when it
// is not one or cannot be read.
std::optional<FileCheck> CheckOfFile(const std::filesystem::path& file);

// The check of an entry as it stands: a regular file by its bytes, a link (not
// followed) by the text it points to; nothing for anything else.
std::optional<FileCheck> CheckOfEntry(const std::filesystem::path& entry);

// The check of `text`'s bytes.
FileCheck CheckOfText(std::string_view text);

// Whether `check` is that of a file that holds no data: empty, or nothing but
// zero bytes, as a power cut leaves a file whose data never reached the disk.
bool LostItsData(const FileCheck& check);

// "<size> <crc as eight hex digits>", as records keep it.
std::string FileCheckText(const FileCheck& check);

// The check `text` holds as FileCheckText writes it; nothing for any other text.
std::optional<FileCheck> ParseFileCheck(std::string_view text);

} // namespace quorvel
