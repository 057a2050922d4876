#include "library/Unzip.h"

#include "FolderSnapshot.h"
#include "platform/ZipArchive.h"
#include "support/TempFolder.h"
#include "support/WindowsSkips.h"
#include "support/ZipBuilder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;
using Kind = ZipEntry::Kind;
using Status = UnzipResult::Status;

namespace {

// The archive lies in LIB/, the destination is GAME/, and OUTSIDE.TXT beside them
// must survive every extraction unchanged.
struct GoldenCase {
    std::string title;
    std::vector<ZipEntry> members;
    FolderSnapshot before; // under the destination
    FolderSnapshot after;  // under the destination
    std::vector<std::string> written;
    std::size_t skipped = 0;
    Status status = Status::Extracted;
};

void PrintTo(const GoldenCase& c, std::ostream* out) {
    *out << c.title;
}

class UnzipGolden : public testing::TestWithParam<GoldenCase> {};

TEST_P(UnzipGolden, GivesTheExpectedFolder) {
    const GoldenCase& c = GetParam();
    if (const char* reason = WhyNotOnWindows(c.before); kOnWindows && reason)
        GTEST_SKIP() << reason;
    TempFolder root;
    WriteFile(root / "OUTSIDE.TXT", "keep");
    fs::create_directory(root / "GAME");
    LayOut(root / "GAME", c.before);
    MakeZip(root / "LIB" / "ADDON.ZIP", c.members);

    const UnzipResult result = Unzip(root / "LIB" / "ADDON.ZIP", root / "GAME");

    EXPECT_EQ(result.status, c.status) << result.description;
    EXPECT_EQ(SnapshotOf(root / "GAME"), c.after);
    EXPECT_EQ(ReadFile(root / "OUTSIDE.TXT"), "keep");
    EXPECT_EQ(SnapshotOf(root.path()).size(),
              c.after.size() + 4) // GAME, LIB, LIB/ADDON.ZIP, OUTSIDE
        << "something was written outside the destination";
    EXPECT_EQ(result.writtenNames, c.written);
    EXPECT_EQ(result.skipped.size(), c.skipped);
}

const GoldenCase kGoldenCases[] = {
    {"FoldersDropped",
     {{"A/", "", Kind::Folder}, {"A/B/ONE.TXT", "1"}, {"TWO.TXT", "2"}},
     {},
     {{"ONE.TXT", "1"}, {"TWO.TXT", "2"}},
     {"ONE.TXT", "TWO.TXT"}},
    {"BackslashFolders", {{"DATA\\SUB\\PLANE.FLT", "p"}}, {}, {{"PLANE.FLT", "p"}}, {"PLANE.FLT"}},
    {"SpacesKept",
     {{"My Skins/Spit fire.TGA", "s"}},
     {},
     {{"Spit fire.TGA", "s"}},
     {"Spit fire.TGA"}},
    {"LaterMemberOfOneNameWins",
     {{"a/X.DAT", "first"}, {"b/x.dat", "second"}},
     {},
     {{"X.DAT", "second"}},
     {"X.DAT"}},
    {"ReplacesAFileOfAnyCaseWithoutASecondOne",
     {{"EAW.EXE", "new"}},
     {{"eaw.exe", "old"}, {"EAW.INI", "ini"}},
     {{"eaw.exe", "new"}, {"EAW.INI", "ini"}},
     {"eaw.exe"}},
    {"LinkMemberNotCreated",
     {{"LINK.TXT", "../OUTSIDE.TXT", Kind::Link}, {"REAL.TXT", "r"}},
     {},
     {{"REAL.TXT", "r"}},
     {"REAL.TXT"},
     1},
    {"NamesThatClimbOutStayInside",
     {{"../UP.TXT", "u"},
      {"/tmp/ABS.TXT", "a"},
      {"C:\\WINDOWS\\DRIVE.TXT", "d"},
      {"C:COLON.TXT", "c"}},
     {},
     {{"UP.TXT", "u"}, {"ABS.TXT", "a"}, {"DRIVE.TXT", "d"}, {"COLON.TXT", "c"}},
     {"UP.TXT", "ABS.TXT", "DRIVE.TXT", "COLON.TXT"}},
    {"NamesWithoutAFileNameSkipped",
     {{"dir/..", "x"}, {"..", "y"}, {"dir/.", "z"}, {"OK.TXT", "ok"}},
     {},
     {{"OK.TXT", "ok"}},
     {"OK.TXT"},
     3},
    {"ExistingLinkReplacedNotWrittenThrough",
     {{"TARGET.TXT", "new"}},
     {{"TARGET.TXT", "-> ../OUTSIDE.TXT"}},
     {{"TARGET.TXT", "new"}},
     {"TARGET.TXT"}},
    {"FolderInTheWayIsLeftAlone",
     {{"MAPS", "file"}, {"OTHER.TXT", "o"}},
     {{"MAPS", "<dir>"}, {"MAPS/KEEP.TER", "k"}},
     {{"MAPS", "<dir>"}, {"MAPS/KEEP.TER", "k"}, {"OTHER.TXT", "o"}},
     {"OTHER.TXT"},
     1,
     Status::SomeNotWritten},
    {"NamesDifferingInCaseOnDiskStayApart",
     {{"A.TXT", "new upper"}, {"x/a.txt", "new lower"}},
     {{"a.txt", "lower"}, {"A.TXT", "upper"}},
     {{"a.txt", "new lower"}, {"A.TXT", "new upper"}},
     {"A.TXT", "a.txt"}},
    {"EmptyArchive", {}, {{"OLD.TXT", "old"}}, {{"OLD.TXT", "old"}}, {}, 0, Status::NothingWritten},
};

INSTANTIATE_TEST_SUITE_P(Archives, UnzipGolden, testing::ValuesIn(kGoldenCases),
                         [](const auto& info) { return info.param.title; });

TEST(Unzip, EncryptedMemberIsSkippedWithoutAQuestion) {
    if (kOnWindows)
        GTEST_SKIP() << kNeedsZipCommand;
    TempFolder root;
    const fs::path archive = root / "ADDON.ZIP";
    MakeZip(archive, {{"PLAIN.TXT", "plain"}});
    ASSERT_TRUE(AddEncryptedMember(archive, "SECRET.TXT", "hidden"));
    fs::create_directory(root / "GAME");
    WriteFile(root / "GAME" / "SECRET.TXT", "earlier");

    const UnzipResult result = Unzip(archive, root / "GAME");

    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.writtenNames, std::vector<std::string>{"PLAIN.TXT"});
    EXPECT_EQ(result.skipped.size(), 1u);
    EXPECT_EQ(SnapshotOf(root / "GAME"),
              (FolderSnapshot{{"PLAIN.TXT", "plain"}, {"SECRET.TXT", "earlier"}}));
}

