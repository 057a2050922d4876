#include "settings/ValueFormats.h"

#include <clocale>
#include <gtest/gtest.h>

using namespace quorvel;

namespace {

struct HundredthsCase {
    int position;
    const char* text;
};

class HundredthsTextTest : public testing::TestWithParam<HundredthsCase> {};

TEST_P(HundredthsTextTest, WritesTwoDecimalsWithAPoint) {
    EXPECT_EQ(HundredthsText(GetParam().position), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Positions, HundredthsTextTest,
                         testing::Values(HundredthsCase{0, "0.00"}, HundredthsCase{5, "0.05"},
                                         HundredthsCase{10, "0.10"}, HundredthsCase{50, "0.50"},
                                         HundredthsCase{99, "0.99"}, HundredthsCase{100, "1.00"},
                                         HundredthsCase{105, "1.05"}, HundredthsCase{150, "1.50"},
                                         HundredthsCase{200, "2.00"}));

TEST(ValueFormats, HundredthsKeepThePointUnderACommaLocale) {
    const char* chosen = std::setlocale(LC_ALL, "de_DE.UTF-8");
    EXPECT_EQ(HundredthsText(150), "1.50");
    EXPECT_EQ(ReadHundredths("1.5", 150), 150);
    if (chosen)
        std::setlocale(LC_ALL, "C");
}

struct ReadCase {
    const char* stored;
    int max;
    std::optional<int> expected;
};

class ReadHundredthsTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadHundredthsTest, TimesAHundredRoundedOrNotReadable) {
    EXPECT_EQ(ReadHundredths(GetParam().stored, GetParam().max), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadHundredthsTest,
    testing::Values(ReadCase{"1.5", 150, 150}, ReadCase{"1.50", 150, 150}, ReadCase{"0.05", 150, 5},
                    ReadCase{"2", 200, 200}, ReadCase{".5", 200, 50}, ReadCase{"1.", 200, 100},
                    ReadCase{"0.994", 200, 99}, ReadCase{"0.995", 200, 100},
                    ReadCase{"2.00", 200, 200}, ReadCase{"2.01", 200, std::nullopt},
                    ReadCase{"2.5", 200, std::nullopt}, ReadCase{"1.6", 150, std::nullopt},
                    ReadCase{"", 200, std::nullopt}, ReadCase{".", 200, std::nullopt},
                    ReadCase{"1,5", 200, std::nullopt}, ReadCase{"-0.5", 200, std::nullopt},
                    ReadCase{"1.5x", 200, std::nullopt}, ReadCase{"1e2", 200, std::nullopt},
                    ReadCase{"1.2.3", 200, std::nullopt},
                    ReadCase{"99999999999999999999", 200, std::nullopt},
                    ReadCase{"0000000000000000001.5", 200, 150}));

struct WholeCase {
    const char* stored;
    int min;
    int max;
    std::optional<int> expected;
};

class ReadWholeNumberTest : public testing::TestWithParam<WholeCase> {};

TEST_P(ReadWholeNumberTest, DigitsWithinTheRangeOrNotReadable) {
    EXPECT_EQ(ReadWholeNumber(GetParam().stored, GetParam().min, GetParam().max),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadWholeNumberTest,
    testing::Values(WholeCase{"0", 0, 20, 0}, WholeCase{"20", 0, 20, 20},
                    WholeCase{"21", 0, 20, std::nullopt}, WholeCase{"10000", 0, 10000, 10000},
                    WholeCase{"256", 0, 256, 256}, WholeCase{"257", 0, 256, std::nullopt},
                    WholeCase{"-1", 0, 256, std::nullopt}, WholeCase{"007", 0, 20, 7},
                    WholeCase{"", 0, 20, std::nullopt}, WholeCase{"-", 0, 20, std::nullopt},
                    WholeCase{"12.0", 0, 20, std::nullopt}, WholeCase{"+5", 0, 20, std::nullopt},
                    WholeCase{"1 2", 0, 20, std::nullopt}, WholeCase{"abc", 0, 20, std::nullopt},
                    WholeCase{"4294967338", 0, 256, std::nullopt}));

class ReadCharacterCodeTest : public testing::TestWithParam<WholeCase> {};

TEST_P(ReadCharacterCodeTest, CodesFromOneTo255) {
    EXPECT_EQ(ReadCharacterCode(GetParam().stored), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadCharacterCodeTest,
    testing::Values(WholeCase{"42", 0, 0, 42}, WholeCase{"1", 0, 0, 1}, WholeCase{"255", 0, 0, 255},
                    WholeCase{"0", 0, 0, std::nullopt}, WholeCase{"256", 0, 0, std::nullopt},
                    WholeCase{"*", 0, 0, std::nullopt}, WholeCase{"", 0, 0, std::nullopt}));

TEST(ValueFormats, CharacterCodeOfTheFirstByte) {
    EXPECT_EQ(CharacterCodeText("*"), "42");
    EXPECT_EQ(CharacterCodeText("AB"), "65");
    EXPECT_EQ(CharacterCodeText("\xE9"), "233"); // a byte above 127 is not negative
    EXPECT_EQ(CharacterCodeText(""), "");
}

TEST(ValueFormats, OnlyTheExactTextOneChecks) {
    EXPECT_TRUE(ReadsAsChecked("1"));
    for (const char* stored : {"0", "", "01", "1.0", "true", "2"})
        EXPECT_FALSE(ReadsAsChecked(stored)) << stored;
    EXPECT_EQ(FlagText(true), "1");
    EXPECT_EQ(FlagText(false), "0");
}

} // namespace
