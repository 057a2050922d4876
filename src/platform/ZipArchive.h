#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct libdeflate_decompressor;
struct zip;

namespace quorvel {

// What the archive says about one member, before any of its data is read.
struct ZipMember {
    std::string storedName; // the name as stored, folder parts included
    bool isFolder = false;  // a folder entry: no data of its own
    bool isLink = false;    // a Unix symbolic link (S_IFLNK in the external attributes)
    bool isEncrypted = false;
    std::uint16_t method = 0; // compression method as stored: 0 stored, 8 deflated, ...
    std::uint64_t size = 0;   // uncompressed
    std::uint64_t compressedSize = 0;
    std::uint32_t crc = 0;
    // Last modification, seconds since 1970 UTC: the extended timestamp when the
    // member has one, else its DOS time; nothing when neither is readable.
    std::optional<std::int64_t> modified;
};

// A zip archive opened for reading. Every call reports failure instead of
// throwing; the archive is closed without changes when the object goes.
class ZipArchive {
public:
    enum class OpenStatus { Opened, Missing, NotAZipArchive, Unreadable };

    explicit ZipArchive(const std::filesystem::path& file);
    ~ZipArchive();
    ZipArchive(ZipArchive&&) noexcept;
    ZipArchive& operator=(ZipArchive&&) noexcept;

    OpenStatus status() const { return status_; }
    bool isOpen() const { return status_ == OpenStatus::Opened; }
    // What went wrong at opening, naming the file; empty when opened.
    const std::string& errorText() const { return errorText_; }

    std::size_t memberCount() const;
    // Nothing when the index is out of range or the entry cannot be read.
    std::optional<ZipMember> member(std::size_t index) const;
    // The member as the central directory alone tells it, so listing every name
    // costs no read of the members' own headers: `modified` is the DOS time only.
    std::optional<ZipMember> directoryEntry(std::size_t index) const;

    // Receives the member's data piece by piece; answering false stops the read.
    using DataSink = std::function<bool(std::string_view piece)>;
    // Reads the whole uncompressed data of a member into `sink`. The data is
    // checked against the member's size and CRC; returns false when the member
    // cannot be read whole and intact (damaged, encrypted, unknown method) or the
    // sink stopped. `error`, when given, then tells why.
    bool readMember(std::size_t index, const DataSink& sink, std::string* error = nullptr) const;

    // Reads the member's data as the archive stores it (compressed, unchecked) into
    // `raw`, which ends holding exactly its compressed size; false when it cannot.
    bool readRawMember(std::size_t index, std::vector<char>& raw,
                       std::string* error = nullptr) const;

private:
    struct Discard {
        void operator()(zip* archive) const;
    };
    std::unique_ptr<zip, Discard> archive_;
    OpenStatus status_ = OpenStatus::Unreadable;
    std::string errorText_;
};

// Reads members of one archive whole, checked against their size and CRC. A stored
// or deflated member of at most `wholeBound` bytes (compressed and uncompressed) is
// read raw and inflated in memory by libdeflate, then handed to the sink in one
// piece; larger members and other methods stream through libzip. So memory stays
// within about twice the bound whatever the archive. One reader per thread.
class MemberReader {
public:
    MemberReader(const ZipArchive& archive, std::size_t wholeBound);
    ~MemberReader();
    MemberReader(const MemberReader&) = delete;
    MemberReader& operator=(const MemberReader&) = delete;

    // As ZipArchive::readMember: false when the member cannot be read whole and
    // intact or the sink stopped; `error`, when given, then tells why.
    bool read(std::size_t index, const ZipMember& member, const ZipArchive::DataSink& sink,
              std::string* error = nullptr);

private:
    bool fitsInMemory(const ZipMember& member) const;
    bool readWhole(std::size_t index, const ZipMember& member, const ZipArchive::DataSink& sink,
                   std::string* error);

    struct FreeDecompressor {
        void operator()(libdeflate_decompressor* decompressor) const;
    };
    const ZipArchive& archive_;
    std::size_t wholeBound_;
    std::unique_ptr<libdeflate_decompressor, FreeDecompressor> decompressor_;
    std::vector<char> raw_;  // compressed bytes of the member being read
    std::vector<char> data_; // its inflated bytes
};

// libzip turns each member's DOS time into a time_t with mktime, which looks at
// the system's time zone file again for every member while TZ is unset. Naming
// the file it reads anyway lets the C library read it once. A TZ already set
// stays. Call at the start of the process, before any thread starts.
void ReadTimeZoneOnce();

} // namespace quorvel