// What the "Unzip: " box says when the destination refuses members or nothing
// at all can be written. A folder in the way stands for every refusal of the
// destination (no space, no permission, a locked file).
TEST(Unzip, DescribesWhatCouldNotBeWritten) {
    TempFolder root;
    const fs::path archive = root / "ADDON.ZIP";
    MakeZip(archive,
            {{"A.DAT", "a"}, {"B.DAT", "b"}, {"C.DAT", "c"}, {"D.DAT", "d"}, {"E.DAT", "e"}});
    const std::string nothing = archive.string() + ": no file could be written: ";
    const struct {
        std::vector<std::string> folders; // in the way, in GAME/
        Status status;
        std::string description;
    } cases[] = {
        {{"A.DAT", "B.DAT", "C.DAT", "D.DAT", "E.DAT"},
         Status::NothingWritten,
         nothing + "5 members skipped, the first, A.DAT, because a folder is in the way"},
        {{"B.DAT", "C.DAT", "D.DAT", "E.DAT"},
         Status::SomeNotWritten,
         archive.string() + ": 4 members could not be written: B.DAT (a folder is in the way), "
                            "C.DAT (a folder is in the way), D.DAT (a folder is in the way) "
                            "and 1 more"},
        {{"E.DAT"},
         Status::SomeNotWritten,
         archive.string() + ": 1 member could not be written: E.DAT (a folder is in the way)"},
    };
    for (const auto& c : cases) {
        fs::remove_all(root / "GAME");
        for (const std::string& folder : c.folders)
            fs::create_directories(root / "GAME" / folder);
        const UnzipResult result = Unzip(archive, root / "GAME");
        EXPECT_EQ(result.status, c.status) << c.description;
        EXPECT_EQ(result.description, c.description);
        EXPECT_EQ(result.writtenNames.size() + c.folders.size(), 5u) << c.description;
    }

    MakeEmptyZip(root / "EMPTY.ZIP");
    const UnzipResult empty = Unzip(root / "EMPTY.ZIP", root / "GAME");
    EXPECT_EQ(empty.status, Status::NothingWritten);
    EXPECT_EQ(empty.description, (root / "EMPTY.ZIP").string() +
                                     ": no file could be written: the archive holds no file");
}

