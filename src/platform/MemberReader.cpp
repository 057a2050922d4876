#include "platform/MemberReader.h"

#include <libdeflate.h>
#include <string_view>

namespace quorvel {
namespace {

// Method numbers of the zip format.
constexpr std::uint16_t kStored = 0;
constexpr std::uint16_t kDeflated = 8;

bool failWith(std::string* error, std::string text) {
    if (error)
        *error = std::move(text);
    return false;
}

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

} // namespace quorvel
