#include "library/Unzip.h"

#include "FolderSnapshot.h"
#include "support/TempFolder.h"
#include "support/WindowsSkips.h"
#include "support/ZipBuilder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;
using Status = Extraction::Status;

namespace {

// The archive lies in LIB/, the destination is GAME/, and OUTSIDE.TXT beside them
// must survive every extraction unchanged. Members (in name order) and folders are
// written as Tree() reads them.
struct GoldenCase {
    std::string title;
    std::string members;
    std::string before; // under the destination
    std::string after;
    std::string written; // the names written, joined by "; "
    std::size_t skipped = 0;
    Status status = Status::Extracted;
};

void PrintTo(const GoldenCase& c, std::ostream* out) {
    *out << c.title;
}

class UnzipGolden : public testing::TestWithParam<GoldenCase> {};

TEST_P(UnzipGolden, GivesTheExpectedFolder) {
    const GoldenCase& c = GetParam();
    if (const char* reason = WhyNotOnWindows(Tree(c.before)); kOnWindows && reason)
        GTEST_SKIP() << reason;
    TempFolder root;
    WriteFile(root / "OUTSIDE.TXT", "keep");
    fs::create_directory(root / "GAME");
    LayOut(root / "GAME", Tree(c.before));
    MakeArchive(root / "LIB" / "ADDON.ZIP", Tree(c.members));

    const UnzipResult result = Unzip(root / "LIB" / "ADDON.ZIP", root / "GAME");

    EXPECT_EQ(result->status, c.status) << result.why();
    EXPECT_EQ(SnapshotOf(root / "GAME"), Tree(c.after));
    EXPECT_EQ(ReadFile(root / "OUTSIDE.TXT"), "keep");
    EXPECT_EQ(SnapshotOf(root.path()).size(),
              Tree(c.after).size() + 4) // GAME, LIB, LIB/ADDON.ZIP, OUTSIDE
        << "something was written outside the destination";
    std::string written;
    for (const std::string& name : result->writtenNames)
        written += (written.empty() ? "" : "; ") + name;
    EXPECT_EQ(written, c.written);
    EXPECT_EQ(result->skipped.size(), c.skipped);
}

// Folders dropped, spaces kept, the later of two members of one name winning and
// links never made are proven against Info-ZIP's unzip (UnzipDifferential).
const GoldenCase kGoldenCases[] = {
    {"ReplacesAFileOfAnyCaseWithoutASecondOne", "EAW.EXE=new", "eaw.exe=old; EAW.INI=ini",
     "eaw.exe=new; EAW.INI=ini", "eaw.exe"},
    {"NamesThatClimbOutStayInside",
     "../UP.TXT=u; /tmp/ABS.TXT=a; C:\\WINDOWS\\DRIVE.TXT=d; "
     "C:COLON.TXT=c",
     "", "UP.TXT=u; ABS.TXT=a; DRIVE.TXT=d; COLON.TXT=c", "UP.TXT; ABS.TXT; COLON.TXT; DRIVE.TXT"},
    {"NamesWithoutAFileNameSkipped", "dir/..=x; ..=y; dir/.=z; OK.TXT=ok", "", "OK.TXT=ok",
     "OK.TXT", 3},
    // Windows would write "EXTRA.SPT." as EXTRA.SPT, a name the install would not
    // have recorded, and refuses "*" in names: such members are skipped there.
    {"NamesWindowsCannotHoldSkippedThere",
     "EXTRA.SPT.=dot; MAP.TPC =blank; A*B.TXT=star; OK.TXT=ok", "",
     kOnWindows ? "OK.TXT=ok" : "A*B.TXT=star; EXTRA.SPT.=dot; MAP.TPC =blank; OK.TXT=ok",
     kOnWindows ? "OK.TXT" : "A*B.TXT; EXTRA.SPT.; MAP.TPC ; OK.TXT", kOnWindows ? 3u : 0u},
    // Windows opens a device for these names whatever their extension: COM1.TXT
    // would send the member to the serial port (NamesWindowsDevice has every name).
    {"DeviceNamesSkippedOnWindows",
     "COM1.TXT=serial; nul.dat=n; Aux=a; CON .txt=c; lpt9.log=l; COM10.TXT=ten", "",
     kOnWindows ? "COM10.TXT=ten"
                : "Aux=a; COM1.TXT=serial; COM10.TXT=ten; CON .txt=c; lpt9.log=l; nul.dat=n",
     kOnWindows ? "COM10.TXT" : "Aux; COM1.TXT; COM10.TXT; CON .txt; lpt9.log; nul.dat",
     kOnWindows ? 5u : 0u},
    {"ExistingLinkReplacedNotWrittenThrough", "TARGET.TXT=new", "TARGET.TXT=-> ../OUTSIDE.TXT",
     "TARGET.TXT=new", "TARGET.TXT"},
    {"FolderInTheWayIsLeftAlone", "MAPS=file; OTHER.TXT=o", "MAPS/KEEP.TER=k",
     "MAPS=<dir>; MAPS/KEEP.TER=k; OTHER.TXT=o", "OTHER.TXT", 1, Status::SomeNotWritten},
    {"NamesDifferingInCaseOnDiskStayApart", "A.TXT=new upper; x/a.txt=new lower",
     "a.txt=lower; A.TXT=upper", "a.txt=new lower; A.TXT=new upper", "A.TXT; a.txt"},
};

INSTANTIATE_TEST_SUITE_P(Archives, UnzipGolden, testing::ValuesIn(kGoldenCases),
                         [](const auto& info) { return info.param.title; });

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
        EXPECT_EQ(result->status, c.status) << c.description;
        EXPECT_EQ(result.why(), c.description);
        EXPECT_EQ(result->writtenNames.size() + c.folders.size(), 5u) << c.description;
    }

    MakeEmptyZip(root / "EMPTY.ZIP");
    const UnzipResult empty = Unzip(root / "EMPTY.ZIP", root / "GAME");
    EXPECT_EQ(empty->status, Status::NothingWritten);
    EXPECT_EQ(empty.why(), (root / "EMPTY.ZIP").string() +
                               ": no file could be written: the archive holds no file");
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
        EXPECT_EQ(result->status, c.status) << c.archive;
        EXPECT_FALSE(result.done()) << c.archive;
        EXPECT_TRUE(result->writtenNames.empty()) << c.archive;
        EXPECT_EQ(SnapshotOf(root.path()), before) << c.archive;
    }
    EXPECT_FALSE(fs::exists("NEW.TXT")) << "an empty destination is never the current folder";
}

} // namespace
