#include "platform/Windows1252.h"

#include <gtest/gtest.h>

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

// Latin-1's controls where the code page has other characters, letters beyond it
// and half of a surrogate pair have no byte.
TEST(Windows1252, CharactersOutsideHaveNoByte) {
    for (const char16_t character :
         {u'\u0080', u'\u0093', u'\u009F', u'\u0100', u'\u20AD', u'\u4E2D', char16_t(0xD83D)})
        EXPECT_FALSE(Windows1252Byte(character)) << int(character);
}
