#include "maintenance/AddonDeletion.h"

#include "platform/FolderListing.h"
#include "support/TempFolder.h"
#include "support/WindowsSkips.h"

#include <algorithm>
#include <gtest/gtest.h>
#ifdef __linux__
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;
using namespace quorvel;
using quorvel::test::TempFolder;
using quorvel::test::WriteFile;
using quorvel::test::kNeedsLinks;
using quorvel::test::kNeedsWildcardNames;
using quorvel::test::kOnWindows;
using Names = std::vector<std::string>;

namespace {

struct DeletionCase {
    const char* label;
    Names folderBefore;
    std::string addonName;
    Names deleted;
    Names left;
};

void PrintTo(const DeletionCase& c, std::ostream* out) {
    *out << c.label;
}

// The add-on beside look-alike names and in any letter case is shown through the
// Delete Addon window; here the names whose characters could be misread.
class DeletesOnlyTheAddonsFiles : public testing::TestWithParam<DeletionCase> {};

TEST_P(DeletesOnlyTheAddonsFiles, FolderAfterwards) {
    const DeletionCase& c = GetParam();
    const bool wildcards =
        std::any_of(c.folderBefore.begin(), c.folderBefore.end(), [](const std::string& name) {
            return name.find_first_of("*?") != std::string::npos;
        });
    if (kOnWindows && wildcards)
        GTEST_SKIP() << kNeedsWildcardNames;
    TempFolder folder;
    for (const std::string& name : c.folderBefore)
        WriteFile(folder / name, name);

    const AddonDeletionResult result = DeleteAddonFiles(folder.path(), c.addonName);

    EXPECT_EQ(result.deleted, c.deleted);
    EXPECT_TRUE(result.notDeleted.empty());
    EXPECT_TRUE(result.archiveGone);
    EXPECT_EQ(FolderListing(folder.path()).regularFiles(), c.left);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeletesOnlyTheAddonsFiles,
    testing::Values(DeletionCase{"DottedAddonNameKeepsTheShorterOne",
                                 {"alpha.zip", "alpha.beta.zip", "alpha.beta.txt"},
                                 "ALPHA.BETA",
                                 {"alpha.beta.txt", "alpha.beta.zip"},
                                 {"alpha.zip"}},
                    DeletionCase{"StarIsAPlainCharacter",
                                 {"a*.zip", "a*.txt", "ab.zip", "a.zip"},
                                 "A*",
                                 {"a*.txt", "a*.zip"},
                                 {"a.zip", "ab.zip"}},
                    DeletionCase{"QuestionMarkAndBracketArePlainCharacters",
                                 {"a?[b].zip", "ax[b].zip", "a?b.zip"},
                                 "A?[B]",
                                 {"a?[b].zip"},
                                 {"a?b.zip", "ax[b].zip"}}),
    [](const testing::TestParamInfo<DeletionCase>& info) { return info.param.label; });

TEST(AddonDeletion, LeavesFoldersAndLinksAlone) {
    if (kOnWindows)
        GTEST_SKIP() << kNeedsLinks;
    TempFolder root;
    const fs::path library = root / "SKINS";
    WriteFile(library / "alpha.zip", "zip");
    WriteFile(library / "alpha.old" / "alpha.zip", "inside a folder");
    WriteFile(root / "outside.txt", "outside");
    fs::create_symlink(root / "outside.txt", library / "alpha.lnk");

    const AddonDeletionResult result = DeleteAddonFiles(library, "ALPHA");

    EXPECT_EQ(result.deleted, Names{"alpha.zip"});
    EXPECT_TRUE(fs::exists(library / "alpha.old" / "alpha.zip"));
    EXPECT_TRUE(fs::is_symlink(library / "alpha.lnk"));
    EXPECT_TRUE(fs::exists(root / "outside.txt"));
}

TEST(AddonDeletion, NothingToDeleteWithoutFolderOrName) {
    TempFolder folder;
    WriteFile(folder / "alpha.zip", "zip");
    WriteFile(folder / ".zip", "no name");
    for (const auto& [categoryFolder, name] : std::vector<std::pair<fs::path, std::string>>{
             {fs::path(), "ALPHA"}, {folder.path(), ""}, {folder / "missing", "ALPHA"}}) {
        const AddonDeletionResult result = DeleteAddonFiles(categoryFolder, name);
        EXPECT_TRUE(result.deleted.empty()) << categoryFolder << " " << name;
        EXPECT_FALSE(result.archiveGone && categoryFolder.empty());
    }
    EXPECT_TRUE(fs::exists(folder / "alpha.zip"));
    EXPECT_TRUE(fs::exists(folder / ".zip"));
}

// Marks a file immutable for the life of the object, so that even root cannot delete it.
class ImmutableFile {
public:
    explicit ImmutableFile(const fs::path& path)
        : path_(path) {
        set_ = setFlag(true);
    }
    ~ImmutableFile() {
        if (set_)
            setFlag(false);
    }
    bool set() const { return set_; }

private:
    // Only Linux marks a file immutable this way; elsewhere the test is skipped.
    bool setFlag(bool on) const {
#ifndef __linux__
        (void)on;
        return false;
#else
        const int fd = ::open(path_.c_str(), O_RDONLY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return done;
#endif
    }
    fs::path path_;
    bool set_ = false;
};

TEST(AddonDeletion, AFileThatCannotBeDeletedDoesNotStopTheOthers) {
    TempFolder folder;
    for (const char* name : {"alpha.jpg", "alpha.txt", "alpha.zip"})
        WriteFile(folder / name, name);
    {
        const ImmutableFile stuck(folder / "alpha.txt");
        if (!stuck.set())
            GTEST_SKIP() << "this file system cannot mark a file immutable";
        const AddonDeletionResult result = DeleteAddonFiles(folder.path(), "ALPHA");
        EXPECT_EQ(result.deleted, (Names{"alpha.jpg", "alpha.zip"}));
        EXPECT_EQ(result.notDeleted, Names{"alpha.txt"});
        EXPECT_TRUE(result.archiveGone);
    }
    const ImmutableFile stuckArchive(folder / "alpha.txt");
    WriteFile(folder / "alpha.zip", "again");
    const ImmutableFile archive(folder / "alpha.zip");
    EXPECT_FALSE(DeleteAddonFiles(folder.path(), "ALPHA").archiveGone);
}

} // namespace
