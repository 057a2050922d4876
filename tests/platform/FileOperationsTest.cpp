#include "platform/FileOperations.h"

#include "platform/FolderListing.h"
#include "support/TempFolder.h"
#include "support/WindowsSkips.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using quorvel::test::ReadFile;
using quorvel::test::TempFolder;
using quorvel::test::WriteFile;
using quorvel::test::kNeedsCaseTwins;
using quorvel::test::kNeedsLinks;
using quorvel::test::kOnWindows;

namespace {

TEST(FolderListing, FindsNamesWithoutRegardToCaseAndListsOnlyRegularFiles) {
    if (kOnWindows)
        GTEST_SKIP() << kNeedsLinks;
    TempFolder folder;
    WriteFile(folder / "eaw.exe", "x");
    WriteFile(folder / "Beta.ZIP", "x");
    WriteFile(folder / "alpha.zip", "x");
    fs::create_directory(folder / "SUB.ZIP");
    fs::create_symlink(folder / "alpha.zip", folder / "link.zip");

    const FolderListing listing(folder.path());
    EXPECT_EQ(listing.regularFiles(),
              (std::vector<std::string>{"alpha.zip", "Beta.ZIP", "eaw.exe"}));
    EXPECT_EQ(listing.links(), std::vector<std::string>{"link.zip"});
    EXPECT_EQ(listing.find("EAW.EXE"), "eaw.exe");
    EXPECT_EQ(listing.find("sub.zip"), "SUB.ZIP");
    EXPECT_EQ(listing.find("none"), std::nullopt);
    EXPECT_EQ(listing.resolve("EAW.EXE"), folder / "eaw.exe");
    EXPECT_EQ(listing.resolve("NEW.TXT"), folder / "NEW.TXT");
}

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

TEST(FolderListing, EmptyOrMissingFolderIsNeverTheCurrentFolder) {
    EXPECT_TRUE(FolderListing(fs::path()).regularFiles().empty());
    EXPECT_EQ(ResolveInFolder(fs::path(), "EAW.INI"), fs::path());
    EXPECT_EQ(ResolvePath("EAW.INI"), fs::path("EAW.INI"));
    TempFolder folder;
    EXPECT_TRUE(FolderListing(folder / "missing").regularFiles().empty());
}

TEST(CopyFileReplacing, ReplacesTheDestinationAndLeavesNoTemporaryFile) {
    TempFolder folder;
    WriteFile(folder / "src" / "a", "new");
    WriteFile(folder / "dst" / "a", "old");
    EXPECT_TRUE(CopyFileReplacing(folder / "src" / "a", folder / "dst" / "a"));
    EXPECT_EQ(ReadFile(folder / "dst" / "a"), "new");
    EXPECT_EQ(FolderListing(folder / "dst").regularFiles(), std::vector<std::string>{"a"});
}

TEST(CopyFileReplacing, FailuresLeaveTheDestinationAsItWas) {
    TempFolder folder;
    WriteFile(folder / "dst" / "a", "old");
    EXPECT_FALSE(CopyFileReplacing(folder / "missing", folder / "dst" / "a"));
    EXPECT_FALSE(CopyFileReplacing(folder / "dst" / "a", folder / "nofolder" / "a"));
    EXPECT_EQ(ReadFile(folder / "dst" / "a"), "old");
}

TEST(CopyFileReplacing, CopyingAFileOntoItselfKeepsIt) {
    TempFolder folder;
    WriteFile(folder / "a.zip", "archive");
    EXPECT_TRUE(CopyFileReplacing(folder / "a.zip", folder / "a.zip"));
    EXPECT_EQ(ReadFile(folder / "a.zip"), "archive");
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

TEST(DeleteFileEntry, DeletesFilesAndLinksButNeverFoldersOrLinkTargets) {
    if (kOnWindows)
        GTEST_SKIP() << kNeedsLinks;
    TempFolder folder;
    WriteFile(folder / "outside" / "kept.dat", "keep");
    WriteFile(folder / "game" / "x.dat", "x");
    fs::create_directory(folder / "game" / "DIR.DAT");
    fs::create_symlink(folder / "outside" / "kept.dat", folder / "game" / "link.dat");

    EXPECT_TRUE(DeleteFileEntry(folder / "game" / "x.dat"));
    EXPECT_TRUE(DeleteFileEntry(folder / "game" / "link.dat"));
    EXPECT_FALSE(DeleteFileEntry(folder / "game" / "DIR.DAT"));
    EXPECT_TRUE(DeleteFileEntry(folder / "game" / "never-there"));
    EXPECT_FALSE(DeleteFileEntry(fs::path()));

    EXPECT_FALSE(fs::exists(folder / "game" / "x.dat"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(folder / "game" / "link.dat")));
    EXPECT_TRUE(fs::is_directory(folder / "game" / "DIR.DAT"));
    EXPECT_EQ(ReadFile(folder / "outside" / "kept.dat"), "keep");
}

} // namespace
