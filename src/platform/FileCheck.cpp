#include "platform/FileCheck.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>
#include <libdeflate.h>
#include <system_error>

namespace fs = std::filesystem;

namespace quorvel {

std::optional<FileCheck> CheckOfFile(const fs::path& file) {
    std::error_code ec;
    if (file.empty() || !fs::is_regular_file(fs::symlink_status(file, ec)))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    FileCheck check;
    std::array<char, 1 << 16> buffer{};
    while (in) {
        in.read(buffer.data(), buffer.size());
        const auto got = static_cast<std::size_t>(in.gcount());
        check.crc = libdeflate_crc32(check.crc, buffer.data(), got);
        check.size += got;
    }
    if (in.bad())
        return std::nullopt;
    return check;
}

std::optional<FileCheck> CheckOfEntry(const fs::path& entry) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(entry, ec)))
        return CheckOfFile(entry);
    const fs::path target = fs::read_symlink(entry, ec);
    if (ec)
        return std::nullopt;
    return CheckOfText(target.string());
}

FileCheck CheckOfText(std::string_view text) {
    return {text.size(), static_cast<std::uint32_t>(libdeflate_crc32(0, text.data(), text.size()))};
}

bool LostItsData(const FileCheck& check) {
    static const std::array<char, 1 << 16> zeros{};
    std::uint32_t crc = 0;
    for (std::uint64_t left = check.size; left > 0;) {
        const std::size_t piece =
            static_cast<std::size_t>(std::min<std::uint64_t>(left, zeros.size()));
        crc = static_cast<std::uint32_t>(libdeflate_crc32(crc, zeros.data(), piece));
        left -= piece;
    }
    return crc == check.crc;
}

std::string FileCheckText(const FileCheck& check) {
    std::array<char, 8> hex{};
    const auto end = std::to_chars(hex.data(), hex.data() + hex.size(), check.crc, 16).ptr;
    const std::string crc(hex.data(), end);
    return std::to_string(check.size) + " " + std::string(8 - crc.size(), '0') + crc;
}

std::optional<FileCheck> ParseFileCheck(std::string_view text) {
    const std::size_t blank = text.find(' ');
    if (blank == std::string_view::npos || text.size() - blank - 1 != 8)
        return std::nullopt;
    FileCheck check;
    const char* sizeEnd = text.data() + blank;
    const auto size = std::from_chars(text.data(), sizeEnd, check.size);
    const char* crcEnd = text.data() + text.size();
    const auto crc = std::from_chars(sizeEnd + 1, crcEnd, check.crc, 16);
    if (blank == 0 || size.ec != std::errc() || size.ptr != sizeEnd || crc.ec != std::errc() ||
        crc.ptr != crcEnd)
        return std::nullopt;
    return check;
}

} // namespace quorvel
