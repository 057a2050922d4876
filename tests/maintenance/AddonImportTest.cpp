#include "maintenance/AddonImport.h"

#include "platform/FolderListing.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using quorvel::test::ReadFile;
using quorvel::test::TempFolder;
using quorvel::test::WriteFile;
using Status = ArchiveImportResult::Status;
using Names = std::vector<std::string>;

namespace {

struct ImportCase {
    const char* label;
    Names libraryBefore;    // each file holds "old"
    std::string sourceName; // written outside the library, holding "new"
    Status status;
    Names libraryAfter;
    std::string importedName; // the library file that must hold "new"
};

void PrintTo(const ImportCase& c, std::ostream* out) {
    *out << c.label;
}

class ImportsAnArchive : public testing::TestWithParam<ImportCase> {};

TEST_P(ImportsAnArchive, LibraryAfterwards) {
    const ImportCase& c = GetParam();
    TempFolder root;
    const fs::path library = root / "SKINS";
    fs::create_directories(library);
    for (const std::string& name : c.libraryBefore)
        WriteFile(library / name, "old");
    WriteFile(root / "download" / c.sourceName, "new");

    const ArchiveImportResult result =
        ImportAddonArchive(root / "download" / c.sourceName, library);

    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.destination, library / c.importedName);
    EXPECT_EQ(ReadFile(library / c.importedName), "new");
    EXPECT_EQ(FolderListing(library).regularFiles(), c.libraryAfter);
    EXPECT_EQ(ReadFile(root / "download" / c.sourceName), "new");
}

INSTANTIATE_TEST_SUITE_P(Cases, ImportsAnArchive,
                         testing::Values(ImportCase{"New",
                                                    {"beta.zip"},
                                                    "alpha.zip",
                                                    Status::Copied,
                                                    {"alpha.zip", "beta.zip"},
                                                    "alpha.zip"},
                                         ImportCase{"ReplacesSameName",
                                                    {"alpha.zip"},
                                                    "alpha.zip",
                                                    Status::Copied,
                                                    {"alpha.zip"},
                                                    "alpha.zip"},
                                         ImportCase{"ReplacesSameNameInOtherCase",
                                                    {"alpha.zip", "alpha.txt"},
                                                    "ALPHA.ZIP",
                                                    Status::Copied,
                                                    {"alpha.txt", "alpha.zip"},
                                                    "alpha.zip"},
                                         ImportCase{"KeepsBlanksInTheName",
                                                    {},
                                                    "Me 109 E.ZIP",
                                                    Status::Copied,
                                                    {"Me 109 E.ZIP"},
                                                    "Me 109 E.ZIP"}),
                         [](const testing::TestParamInfo<ImportCase>& info) {
                             return info.param.label;
                         });

TEST(AddonImport, TheLibrarysOwnCopyIsKept) {
    TempFolder root;
    const fs::path library = root / "SKINS";
    WriteFile(library / "alpha.zip", "the only copy");
    fs::create_symlink(library, root / "link");

    for (const fs::path& source :
         {library / "alpha.zip", root / "SKINS" / ".." / "SKINS" / "alpha.zip",
          root / "link" / "alpha.zip"}) {
        const ArchiveImportResult result = ImportAddonArchive(source, library);
        EXPECT_EQ(result.status, Status::AlreadyInLibrary) << source;
        EXPECT_TRUE(result.ok());
        EXPECT_EQ(ReadFile(library / "alpha.zip"), "the only copy") << source;
    }
    EXPECT_EQ(FolderListing(library).regularFiles(), Names{"alpha.zip"});
}

TEST(AddonImport, RefusesWithoutFolderOrFileAndNeverWritesToTheCurrentFolder) {
    TempFolder root;
    WriteFile(root / "download" / "alpha.zip", "new");
    fs::create_directories(root / "SKINS");
    const fs::path previous = fs::current_path();
    fs::current_path(root / "download");

    const std::vector<std::tuple<fs::path, fs::path, Status>> cases{
        {root / "download" / "alpha.zip", fs::path(), Status::NoLibraryFolder},
        {fs::path("alpha.zip"), fs::path(), Status::NoLibraryFolder},
        {fs::path(), root / "SKINS", Status::NoFile},
        {root / "download", root / "SKINS", Status::NoFile},
        {root / "download" / "missing.zip", root / "SKINS", Status::NoFile},
        {root / "download" / "alpha.zip", root / "MISSING", Status::CopyFailed},
    };
    for (const auto& [source, library, status] : cases) {
        const ArchiveImportResult result = ImportAddonArchive(source, library);
        EXPECT_EQ(result.status, status) << source << " into " << library;
        EXPECT_FALSE(result.ok());
    }
    fs::current_path(previous);

    EXPECT_EQ(FolderListing(root / "download").regularFiles(), Names{"alpha.zip"});
    EXPECT_TRUE(fs::is_empty(root / "SKINS"));
    EXPECT_FALSE(fs::exists(root / "MISSING"));
}

} // namespace