TEST(Unzip, AnArchiveOfOnlyEncryptedMembersWritesNothingAndSaysSo) {
    TempFolder root;
    const fs::path archive = root / "ADDON.ZIP";
    if (!AddEncryptedMember(archive, "SECRET.TXT", "hidden"))
        GTEST_SKIP() << "the zip command cannot encrypt here";
    fs::create_directory(root / "GAME");

    const UnzipResult result = Unzip(archive, root / "GAME");

    EXPECT_EQ(result.status, Status::NothingWritten);
    EXPECT_EQ(result.description, archive.string() + ": no file could be written: 1 member "
                                                     "skipped, the first, SECRET.TXT, because it "
                                                     "is encrypted");
    EXPECT_TRUE(fs::is_empty(root / "GAME"));
}

// Flips a bit of the CRC that the central directory gives for member `index`,
// leaving the member's data intact.
bool DamageDirectoryCrc(const fs::path& archive, std::size_t index) {
    const std::uint32_t crc = ZipArchive(archive).member(index)->crc;
    const std::string crcBytes{char(crc), char(crc >> 8), char(crc >> 16), char(crc >> 24)};
    std::string bytes = ReadFile(archive);
    const std::size_t at = bytes.rfind(crcBytes); // the directory follows the data
    if (at == std::string::npos)
        return false;
    bytes[at] = static_cast<char>(bytes[at] ^ 0x01);
    WriteFile(archive, bytes);
    return true;
}

// Each member is checked whole, whether it is inflated in memory or streamed.
struct DamageCase {
    std::string title;
    std::size_t wholeMemberBound;
    bool crcOnly; // a deflated member whose stated CRC is wrong, else damaged stored data
};

void PrintTo(const DamageCase& c, std::ostream* out) {
    *out << c.title;
}

class UnzipDamage : public testing::TestWithParam<DamageCase> {};

TEST_P(UnzipDamage, KeepsTheEarlierFileAndLeavesNoTemporaryFile) {
    const DamageCase& c = GetParam();
    TempFolder root;
    const fs::path archive = root / "ADDON.ZIP";
    MakeZip(archive, {{"GOOD.TXT", "good"},
                      {"BAD.DAT", "DAMAGED-MEMBER-CONTENT", Kind::File, !c.crcOnly},
                      {"AFTER.TXT", "after"}});
    ASSERT_TRUE(c.crcOnly ? DamageDirectoryCrc(archive, 1)
                          : DamageArchiveBytes(archive, "DAMAGED-MEMBER-CONTENT"));
    fs::create_directory(root / "GAME");
    WriteFile(root / "GAME" / "bad.dat", "earlier");

    const UnzipResult result =
        Unzip(archive, root / "GAME", {}, {.wholeMemberBound = c.wholeMemberBound});

    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.skipped.size(), 1u);
    EXPECT_EQ(result.writtenNames, (std::vector<std::string>{"GOOD.TXT", "AFTER.TXT"}));
    EXPECT_EQ(
        SnapshotOf(root / "GAME"),
        (FolderSnapshot{{"AFTER.TXT", "after"}, {"GOOD.TXT", "good"}, {"bad.dat", "earlier"}}));
}

