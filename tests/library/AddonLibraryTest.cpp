#include "library/AddonLibrary.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

TEST(AddonLibrary, ListsArchivesOfAnyCaseInNameOrder) {
    TempFolder folder;
    for (const char* name :
         {"zeta.zip", "Alpha.ZIP", "beta.Zip", "beta.txt", "beta.jpg", "all.zip"})
        WriteFile(folder / name, "x");
    fs::create_directory(folder / "folder.zip");
    EXPECT_EQ(ListAddonNames(folder.path()),
              (std::vector<std::string>{"all", "Alpha", "beta", "zeta"}));
    EXPECT_TRUE(ListAddonNames(folder / "missing").empty());
    EXPECT_TRUE(ListAddonNames(fs::path()).empty());
}

TEST(AddonLibrary, SelectableLeavesOutInstalledNamesOnly) {
    const std::vector<std::string> listed{"ALL", "ALPHA", "BETA"};
    EXPECT_EQ(SelectableAddons(listed, {}), listed);
    EXPECT_EQ(SelectableAddons(listed, {"ALPHA"}), (std::vector<std::string>{"ALL", "BETA"}));
    EXPECT_EQ(SelectableAddons(listed, {"ALL", "BETA"}), std::vector<std::string>{"ALPHA"});
    EXPECT_EQ(SelectableAddons(listed, {"alpha"}), listed); // names compare exactly
}

TEST(AddonLibrary, PreviewFindsPictureAndTextInAnyCase) {
    TempFolder folder;
    WriteFile(folder / "Mixed.Zip", "zip");
    WriteFile(folder / "Mixed.txt", "line one\r\nline two");
    WriteFile(folder / "mixed.JPG", "jpeg");
    const AddonPreview preview = LoadAddonPreview(folder.path(), "MIXED");
    EXPECT_EQ(preview.picture, folder / "mixed.JPG");
    EXPECT_EQ(preview.description, "line one\r\nline two");

    const AddonPreview bare = LoadAddonPreview(folder.path(), "OTHER");
    EXPECT_FALSE(bare.picture);
    EXPECT_EQ(bare.description, "");
    EXPECT_FALSE(LoadAddonPreview(fs::path(), "MIXED").picture);
}

} // namespace
