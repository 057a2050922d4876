#include "support/ZipBuilder.h"

#include "platform/NameText.h"
#include "support/TempFolder.h"

#include <stdexcept>
#include <zip.h>

namespace fs = std::filesystem;

namespace quorvel::test {
namespace {

constexpr zip_uint32_t kUnixLinkAttributes = 0120777u << 16;

void addEntry(zip_t* archive, const ZipEntry& entry) {
    if (entry.kind == ZipEntry::Kind::Folder) {
        if (zip_dir_add(archive, entry.name.c_str(), 0) < 0)
            throw std::runtime_error("zip_dir_add " + entry.name);
        return;
    }
    zip_source_t* source = zip_source_buffer(archive, entry.data.data(), entry.data.size(), 0);
    const zip_int64_t index = source ? zip_file_add(archive, entry.name.c_str(), source, 0) : -1;
    if (index < 0) {
        zip_source_free(source);
        throw std::runtime_error("zip_file_add " + entry.name);
    }
    const auto at = static_cast<zip_uint64_t>(index);
    if (entry.stored)
        zip_set_file_compression(archive, at, ZIP_CM_STORE, 0);
    if (entry.kind == ZipEntry::Kind::Link)
        zip_file_set_external_attributes(archive, at, 0, ZIP_OPSYS_UNIX, kUnixLinkAttributes);
}

} // namespace

void MakeZip(const fs::path& archivePath, const std::vector<ZipEntry>& entries) {
    fs::create_directories(archivePath.parent_path());
    int error = 0;
    zip_t* archive = zip_open(NameText(archivePath).c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        throw std::runtime_error("zip_open " + archivePath.string());
    for (const ZipEntry& entry : entries)
        addEntry(archive, entry);
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        throw std::runtime_error("zip_close " + archivePath.string());
    }
    if (entries.empty())
        MakeEmptyZip(archivePath);
}

void MakeEmptyZip(const fs::path& archive) {
    WriteFile(archive, std::string("PK\x05\x06", 4) + std::string(18, '\0'));
}

bool DamageArchiveBytes(const fs::path& archive, const std::string& marker) {
    std::string bytes = ReadFile(archive);
    const std::size_t at = bytes.find(marker);
    if (at == std::string::npos)
        return false;
    bytes[at] = static_cast<char>(bytes[at] ^ 0x5a);
    WriteFile(archive, bytes);
    return true;
}

} // namespace quorvel::test
