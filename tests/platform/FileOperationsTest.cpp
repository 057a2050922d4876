#include "platform/FileOperations.h"

#include "platform/FolderListing.h"
#include "support/TempFolder.h"
#include "support/WindowsSkips.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

TEST(FolderListing, ExactNameWinsOverOtherCase) {
    if (kOnWindows)
        GTEST_SKIP() << kNeedsCaseTwins;
    TempFolder folder;
    WriteFile(folder / "eaw.ini", "lower");
    WriteFile(folder / "EAW.INI", "upper");
    EXPECT_EQ(FolderListing(folder.path()).find("EAW.INI"), "EAW.INI");
    EXPECT_EQ(FolderListing(folder.path()).find("Eaw.Ini"), "EAW.INI");
    EXPECT_EQ(ResolvePath(folder / "Eaw.Ini"), folder / "EAW.INI");
    EXPECT_EQ(ResolveInFolder(folder.path(), "eaw.ini"), folder / "eaw.ini");
}

// A name that is there as written costs one question to the file system, not a
// walk of a game folder of thousands of files (on Windows, in any letter case);
// one in other letter case elsewhere, a pattern or an 8.3 name is found by the
// walk, literally.
TEST(FolderListing, ANameThereAsWrittenIsFoundWithoutAWalk) {
    TempFolder folder;
    WriteFile(folder / "EAW.INI", "ini");
    WriteFile(folder / "LongName.pic", "long");
    struct Row {
        const char* name;
        const char* found;
        int walks;
    };
    for (const Row& row :
         {Row{"EAW.INI", "EAW.INI", 0}, Row{"eaw.ini", "EAW.INI", kOnWindows ? 0 : 1},
          Row{"LONGNA~1.PIC", "LONGNA~1.PIC", 1}, Row{"EAW.*", "EAW.*", 1},
          Row{"NEW.PIC", "NEW.PIC", 1}}) {
        int walks = 0;
        SetFolderReadHook([&walks](const fs::path&) { ++walks; });
        const fs::path resolved = ResolveInFolder(folder.path(), row.name);
        SetFolderReadHook({});
        EXPECT_EQ(resolved, folder / row.found) << row.name;
        EXPECT_EQ(walks, row.walks) << row.name;
    }
}

TEST(FolderListing, EmptyOrMissingFolderIsNeverTheCurrentFolder) {
    EXPECT_TRUE(FolderListing(fs::path()).regularFiles().empty());
    EXPECT_EQ(ResolveInFolder(fs::path(), "EAW.INI"), fs::path());
    EXPECT_EQ(ResolvePath("EAW.INI"), fs::path("EAW.INI"));
    TempFolder folder;
    EXPECT_TRUE(FolderListing(folder / "missing").regularFiles().empty());
}

// A failed copy leaves the destination as it was; a copy onto itself keeps the file.
TEST(CopyFileReplacing, ReplacesTheDestinationWholeOrNotAtAll) {
    TempFolder folder;
    WriteFile(folder / "src" / "a", "new");
    WriteFile(folder / "dst" / "a", "old");
    EXPECT_FALSE(CopyFileReplacing(folder / "missing", folder / "dst" / "a"));
    EXPECT_FALSE(CopyFileReplacing(folder / "dst" / "a", folder / "nofolder" / "a"));
    EXPECT_TRUE(CopyFileReplacing(folder / "dst" / "a", folder / "dst" / "a"));
    EXPECT_EQ(ReadFile(folder / "dst" / "a"), "old");
    EXPECT_TRUE(CopyFileReplacing(folder / "src" / "a", folder / "dst" / "a"));
    EXPECT_EQ(ReadFile(folder / "dst" / "a"), "new");
    EXPECT_EQ(FolderListing(folder / "dst").regularFiles(), std::vector<std::string>{"a"});
}

TEST(ReplaceFileAtomically, TakesOverWhatAKilledWriteLeftWithoutReadingTheFolder) {
    TempFolder folder;
    WriteFile(folder / "EAW.INI", "old");
    WriteFile(folder / "EAW.INI.quorvel-tmp", "half of a killed write");
    int reads = 0;
    SetFolderReadHook([&reads](const fs::path&) { ++reads; });
    const bool replaced = ReplaceFileAtomically(folder / "EAW.INI", "new");
    SetFolderReadHook({});
    EXPECT_TRUE(replaced);
    EXPECT_EQ(reads, 0);
    EXPECT_EQ(ReadFile(folder / "EAW.INI"), "new");
    EXPECT_FALSE(fs::exists(folder / "EAW.INI.quorvel-tmp"));
}

// A move never replaces what has the name already, a link included: the kept
// file it would put back stays where it is, and so does what is in the way.
TEST(MoveEntryToFreeName, MovesOnlyToANameNothingHas) {
    struct Row {
        const char* inTheWay; // "" none, "file", "link"
        bool moved;
    };
    for (const Row& row : {Row{"", true}, Row{"file", false}, Row{"link", false}}) {
        if (kOnWindows && std::string(row.inTheWay) == "link")
            continue; // links need rights a player lacks
        TempFolder folder;
        WriteFile(folder / "KEPT" / "EAW.CFG", "game cfg");
        fs::create_directories(folder / "EAW");
        if (std::string(row.inTheWay) == "file")
            WriteFile(folder / "EAW" / "EAW.CFG", "in the way");
        else if (std::string(row.inTheWay) == "link")
            fs::create_symlink(folder / "elsewhere", folder / "EAW" / "EAW.CFG");
        EXPECT_EQ(MoveEntryToFreeName(folder / "KEPT" / "EAW.CFG", folder / "EAW" / "EAW.CFG"),
                  row.moved)
            << row.inTheWay;
        EXPECT_EQ(fs::exists(folder / "KEPT" / "EAW.CFG"), !row.moved) << row.inTheWay;
        if (row.moved)
            EXPECT_EQ(ReadFile(folder / "EAW" / "EAW.CFG"), "game cfg");
        else if (std::string(row.inTheWay) == "file")
            EXPECT_EQ(ReadFile(folder / "EAW" / "EAW.CFG"), "in the way");
        else
            EXPECT_TRUE(fs::is_symlink(folder / "EAW" / "EAW.CFG"));
    }
    EXPECT_FALSE(MoveEntryToFreeName(fs::path(), fs::path()));
}

} // namespace