INSTANTIATE_TEST_SUITE_P(Checks, UnzipDamage,
                         testing::Values(DamageCase{"StoredDataInMemory", 1 << 20, false},
                                         DamageCase{"StoredDataStreamed", 0, false},
                                         DamageCase{"DeflatedCrcInMemory", 1 << 20, true},
                                         DamageCase{"DeflatedCrcStreamed", 0, true}),
                         [](const auto& info) { return info.param.title; });

TEST(Unzip, ExtractsZip64Archives) {
    if (kOnWindows)
        GTEST_SKIP() << kNeedsZipCommand;
    TempFolder root;
    WriteFile(root / "src" / "TERRAIN" / "MAP.TER", "terrain");
    WriteFile(root / "src" / "README.TXT", "read me");
    ASSERT_TRUE(MakeZip64(root / "ADDON.ZIP", root / "src"));
    fs::create_directory(root / "GAME");

    const UnzipResult result = Unzip(root / "ADDON.ZIP", root / "GAME");

    EXPECT_TRUE(result.ok());
    EXPECT_EQ(SnapshotOf(root / "GAME"),
              (FolderSnapshot{{"MAP.TER", "terrain"}, {"README.TXT", "read me"}}));
}

TEST(Unzip, WritesNothingWhenArchiveOrDestinationIsUnusable) {
    TempFolder root;
    fs::create_directory(root / "GAME");
    WriteFile(root / "GAME" / "OLD.TXT", "old");
    WriteFile(root / "TEXT.ZIP", "plain text that only pretends to be an archive");
    MakeZip(root / "GOOD.ZIP", {{"NEW.TXT", "new"}});
    const struct {
        std::string archive;
        fs::path destination;
        Status status;
    } cases[] = {
        {"MISSING.ZIP", root / "GAME", Status::ArchiveMissing},
        {"TEXT.ZIP", root / "GAME", Status::NotAZipArchive},
        {"GOOD.ZIP", fs::path(), Status::DestinationMissing},
        {"GOOD.ZIP", root / "NO-SUCH-FOLDER", Status::DestinationMissing},
    };
    const FolderSnapshot before = SnapshotOf(root.path());
    for (const auto& c : cases) {
        const UnzipResult result = Unzip(root / c.archive, c.destination);
        EXPECT_EQ(result.status, c.status) << c.archive;
        EXPECT_FALSE(result.description.empty()) << c.archive;
        EXPECT_TRUE(result.writtenNames.empty()) << c.archive;
        EXPECT_EQ(SnapshotOf(root.path()), before) << c.archive;
    }
    EXPECT_FALSE(fs::exists("NEW.TXT")) << "an empty destination is never the current folder";
}

TEST(Unzip, ReportsProgressAfterEveryMember) {
    TempFolder root;
    MakeZip(root / "ADDON.ZIP", {{"A/", "", Kind::Folder}, {"A/ONE", "1"}, {"TWO", "2"}});
    fs::create_directory(root / "GAME");
    std::vector<std::pair<std::size_t, std::size_t>> calls;
    Unzip(root / "ADDON.ZIP", root / "GAME",
          [&calls](std::size_t done, std::size_t total) { calls.emplace_back(done, total); });
    EXPECT_EQ(calls, (std::vector<std::pair<std::size_t, std::size_t>>{{1, 3}, {2, 3}, {3, 3}}));
}

} // namespace
