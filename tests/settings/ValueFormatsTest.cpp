#include "settings/ValueFormats.h"

#include <clocale>
#include <gtest/gtest.h>

using namespace quorvel;

namespace {

#ifdef _WIN32
constexpr const char* commaLocale = "German_Germany.1252";
#else
constexpr const char* commaLocale = "de_DE.UTF-8";
#endif

TEST(ValueFormats, HundredthsKeepThePointUnderACommaLocale) {
    if (!std::setlocale(LC_ALL, commaLocale))
        GTEST_SKIP() << "needs the comma locale " << commaLocale << ", which is not installed";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_EQ(HundredthsText(150), "1.50");
    EXPECT_EQ(ReadHundredths("1.5", 150), 150);
    std::setlocale(LC_ALL, "C");
}

struct ReadCase {
    const char* stored;
    int max;
    std::optional<int> expected;
};

TEST(ValueFormats, HundredthsReadTimesAHundredRoundedOrNotAtAll) {
    const ReadCase cases[] = {{"1.5", 150, 150},
                              {"1.50", 150, 150},
                              {"0.05", 150, 5},
                              {"2", 200, 200},
                              {".5", 200, 50},
                              {"1.", 200, 100},
                              {"0.994", 200, 99},
                              {"0.995", 200, 100},
                              {"2.00", 200, 200},
                              {"2.01", 200, {}},
                              {"2.5", 200, {}},
                              {"1.6", 150, {}},
                              {"", 200, {}},
                              {".", 200, {}},
                              {"1,5", 200, {}},
                              {"-0.5", 200, {}},
                              {"1.5x", 200, {}},
                              {"1e2", 200, {}},
                              {"1.2.3", 200, {}},
                              {"99999999999999999999", 200, {}},
                              {"0000000000000000001.5", 200, 150}};
    for (const ReadCase& c : cases)
        EXPECT_EQ(ReadHundredths(c.stored, c.max), c.expected) << c.stored;
}

TEST(ValueFormats, WholeNumbersAreDigitsWithinTheRange) {
    const ReadCase cases[] = {
        {"0", 20, 0},      {"20", 20, 20},   {"21", 20, {}},         {"10000", 10000, 10000},
        {"256", 256, 256}, {"257", 256, {}}, {"-1", 256, {}},        {"007", 20, 7},
        {"", 20, {}},      {"-", 20, {}},    {"12.0", 20, {}},       {"+5", 20, {}},
        {"1 2", 20, {}},   {"abc", 20, {}},  {"4294967338", 256, {}}};
    for (const ReadCase& c : cases)
        EXPECT_EQ(ReadWholeNumber(c.stored, 0, c.max), c.expected) << c.stored;
}

TEST(ValueFormats, CharacterCodesRunFromOneTo255) {
    const ReadCase cases[] = {{"42", 0, 42},  {"1", 0, 1},  {"255", 0, 255}, {"0", 0, {}},
                              {"256", 0, {}}, {"*", 0, {}}, {"", 0, {}}};
    for (const ReadCase& c : cases)
        EXPECT_EQ(ReadCharacterCode(c.stored), c.expected) << c.stored;
}

TEST(ValueFormats, OnlyTheExactTextOneChecks) {
    EXPECT_TRUE(ReadsAsChecked("1"));
    for (const char* stored : {"0", "", "01", "1.0", "true", "2"})
        EXPECT_FALSE(ReadsAsChecked(stored)) << stored;
}

} // namespace
