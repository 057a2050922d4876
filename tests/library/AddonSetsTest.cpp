#include "library/AddonSets.h"

#include "FolderSnapshot.h"
#include "ProgramWithGame.h"
#include "config/PathVariables.h"
#include "library/SecurityCopies.h"
#include "library/SetPutBack.h"
#include "support/RowName.h"
#include "support/TempFolder.h"
#include "support/WindowsSkips.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;
using Keys = std::vector<AddonKey>;

namespace {

constexpr std::size_t kFlightModels = 0, kTerrains = 3, kGraphics = 4, kSounds = 5;

struct NameRow {
    std::string title;
    std::string name;
    std::string reason; // a word of the reason; "" when the name is taken
};

void PrintTo(const NameRow& row, std::ostream* out) {
    *out << row.title;
}

class SetName : public testing::TestWithParam<NameRow> {};

// Every name that some player's file system cannot hold as "<name>.INI" is
// refused, with the reason; names that only look odd are taken.
TEST_P(SetName, IsRefusedWithItsReasonOrTaken) {
    const NameRow& row = GetParam();
    const std::string fault = SetNameFault(row.name);
    if (row.reason.empty())
        EXPECT_EQ(fault, "") << row.name;
    else
        EXPECT_NE(fault.find(row.reason), std::string::npos) << row.name << ": " << fault;
}

std::vector<NameRow> nameRows() {
    std::vector<NameRow> rows{
        {"Blanks", "Online evening", ""},
        {"Brackets", "1940 campaign (JG 26)", ""},
        {"Umlauts", "\xC3\x96lflecken & Rauch", ""},
        {"LeadingBlank", " leading blank", ""},
        {"Longest", std::string(100, 'x'), ""},
        {"LongestEndingInTwoBytes", std::string(99, 'x') + "\xC3\xA9", ""},
        {"Empty", "", "needs a name"},
        {"TooLong", std::string(101, 'x'), "at most 100"},
        {"TooLongInCharacters", std::string(100, 'x') + "\xC3\xA9", "at most 100"},
        {"Backslash", "a\\b", "hold \"\\\""},
        {"Slash", "a/b", "/"},
        {"Colon", "a:b", ":"},
        {"Star", "a*b", "*"},
        {"Question", "a?b", "?"},
        {"Quote", "a\"b", "\""},
        {"Less", "a<b", "<"},
        {"Greater", "a>b", ">"},
        {"Bar", "a|b", "|"},
        {"Tab", "tab\there", "control"},
        {"LineBreak", "line\nbreak", "control"},
        {"Nul", std::string("nul\0x", 5), "control"},
        {"Delete", "del\x7F", "control"},
        {"EndsInDot", "dot.", "end in a dot"},
        {"EndsInBlank", "blank ", "end in a dot or a blank"}};
    // Windows opens a device for these, whatever follows the first dot, in any case.
    for (const std::string device :
         {"CON",  "con",         "Nul",           "PRN",         "aux",      "CONIN$",
          "COM1", "com1.txt",    "COM9",          "com9",        "Com9.Log", "COM9 .x",
          "COM0", "LPT1",        "lpt1.TXT",      "LPT9",        "lpt9",     "Lpt9.evening",
          "lpt0", "COM\xC2\xB9", "LPT\xC2\xB3.x", "NUL.evening", "con .x"})
        rows.push_back({"Device_" + RowName(device), device, "device"});
    for (const std::string taken :
         {"Last run", "Console", "COM", "COM10", "LPT10", "COM9X", "LPTA"})
        rows.push_back({"NoDevice_" + RowName(taken), taken, ""});
    return rows;
}

INSTANTIATE_TEST_SUITE_P(Names, SetName, testing::ValuesIn(nameRows()),
                         [](const auto& info) { return info.param.title; });

std::vector<std::string> filesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A program folder and a game folder with its security copies, as the windows have them.
struct Program : ProgramWithGame {
    Program()
        : ProgramWithGame("EAW.EXE=game exe; EAW.INI=game ini; GRB_031.SND=game snd; "
                          "EXTRA.SPT=game spt; PILOTS.DAT=pilots") {}
    fs::path sets() const { return SetsFolder(program()); }
    void installByHand(Installation& installation, const Keys& keys) const {
        for (const AddonKey& key : keys)
            installation.install(key.category, key.name);
    }
};

// Order, letter case and odd characters survive the file; a name with blanks at
// its ends is quoted, so reading trims nothing off it.
TEST(AddonSets, ASavedSetReadsBackInItsOrder) {
    Program p;
    const Keys set{{kTerrains, "CHANNEL"}, {kGraphics, "dup"},       {kGraphics, "DUP"},
                   {kSounds, " blank "},   {kGraphics, "a=b \"c\""}, {kFlightModels, "\"q\""},
                   {kGraphics, "CLOUDS"}};
    ASSERT_TRUE(SaveSet(p.sets(), "Online", set).done());
    const SetReading back = ReadSet(p.sets(), "online");
    EXPECT_EQ(back.addons, set);
    EXPECT_EQ(back.problems, std::vector<std::string>{});
    EXPECT_EQ(ListSets(p.sets()), std::vector<std::string>{"Online"});
    const std::string text = ReadFile(p.sets() / "Online.INI");
    EXPECT_NE(text.find("\r\nTERRAINS=CHANNEL\r\n"), std::string::npos) << text;
}

struct DamagedRow {
    std::string what;
    std::string bytes;
    Keys addons;
    std::vector<std::string> problems; // a word of each problem, in order
};

void PrintTo(const DamagedRow& row, std::ostream* out) {
    *out << row.what;
}

class DamagedSet : public testing::TestWithParam<DamagedRow> {};

// A hand-edited or damaged file gives what makes sense of it, and names every line
// it passed over.
TEST_P(DamagedSet, IsReadAsFarAsItMakesSense) {
    const DamagedRow& row = GetParam();
    const SetReading reading = ParseSet(row.bytes);
    EXPECT_EQ(reading.addons, row.addons) << row.what;
    ASSERT_EQ(reading.problems.size(), row.problems.size()) << row.what;
    for (std::size_t i = 0; i < row.problems.size(); ++i)
        EXPECT_NE(reading.problems[i].find(row.problems[i]), std::string::npos)
            << row.what << ": " << reading.problems[i];
}

std::string utf16(const std::string& ascii, bool littleEndian, bool mark) {
    std::string bytes = mark ? (littleEndian ? "\xFF\xFE" : "\xFE\xFF") : "";
    for (const char c : ascii)
        bytes += littleEndian ? std::string{c, '\0'} : std::string{'\0', c};
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedSet,
    testing::Values(
        DamagedRow{"hand-written",
                   "; mine\n\n[addons]\n graphics = CLOUDS \r\nexes=NEW\r",
                   {{kGraphics, "CLOUDS"}, {6, "NEW"}},
                   {}},
        DamagedRow{"unknown category", "BOMBERS=B17\nGRAPHICS=A", {{kGraphics, "A"}}, {"line 1"}},
        DamagedRow{"a name twice",
                   "GRAPHICS=A\nGRAPHICS=B\nGRAPHICS=A",
                   {{kGraphics, "A"}, {kGraphics, "B"}},
                   {"line 3: A is in the set twice"}},
        DamagedRow{"two flight models",
                   "FLIGHTMODELS=SPIT\nGRAPHICS=A\nFLIGHTMODELS=MUSTANG",
                   {{kFlightModels, "SPIT"}, {kGraphics, "A"}},
                   {"MUSTANG is left out, only one flight model"}},
        DamagedRow{"garbage",
                   std::string("\x89PNG\r\n\x1a\n\0\0\rIHDR", 16) + "\nGRAPHICS=\nSOUNDS=S",
                   {{kSounds, "S"}},
                   {"line 1 is not", "line 2 is not", "line 3 is not", "line 4 is not",
                    "line 5: no add-on name"}},
        DamagedRow{"UTF-8 mark", "\xEF\xBB\xBFGRAPHICS=\xC3\x96L", {{kGraphics, "\xC3\x96L"}}, {}},
        DamagedRow{"UTF-16 with mark",
                   utf16("GRAPHICS=A\r\nSOUNDS=B", true, true),
                   {{kGraphics, "A"}, {kSounds, "B"}},
                   {}},
        DamagedRow{"UTF-16 big-endian", utf16("GRAPHICS=A", false, true), {{kGraphics, "A"}}, {}},
        DamagedRow{"UTF-16 without mark", utf16("GRAPHICS=A", true, false), {{kGraphics, "A"}}, {}},
        DamagedRow{"not UTF-8: Windows-1252",
                   "GRAPHICS=\xD6L\nSOUNDS=\x80\x93",
                   {{kGraphics, "\xC3\x96L"}, {kSounds, "\xE2\x82\xAC\xE2\x80\x9C"}},
                   {}},
        DamagedRow{"an overlong form is no UTF-8",
                   "GRAPHICS=\xC0\xAF",
                   {{kGraphics, "\xC3\x80\xC2\xAF"}},
                   {}},
        DamagedRow{"names that climb out",
                   "GRAPHICS=../../Documents/letter\nSOUNDS=..\nSOUNDS=S",
                   {{kSounds, "S"}},
                   {"line 1", "line 2"}},
        DamagedRow{"empty", "", {}, {}}),
    [](const auto& info) { return RowName(info.param.what); });

// "Last run" leads the list, the others follow by name in any case; a name saved
// in other letters replaces the set Windows would see as the same file.
TEST(AddonSets, SetsAreListedRenamedAndDeleted) {
    Program p;
    for (const char* name : {"zulu", "Alpha", "Last run", "mike"})
        ASSERT_TRUE(SaveSet(p.sets(), name, {{kGraphics, name}}).done());
    EXPECT_EQ(ListSets(p.sets()), (std::vector<std::string>{"Last run", "Alpha", "mike", "zulu"}));
    EXPECT_EQ(SetReplacedBy(p.sets(), "ALPHA"), "Alpha");
    EXPECT_EQ(SetReplacedBy(p.sets(), "Bravo"), "");
    EXPECT_FALSE(SaveSet(p.sets(), "CON", {{kGraphics, "X"}}).done());

    EXPECT_TRUE(RenameSet(p.sets(), "mike", "Mike").done());
    EXPECT_TRUE(RenameSet(p.sets(), "zulu", "Alpha").done());
    EXPECT_FALSE(RenameSet(p.sets(), "Alpha", "a/b").done());
    EXPECT_EQ(ListSets(p.sets()), (std::vector<std::string>{"Last run", "Alpha", "Mike"}));
    EXPECT_EQ(ReadSet(p.sets(), "Alpha").addons, (Keys{{kGraphics, "zulu"}}));
    EXPECT_TRUE(DeleteSet(p.sets(), "MIKE").done());
    EXPECT_EQ(ListSets(p.sets()), (std::vector<std::string>{"Last run", "Alpha"}));
    EXPECT_EQ(filesIn(p.sets()), (std::vector<std::string>{"Alpha.INI", "Last run.INI"}));
}

// A close with nothing installed keeps the previous "Last run"; a write leaves no
// temporary behind.
TEST(AddonSets, LastRunIsKeptWhenNothingIsInstalled) {
    Program p;
    p.addon(kGraphics, "A.zip", "A.PIC=a");
    Installation installation;
    installation.install(kGraphics, "A");
    ASSERT_TRUE(SaveLastRun(p.sets(), installation.installed()).done());
    installation.clearAll();
    ASSERT_TRUE(SaveLastRun(p.sets(), installation.installed()).done());
    EXPECT_EQ(ReadSet(p.sets(), "Last run").addons, (Keys{{kGraphics, "A"}}));
    EXPECT_EQ(filesIn(p.sets()), std::vector<std::string>{"Last run.INI"});
}

// Putting a set back over installed add-ons leaves the game folder as Clear All
// and installing the same add-ons by hand, in that order, leave it: the set's
// flight model replaces the one installed, a graphics add-on overwrites another's
// file, and the ledger records the same replacements.
TEST(AddonSets, PuttingASetBackEqualsInstallingItByHand) {
    const Keys set{
        {kGraphics, "CLOUDS"}, {kFlightModels, "SPIT"}, {kGraphics, "HAZE"}, {kSounds, "MERLIN"}};
    const Keys before{{kFlightModels, "MUSTANG"}, {kGraphics, "HAZE"}};
    const auto scene = [&](bool byHand) {
        Program p;
        p.addon(kFlightModels, "SPIT.zip", "SPIT.FLT=spit; EAW.INI=not the game's");
        p.addon(kFlightModels, "MUSTANG.zip", "P51.FLT=p51; README.TXT=m");
        p.addon(kGraphics, "CLOUDS.zip", "CLOUD.PIC=clouds; SKY.TPC=clouds");
        p.addon(kGraphics, "HAZE.zip", "SKY.TPC=haze; HAZE.PIC=haze; NOTE.TXT=h");
        p.addon(kSounds, "MERLIN.zip", "MERLIN.WSD=m; GRB_031.SND=merlin");
        Installation installation;
        p.installByHand(installation, before);
        if (byHand) {
            installation.clearAll();
            p.installByHand(installation, set);
        } else {
            const PutBackOutcome outcome = PutBackSet(installation, set);
            EXPECT_EQ(outcome->putBack, set);
            EXPECT_TRUE(outcome->notPutBack.empty());
        }
        std::vector<std::string> replaced;
        for (const InstalledAddon& addon : installation.installed().inOrder())
            replaced.push_back(addon.key.name + ":" + addon.replaced);
        return std::make_pair(SnapshotOf(p.game()), replaced);
    };
    const auto byHand = scene(true);
    EXPECT_EQ(scene(false), byHand);
    ASSERT_GE(byHand.second.size(), 3u);
    EXPECT_EQ(byHand.second[2], "HAZE:CLOUDS (1)");
}

// Add-ons whose archive left the library are named with why; the others go in,
// each case twin from its own archive; Cancel stops between two add-ons and the
// ledger holds exactly what went in.
TEST(AddonSets, APutBackNamesWhatItCouldNotPutBackAndStopsWhenAsked) {
    if (kOnWindows)
        GTEST_SKIP() << kNeedsCaseTwins;
    Program p;
    p.addon(kGraphics, "dup.zip", "TWIN.PIC=lower");
    p.addon(kGraphics, "DUP.ZIP", "TWIN.PIC=upper; UPPER.PIC=u");
    p.addon(kGraphics, "BROKEN.zip", "B.PIC=b");
    fs::resize_file(p.program() / "GRAPHICS" / "BROKEN.zip", 10);
    p.addon(kSounds, "S.zip", "S.WSD=s");
    Installation installation;
    const Keys set{{kGraphics, "DUP"},
                   {kGraphics, "GONE"},
                   {kGraphics, "BROKEN"},
                   {kGraphics, "dup"},
                   {kTerrains, "../GRAPHICS/dup"},
                   {kSounds, "S"}};
    const PutBackOutcome all = PutBackSet(installation, set);
    EXPECT_EQ(all->putBack, (Keys{{kGraphics, "DUP"}, {kGraphics, "dup"}, {kSounds, "S"}}));
    ASSERT_EQ(all->notPutBack.size(), 3u);
    EXPECT_EQ(all->notPutBack[0].addon.name, "GONE");
    EXPECT_EQ(all->notPutBack[0].why, "its archive is no longer in the library");
    EXPECT_EQ(all->notPutBack[1].addon.name, "BROKEN");
    EXPECT_NE(all->notPutBack[1].why, "");
    EXPECT_EQ(all->notPutBack[2].addon.name, "../GRAPHICS/dup");
    EXPECT_EQ(ReadFile(p.game() / "TWIN.PIC"), "lower");
    EXPECT_EQ(ReadFile(p.game() / "UPPER.PIC"), "u");

    int asked = 0;
    const PutBackOutcome stopped =
        PutBackSet(installation, set, {}, [&asked] { return ++asked == 2; });
    EXPECT_TRUE(stopped->stopped);
    EXPECT_EQ(stopped->putBack, (Keys{{kGraphics, "DUP"}}));
    ASSERT_EQ(installation.installed().inOrder().size(), 1u);
    EXPECT_EQ(installation.installed().inOrder()[0].key, (AddonKey{kGraphics, "DUP"}));
    EXPECT_FALSE(fs::exists(p.game() / "S.WSD"));
}

// An empty set, one read from a file that made no sense, or one none of whose
// archives is in the library, never clears what is installed.
TEST(AddonSets, ASetThatCannotGoInTouchesNothing) {
    Program p;
    p.addon(kGraphics, "A.zip", "A.PIC=a");
    Installation installation;
    installation.install(kGraphics, "A");
    const FolderSnapshot before = SnapshotOf(p.game());
    EXPECT_NE(PutBackSet(installation, ParseSet("garbage").addons).why(), "");
    const PutBackOutcome gone = PutBackSet(installation, {{kGraphics, "GONE"}, {kSounds, "S"}});
    EXPECT_NE(gone.why(), "");
    EXPECT_EQ(gone->notPutBack.size(), 2u);
    EXPECT_EQ(SnapshotOf(p.game()), before);
    EXPECT_EQ(installation.installed().inOrder().size(), 1u);
}

struct LibraryRow {
    const char* what;
    std::string bytes;                 // the set file
    std::vector<std::string> archives; // "G/" in GRAPHICS, "M/" in MISSIONS
    std::vector<std::string> present, twice = {}, missing = {};
};

void PrintTo(const LibraryRow& row, std::ostream* out) {
    *out << row.what;
}

class SetInTheLibrary : public testing::TestWithParam<LibraryRow> {};

std::vector<std::string> namesOf(const Keys& keys) {
    std::vector<std::string> names;
    for (const AddonKey& key : keys)
        names.push_back(key.name);
    return names;
}

// A set written by hand is looked up in the library as the player meant it: a
// Notepad "ANSI" file finds its archive named in Windows-1252 letters, and one
// archive named twice in other letter case goes in once, the second name told.
TEST_P(SetInTheLibrary, FindsEachArchiveOnce) {
    const LibraryRow& row = GetParam();
    Program p;
    for (const std::string& archive : row.archives)
        p.addon(archive.starts_with("M/") ? 1 : kGraphics, archive.substr(2), "F.PIC=f");
    const SetArchives found = CheckSetArchives(ReadStoredPaths(), ParseSet(row.bytes).addons);
    Keys missing;
    for (const AddonNotPutBack& addon : found.missing)
        missing.push_back(addon.addon);
    EXPECT_EQ(namesOf(found.present), row.present) << row.what;
    EXPECT_EQ(namesOf(found.namedTwice), row.twice) << row.what;
    EXPECT_EQ(namesOf(missing), row.missing) << row.what;
}

// Notepad's "ANSI" is Windows-1252: \334 is its \u00DC, \200 its euro sign.
const LibraryRow kLibraryRows[] = {
    {"Notepad ANSI",
     "MISSIONS=\334ber Calais\r\n",
     {"M/\u00DCber Calais.zip"},
     {"\u00DCber Calais"}},
    {"UTF-8", "MISSIONS=\u00DCber Calais", {"M/\u00DCber Calais.zip"}, {"\u00DCber Calais"}},
    {"ANSI euro sign", "GRAPHICS=\200 PACK", {"G/\u20AC pack.ZIP"}, {"\u20AC PACK"}},
    {"twice in other case", "GRAPHICS=haze\nGRAPHICS=Haze", {"G/Haze.zip"}, {"haze"}, {"Haze"}},
    {"thrice, once exactly again",
     "GRAPHICS=HAZE\nGRAPHICS=haze\nGRAPHICS=HAZE",
     {"G/haze.zip"},
     {"HAZE"},
     {"haze"}},
    {"gone and twice",
     "GRAPHICS=GONE\nGRAPHICS=a\nGRAPHICS=A\nGRAPHICS=b",
     {"G/A.zip", "G/B.zip"},
     {"a", "b"},
     {"A"},
     {"GONE"}},
};

INSTANTIATE_TEST_SUITE_P(Sets, SetInTheLibrary, testing::ValuesIn(kLibraryRows),
                         [](const auto& info) { return RowName(info.param.what); });

} // namespace
