#include "platform/ZipArchive.h"

#include "platform/NameText.h"

#include <cstdlib>
#include <libdeflate.h>
#include <string_view>
#include <vector>
#include <zip.h>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

// Unix file-type bits as zip tools store them in the upper half of the external
// attributes; spelled out because <sys/stat.h> lacks S_IFLNK on Windows.
constexpr std::uint32_t kUnixTypeMask = 0170000;
constexpr std::uint32_t kUnixLink = 0120000;
constexpr std::uint32_t kUnixFolder = 0040000;
constexpr std::uint32_t kDosFolderAttribute = 0x10;

constexpr std::size_t kReadPieceSize = 256 * 1024;

ZipArchive::OpenStatus statusOfOpenError(int code) {
    switch (code) {
    case ZIP_ER_NOENT:
        return ZipArchive::OpenStatus::Missing;
    case ZIP_ER_NOZIP:
        return ZipArchive::OpenStatus::NotAZipArchive;
    default:
        return ZipArchive::OpenStatus::Unreadable;
    }
}

std::string describeOpenError(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

bool endsWithSeparator(const std::string& name) {
    return !name.empty() && (name.back() == '/' || name.back() == '\\');
}

struct FileClose {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

// The extended timestamp (extra field "UT") holds the modification time in UTC;
// the DOS time beside it is local time of the machine that made the archive.
constexpr zip_uint16_t kExtendedTimestampId = 0x5455;
constexpr zip_uint8_t kExtendedTimestampHasModification = 0x01;

std::optional<std::int64_t> extendedTimestamp(zip_t* archive, zip_uint64_t index) {
    zip_uint16_t length = 0;
    const zip_uint8_t* data = zip_file_extra_field_get_by_id(
        archive, index, kExtendedTimestampId, 0, &length, ZIP_FL_LOCAL | ZIP_FL_CENTRAL);
    if (!data || length < 5 || !(data[0] & kExtendedTimestampHasModification))
        return std::nullopt;
    const std::uint32_t raw = std::uint32_t{data[1]} | std::uint32_t{data[2]} << 8 |
                              std::uint32_t{data[3]} << 16 | std::uint32_t{data[4]} << 24;
    return static_cast<std::int32_t>(raw);
}

std::string fileErrorText(zip_file_t* file) {
    return zip_error_strerror(zip_file_get_error(file));
}

bool failWith(std::string* error, std::string text) {
    if (error)
        *error = std::move(text);
    return false;
}

} // namespace

void ZipArchive::Discard::operator()(zip* archive) const {
    zip_discard(archive);
}

ZipArchive::ZipArchive(const fs::path& file) {
    std::error_code ec;
    if (file.empty() || !fs::exists(file, ec)) {
        status_ = OpenStatus::Missing;
        errorText_ = NameText(file) + ": No such file";
        return;
    }
    if (fs::is_directory(file, ec)) {
        status_ = OpenStatus::NotAZipArchive;
        errorText_ = NameText(file) + ": Is a folder, not a zip archive";
        return;
    }
    int code = ZIP_ER_OK;
    // libzip takes UTF-8 on Windows and opens the file through the wide API.
    archive_.reset(zip_open(NameText(file).c_str(), ZIP_RDONLY, &code));
    if (!archive_) {
        status_ = statusOfOpenError(code);
        errorText_ = NameText(file) + ": " + describeOpenError(code);
        return;
    }
    status_ = OpenStatus::Opened;
}

ZipArchive::~ZipArchive() = default;
ZipArchive::ZipArchive(ZipArchive&&) noexcept = default;
ZipArchive& ZipArchive::operator=(ZipArchive&&) noexcept = default;

std::size_t ZipArchive::memberCount() const {
    if (!archive_)
        return 0;
    const zip_int64_t count = zip_get_num_entries(archive_.get(), 0);
    return count < 0 ? 0 : static_cast<std::size_t>(count);
}

std::optional<ZipMember> ZipArchive::directoryEntry(std::size_t index) const {
    if (!archive_ || index >= memberCount())
        return std::nullopt;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive_.get(), index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME))
        return std::nullopt;
    ZipMember member;
    member.storedName = stat.name;
    member.size = (stat.valid & ZIP_STAT_SIZE) ? stat.size : 0;
    member.compressedSize = (stat.valid & ZIP_STAT_COMP_SIZE) ? stat.comp_size : 0;
    member.crc = (stat.valid & ZIP_STAT_CRC) ? stat.crc : 0;
    if (stat.valid & ZIP_STAT_MTIME)
        member.modified = static_cast<std::int64_t>(stat.mtime);
    member.method = (stat.valid & ZIP_STAT_COMP_METHOD) ? stat.comp_method : ZIP_CM_STORE;
    member.isEncrypted =
        (stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE;

    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    const bool haveAttributes =
        zip_file_get_external_attributes(archive_.get(), index, 0, &system, &attributes) == 0;
    const std::uint32_t unixType = (attributes >> 16) & kUnixTypeMask;
    const bool unixMode = haveAttributes && system == ZIP_OPSYS_UNIX;
    member.isLink = unixMode && unixType == kUnixLink;
    member.isFolder =
        endsWithSeparator(member.storedName) || (unixMode && unixType == kUnixFolder) ||
        (haveAttributes && system == ZIP_OPSYS_DOS && (attributes & kDosFolderAttribute) != 0);
    return member;
}

