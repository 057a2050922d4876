#include "maintenance/AddonImport.h"

#include "platform/FolderListing.h"
#include "support/CurrentFolder.h"
#include "support/TempFolder.h"
#include "support/WindowsSkips.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;
using Status = ImportedArchive::Status;
using Names = std::vector<std::string>;

namespace {

TEST(AddonImport, TheLibrarysOwnCopyIsKept) {
    if (kOnWindows)
        GTEST_SKIP() << kNeedsLinks;
    TempFolder root;
    const fs::path library = root / "SKINS";
    WriteFile(library / "alpha.zip", "the only copy");
    fs::create_symlink(library, root / "link");

    for (const fs::path& source :
         {library / "alpha.zip", root / "SKINS" / ".." / "SKINS" / "alpha.zip",
          root / "link" / "alpha.zip"}) {
        const ArchiveImportResult result = ImportAddonArchive(source, library);
        EXPECT_EQ(result->status, Status::AlreadyInLibrary) << source;
        EXPECT_TRUE(result.done());
        EXPECT_EQ(ReadFile(library / "alpha.zip"), "the only copy") << source;
    }
    EXPECT_EQ(FolderListing(library).regularFiles(), Names{"alpha.zip"});
}

TEST(AddonImport, RefusesWithoutFolderOrFileAndNeverWritesToTheCurrentFolder) {
    TempFolder root;
    WriteFile(root / "download" / "alpha.zip", "new");
    fs::create_directories(root / "SKINS");
    const std::vector<std::tuple<fs::path, fs::path, Status>> cases{
        {root / "download" / "alpha.zip", fs::path(), Status::NoLibraryFolder},
        {fs::path("alpha.zip"), fs::path(), Status::NoLibraryFolder},
        {fs::path(), root / "SKINS", Status::NoFile},
        {root / "download", root / "SKINS", Status::NoFile},
        {root / "download" / "missing.zip", root / "SKINS", Status::NoFile},
        {root / "download" / "alpha.zip", root / "MISSING", Status::CopyFailed},
    };
    const CurrentFolder current(root / "download");
    for (const auto& [source, library, status] : cases) {
        const ArchiveImportResult result = ImportAddonArchive(source, library);
        EXPECT_EQ(result->status, status) << source << " into " << library;
        EXPECT_FALSE(result.done());
    }

    EXPECT_EQ(FolderListing(root / "download").regularFiles(), Names{"alpha.zip"});
    EXPECT_TRUE(fs::is_empty(root / "SKINS"));
    EXPECT_FALSE(fs::exists(root / "MISSING"));
}

} // namespace
