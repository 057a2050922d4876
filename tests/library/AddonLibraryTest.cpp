#include "library/AddonLibrary.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using quorvel::test::TempFolder;
using quorvel::test::WriteFile;

namespace {

TEST(AddonLibrary, AddonNameIsUpperCaseLessTheLastFourCharacters) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"spitfire.zip", "SPITFIRE"}, {"Me 109.ZIP", "ME 109"}, {"a.b.zip", "A.B"},
        {"all.zip", "ALL"},           {"x.zip", "X"},           {".zip", ""}};
    for (const auto& [file, name] : cases)
        EXPECT_EQ(AddonName(file), name) << file;
}

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