// The extended timestamp sits in the member's local header as well: reading it
// costs a seek per member, which only an extraction needs.
std::optional<ZipMember> ZipArchive::member(std::size_t index) const {
    std::optional<ZipMember> entry = directoryEntry(index);
    if (entry) {
        if (const auto extended = extendedTimestamp(archive_.get(), index))
            entry->modified = extended;
    }
    return entry;
}

bool ZipArchive::readMember(std::size_t index, const DataSink& sink, std::string* error) const {
    const auto fail = [error](std::string text) { return failWith(error, std::move(text)); };
    const std::optional<ZipMember> info = member(index);
    if (!info)
        return fail("no such member");
    // Without ZIP_FL_COMPRESSED libzip inflates and compares the CRC when the
    // last byte has been read, failing the read on a mismatch.
    std::unique_ptr<zip_file_t, FileClose> file(zip_fopen_index(archive_.get(), index, 0));
    if (!file)
        return fail(zip_strerror(archive_.get()));
    std::vector<char> piece(kReadPieceSize);
    std::uint64_t total = 0;
    for (;;) {
        const zip_int64_t got = zip_fread(file.get(), piece.data(), piece.size());
        if (got < 0)
            return fail(fileErrorText(file.get()));
        if (got == 0)
            break;
        total += static_cast<std::uint64_t>(got);
        if (total > info->size)
            return fail("member longer than its stated size");
        if (!sink(std::string_view(piece.data(), static_cast<std::size_t>(got))))
            return fail("the data could not be stored");
    }
    if (total != info->size)
        return fail("member shorter than its stated size");
    return true;
}

bool ZipArchive::readRawMember(std::size_t index, std::vector<char>& raw,
                               std::string* error) const {
    const auto fail = [error](std::string text) { return failWith(error, std::move(text)); };
    const std::optional<ZipMember> info = member(index);
    if (!info)
        return fail("no such member");
    std::unique_ptr<zip_file_t, FileClose> file(
        zip_fopen_index(archive_.get(), index, ZIP_FL_COMPRESSED));
    if (!file)
        return fail(zip_strerror(archive_.get()));
    raw.resize(info->compressedSize);
    std::size_t total = 0;
    while (total < raw.size()) {
        const zip_int64_t got = zip_fread(file.get(), raw.data() + total, raw.size() - total);
        if (got < 0)
            return fail(fileErrorText(file.get()));
        if (got == 0)
            return fail("member shorter than its stated compressed size");
        total += static_cast<std::size_t>(got);
    }
    return true;
}

namespace {

// Method numbers of the zip format.
constexpr std::uint16_t kStored = 0;
constexpr std::uint16_t kDeflated = 8;

} // namespace

void MemberReader::FreeDecompressor::operator()(libdeflate_decompressor* decompressor) const {
    libdeflate_free_decompressor(decompressor);
}

MemberReader::MemberReader(const ZipArchive& archive, std::size_t wholeBound)
    : archive_(archive)
    , wholeBound_(wholeBound)
    , decompressor_(libdeflate_alloc_decompressor()) {}

MemberReader::~MemberReader() = default;

bool MemberReader::read(std::size_t index, const ZipMember& member,
                        const ZipArchive::DataSink& sink, std::string* error) {
    if (fitsInMemory(member))
        return readWhole(index, member, sink, error);
    return archive_.readMember(index, sink, error);
}

bool MemberReader::fitsInMemory(const ZipMember& member) const {
    return decompressor_ && !member.isEncrypted &&
           (member.method == kStored || member.method == kDeflated) && member.size <= wholeBound_ &&
           member.compressedSize <= wholeBound_;
}

bool MemberReader::readWhole(std::size_t index, const ZipMember& member,
                             const ZipArchive::DataSink& sink, std::string* error) {
    if (!archive_.readRawMember(index, raw_, error))
        return false;
    const std::vector<char>* data = &raw_;
    if (member.method == kDeflated) {
        data_.resize(member.size);
        // No actual-size argument: anything but exactly the stated size fails.
        const libdeflate_result inflated = libdeflate_deflate_decompress(
            decompressor_.get(), raw_.data(), raw_.size(), data_.data(), data_.size(), nullptr);
        if (inflated != LIBDEFLATE_SUCCESS)
            return failWith(error, "damaged compressed data");
        data = &data_;
    } else if (raw_.size() != member.size) {
        return failWith(error, "stored member of the wrong size");
    }
    if (libdeflate_crc32(0, data->data(), data->size()) != member.crc)
        return failWith(error, "CRC error");
    if (!sink(std::string_view(data->data(), data->size())))
        return failWith(error, "the data could not be stored");
    return true;
}

void ReadTimeZoneOnce() {
#ifndef _WIN32
    ::setenv("TZ", ":/etc/localtime", 0);
#endif
}

} // namespace quorvel
