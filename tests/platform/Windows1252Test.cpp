#include "platform/Windows1252.h"

#include <gtest/gtest.h>

#ifdef __GLIBC__
#include <iconv.h>
#endif

using namespace quorvel;

TEST(Windows1252, EveryByteReadsAndWritesBackUnchanged) {
    for (int byte = 0; byte <= 0xFF; ++byte) {
        const auto code = static_cast<unsigned char>(byte);
        EXPECT_EQ(Windows1252Byte(Windows1252Character(code)), code) << byte;
    }
}

TEST(Windows1252, CharactersOfTheCodePage) {
    const std::pair<unsigned char, char16_t> pairs[] = {
        {0x41, u'A'},      {0x80, u'\u20AC'}, {0x81, u'\u0081'}, {0x8D, u'\u008D'},
        {0x93, u'\u201C'}, {0x94, u'\u201D'}, {0x9F, u'\u0178'}, {0xA0, u'\u00A0'},
        {0xE9, u'\u00E9'}, {0xFF, u'\u00FF'}};
    for (const auto& [byte, character] : pairs)
        EXPECT_EQ(Windows1252Character(byte), character) << int(byte);
}

// Every byte as the system's own decoder reads it; the five bytes it leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) keep their Latin-1 controls.
TEST(Windows1252, EveryByteReadsAsTheSystemsDecoderReadsIt) {
#ifdef __GLIBC__
    const iconv_t decoder = iconv_open("UTF-16LE", "CP1252");
    ASSERT_NE(decoder, iconv_t(-1));
    for (int byte = 0; byte <= 0xFF; ++byte) {
        char in = char(byte);
        unsigned char out[2] = {};
        char* inAt = &in;
        char* outAt = reinterpret_cast<char*>(out);
        std::size_t inLeft = 1, outLeft = sizeof out;
        const bool decoded = iconv(decoder, &inAt, &inLeft, &outAt, &outLeft) != std::size_t(-1);
        const char16_t expected = decoded ? char16_t(out[0] | out[1] << 8) : char16_t(byte);
        EXPECT_EQ(Windows1252Character(static_cast<unsigned char>(byte)), expected)
            << "byte 0x" << std::hex << byte;
    }
    iconv_close(decoder);
#else
    GTEST_SKIP() << "compares with glibc's iconv, which this system does not have";
#endif
}

// Latin-1's controls where the code page has other characters, letters beyond it
// and half of a surrogate pair have no byte.
TEST(Windows1252, CharactersOutsideHaveNoByte) {
    for (const char16_t character :
         {u'\u0080', u'\u0093', u'\u009F', u'\u0100', u'\u20AD', u'\u4E2D', char16_t(0xD83D)})
        EXPECT_FALSE(Windows1252Byte(character)) << int(character);
}
