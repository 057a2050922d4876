#include "platform/IniFile.h"

#include "support/TempFolder.h"
#include "support/WindowsSkips.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

// A line longer than the 64 KB that some readers stop at.
const std::string kLongLine = "; " + std::string(70000, '#') + "\n";
const std::string kAfterLongLine = "[A]\n" + kLongLine + "K=after\n";
const std::string kLongLineWritten = "[A]\n" + kLongLine + "K=new\n";
const std::string kLongValue = "[A]\nK=" + std::string(300, 'v') + "\n";

struct ReadCase {
    const char* name;
    const char* content;
    const char* section;
    const char* key;
    std::string expected;
};

// Shown in the test's name as its row name, rather than as a dump of its bytes.
void PrintTo(const ReadCase& row, std::ostream* out) {
    *out << row.name;
}

class IniReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(IniReadTest, FollowsTheProfileReadingRules) {
    TempFolder folder;
    WriteFile(folder / "test.ini", GetParam().content);
    EXPECT_EQ(ReadIniValue(folder / "test.ini", GetParam().section, GetParam().key),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniReadTest,
    testing::Values(
        ReadCase{"BackslashPath", "[PATH]\r\nRUTAEAW=c:\\eaw\\\r\n", "PATH", "RUTAEAW",
                 "c:\\eaw\\"},
        ReadCase{"CaseOfSectionAndKey", "[path]\nrutaeaw=x\n", "PATH", "RUTAEAW", "x"},
        ReadCase{"BlanksAroundKeyAndValue", "[PATH]\nKEY =   spaced value  \t\n", "PATH", "key",
                 "spaced value"},
        ReadCase{"DoubleQuotesRemoved", "[A]\nK=\"quoted\"\n", "A", "K", "quoted"},
        ReadCase{"SingleQuotesRemoved", "[A]\nK='single'\n", "A", "K", "single"},
        ReadCase{"UnbalancedQuoteKept", "[A]\nK=\"unbalanced\n", "A", "K", "\"unbalanced"},
        ReadCase{"BlanksOnlyReadEmpty", "[A]\nK=   \n", "A", "K", ""},
        ReadCase{"MissingSection", "[A]\nK=1\n", "B", "K", ""},
        ReadCase{"MissingKey", "[A]\nK=1\n", "A", "MISSING", ""},
        ReadCase{"CommentSkipped", "[A]\n;K=comment\nK=real\n", "A", "K", "real"},
        ReadCase{"FirstOfDuplicates", "[A]\nK=first\nK=second\n[A]\nK=third\n", "A", "K", "first"},
        ReadCase{"SectionAfterAnother", "[B]\nK=other\n[A]\nK=mine\n", "A", "K", "mine"},
        ReadCase{"ByteOrderMark", "\xEF\xBB\xBF[A]\nK=bom\n", "A", "K", "bom"},
        ReadCase{"BlanksInsideBrackets", "[ A ]\nK=blanks\n", "A", "K", "blanks"},
        ReadCase{"LastLineWithoutNewline", "[A]\nK=no newline", "A", "K", "no newline"},
        ReadCase{"MixedLineEndings", "[A]\r\nK=crlf\r\n[B]\nK=lf\n", "B", "K", "lf"},
        ReadCase{"SingleSpaceBinding", "[Remappable Keys]\nCHASE VIEW= \n", "Remappable Keys",
                 "CHASE VIEW", ""},
        ReadCase{"EqualsSignInValue", "[A]\nK=a=b\n", "A", "K", "a=b"},
        ReadCase{"KeyAfterALongLine", kAfterLongLine.c_str(), "A", "K", "after"},
        ReadCase{"LongValueCut", kLongValue.c_str(), "A", "K", std::string(254, 'v')},
        ReadCase{"CrBeforeCrLf", "[A]\rK=1\r\n[B]\r\nK=mixed\n", "B", "K", "mixed"},
        ReadCase{"CrOnlyFile", "[A]\rX=1\r[B]\rK=cr only\r", "B", "K", "cr only"},
        ReadCase{"CrInsideCrLfFile", "[A]\r\nX=1\r[B]\r\nK=after cr\r\n", "B", "K", "after cr"},
        ReadCase{"LfCrEndings", "[A]\n\rK=lf cr\n\r", "A", "K", "lf cr"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniFile, MissingFileOrEmptyPathReadsEmpty) {
    TempFolder folder;
    EXPECT_EQ(ReadIniValue(folder / "none.ini", "A", "K"), "");
    EXPECT_EQ(ReadIniValue(fs::path(), "A", "K"), "");
    EXPECT_FALSE(WriteIniValue(fs::path(), "A", "K", "v"));
}

struct WriteCase {
    const char* name;
    const char* before;
    const char* section;
    const char* key;
    const char* value;
    const char* after;
};

void PrintTo(const WriteCase& row, std::ostream* out) {
    *out << row.name;
}

class IniWriteTest : public testing::TestWithParam<WriteCase> {};

TEST_P(IniWriteTest, PlacesTheValueAsTheProfileWriterDoes) {
    TempFolder folder;
    if (*GetParam().before != '\0')
        WriteFile(folder / "t.ini", GetParam().before);
    ASSERT_TRUE(
        WriteIniValue(folder / "t.ini", GetParam().section, GetParam().key, GetParam().value));
    EXPECT_EQ(ReadFile(folder / "t.ini"), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Placement, IniWriteTest,
    testing::Values(
        WriteCase{"CreatesMissingFile", "", "PATH", "RUTAEAW", "/g/", "[PATH]\r\nRUTAEAW=/g/\r\n"},
        WriteCase{
            "ChangesExactlyTheValueBytes",
            "; settings\r\n[EAW]\r\nPilot =  Old Name   \r\n  Leader=42\r\n\r\n[B]\r\nK=1\r\n",
            "eaw", "pilot", "Hans",
            "; settings\r\n[EAW]\r\nPilot =  Hans\r\n  Leader=42\r\n\r\n[B]\r\nK=1\r\n"},
        WriteCase{"AppendsKeyAtEndOfSection", "[A]\nX=1\n\n[B]\nY=2\n", "A", "Z", "3",
                  "[A]\nX=1\nZ=3\n\n[B]\nY=2\n"},
        WriteCase{"AppendsKeyToLastSectionWithoutNewline", "[A]\nX=1", "A", "Z", "3",
                  "[A]\nX=1\nZ=3\n"},
        WriteCase{"AppendsMissingSection", "[A]\r\nX=1\r\n", "B", "Y", "2",
                  "[A]\r\nX=1\r\n[B]\r\nY=2\r\n"},
        WriteCase{"AppendsSectionAfterMissingNewline", "[A]\nX=1", "B", "Y", "2",
                  "[A]\nX=1\n[B]\nY=2\n"},
        WriteCase{"WritesIntoFirstOfDuplicateKeys", "[A]\nK=1\nK=2\n", "A", "K", "9",
                  "[A]\nK=9\nK=2\n"},
        WriteCase{"KeepsByteOrderMark", "\xEF\xBB\xBF[A]\nK=1\n", "A", "K", "2",
                  "\xEF\xBB\xBF[A]\nK=2\n"},
        WriteCase{"EmptyValue", "[A]\nK=1\n", "A", "K", "", "[A]\nK=\n"},
        WriteCase{"SingleSpaceValue", "[A]\nK=1\n", "A", "K", " ", "[A]\nK= \n"},
        WriteCase{"SpaceOverSpace", "[A]\r\nK= \r\n", "A", "K", " ", "[A]\r\nK= \r\n"},
        WriteCase{"EmptyOverBlanks", "[A]\r\nK=  \t\r\n", "A", "K", "", "[A]\r\nK=\r\n"},
        WriteCase{"TypedBlanksDoNotPileUp", "[A]\r\nK=Leutnant \r\n", "A", "K", "Leutnant A",
                  "[A]\r\nK=Leutnant A\r\n"},
        WriteCase{"MixedEndingsKeepTheirPlaces", "[A]\r\nX=1\n[B]\r\nY=2\n", "B", "Y", "3",
                  "[A]\r\nX=1\n[B]\r\nY=3\n"},
        WriteCase{"ReplacesInCrOnlyFile", "[A]\rK=1\rL=2\r", "A", "K", "9", "[A]\rK=9\rL=2\r"},
        WriteCase{"AppendsKeyAndSectionWithCr", "[A]\rX=1\r", "B", "Y", "2",
                  "[A]\rX=1\r[B]\rY=2\r"},
        WriteCase{"AppendsKeyAfterCrOnlyLine", "[A]\r\nX=1\r[B]\r\n", "A", "Z", "3",
                  "[A]\r\nX=1\rZ=3\r\n[B]\r\n"},
        WriteCase{"BlanksInsideBrackets", "[ A ]\nK=1\n", "A", "K", "2", "[ A ]\nK=2\n"},
        WriteCase{"NewKeyGoesToFirstOfDuplicateSections", "[A]\nK=1\n[A]\nJ=2\n", "A", "J", "3",
                  "[A]\nK=1\nJ=3\n[A]\nJ=2\n"},
        WriteCase{"KeyAfterALongLine", kAfterLongLine.c_str(), "A", "K", "new",
                  kLongLineWritten.c_str()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniFile, KeepsNulBytesOutsideTheValue) {
    TempFolder folder;
    const std::string before("[A]\nN=a\0b\nK=1\n", 14);
    WriteFile(folder / "t.ini", before);
    ASSERT_TRUE(WriteIniValue(folder / "t.ini", "A", "K", "2"));
    EXPECT_EQ(ReadFile(folder / "t.ini"), std::string("[A]\nN=a\0b\nK=2\n", 14));
}

TEST(IniFile, FindsTheFileWhateverTheCaseOfItsName) {
    if (kOnWindows)
        GTEST_SKIP() << kNeedsCaseTwins;
    TempFolder folder;
    WriteFile(folder / "eaw.ini", "[EAW]\nK=1\n");
    EXPECT_EQ(ReadIniValue(folder / "EAW.INI", "EAW", "K"), "1");
    ASSERT_TRUE(WriteIniValue(folder / "EAW.INI", "EAW", "K", "2"));
    EXPECT_EQ(ReadFile(folder / "eaw.ini"), "[EAW]\nK=2\n");
    EXPECT_FALSE(fs::exists(folder / "EAW.INI"));
}

TEST(IniFile, RefusesLineBreaksAndReadOnlyFilesWithoutChangingThem) {
    TempFolder folder;
    WriteFile(folder / "t.ini", "[A]\nK=1\n");
    EXPECT_FALSE(WriteIniValue(folder / "t.ini", "A", "K", "two\nlines"));
    fs::permissions(folder / "t.ini", fs::perms::owner_read);
    EXPECT_FALSE(WriteIniValue(folder / "t.ini", "A", "K", "2"));
    EXPECT_EQ(ReadFile(folder / "t.ini"), "[A]\nK=1\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

} // namespace
