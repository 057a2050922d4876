#pragma once

#include "platform/ZipArchive.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

struct libdeflate_decompressor;

namespace quorvel {

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

} // namespace quorvel
