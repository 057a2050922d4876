#include "maintenance/AddonDeletion.h"

#include "platform/FolderListing.h"
#include "support/TempFolder.h"
#include "support/WindowsSkips.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;
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

    EXPECT_EQ(result->deleted, c.deleted);
    EXPECT_TRUE(result.done());
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

    EXPECT_EQ(result->deleted, Names{"alpha.zip"});
    EXPECT_TRUE(fs::exists(library / "alpha.old" / "alpha.zip"));
    EXPECT_TRUE(fs::is_symlink(library / "alpha.lnk"));
    EXPECT_TRUE(fs::exists(root / "outside.txt"));
}

} // namespace
