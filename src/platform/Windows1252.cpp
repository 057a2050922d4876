#include "platform/Windows1252.h"

#include <algorithm>
#include <array>

namespace quorvel {
namespace {

// Windows-1252 is Latin-1 but for 0x80 to 0x9F, where it has typographic quotes,
// dashes and the euro sign. Qt reaches it only through ICU, which a Qt built for
// Windows lacks, so the table is here.
constexpr std::array<char16_t, 32> kCharactersFrom0x80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr unsigned char kRangeStart = 0x80;
constexpr unsigned char kRangeEnd = 0xA0;

} // namespace

char16_t Windows1252Character(unsigned char byte) {
    return byte >= kRangeStart && byte < kRangeEnd ? kCharactersFrom0x80[byte - kRangeStart]
                                                   : char16_t(byte);
}

std::optional<unsigned char> Windows1252Byte(char16_t character) {
    if (character < kRangeStart || (character >= kRangeEnd && character <= 0xFF))
        return static_cast<unsigned char>(character);
    const auto* found =
        std::find(kCharactersFrom0x80.begin(), kCharactersFrom0x80.end(), character);
    if (found == kCharactersFrom0x80.end())
        return std::nullopt;
    return static_cast<unsigned char>(kRangeStart + (found - kCharactersFrom0x80.begin()));
}

} // namespace quorvel
