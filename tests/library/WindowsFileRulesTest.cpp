#include "FolderSnapshot.h"
#include "config/SecurityCopies.h"
#include "library/ClearAll.h"
#include "library/InstallAddon.h"
#include "library/UninstallAddon.h"
#include "support/TempFolder.h"
#include "support/ZipBuilder.h"

#include <functional>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

void SetWritable(const fs::path& file, bool writable) {
    std::error_code ec;
    fs::permissions(file, fs::perms::owner_write,
                    writable ? fs::perm_options::add : fs::perm_options::remove, ec);
}

// Games installed from a CD carry the read-only attribute on their files, which
// Windows will neither replace nor delete until it is cleared.
TEST(WindowsFileRules, ReadOnlyFilesAreReplacedAndDeleted) {
    using Operation = std::function<void(const fs::path& root)>;
    const struct {
        std::string operation;
        Operation run;
        std::string folder;
        FolderSnapshot after;
    } cases[] = {
        {"uninstall",
         [](const fs::path& root) { UninstallAddon(root / "GAME", {"MAP.TPC"}, {}); },
         "GAME",
         {{"EAW.EXE", "mine"}}},
        {"clear all",
         [](const fs::path& root) { ClearAll(root / "GAME", root / "BACKUPS", AddonFileRecord()); },
         "GAME",
         {{"EAW.EXE", "copy"}}},
        {"extraction over it",
         [](const fs::path& root) {
             MakeZip(root / "LIB" / "A.ZIP", {{"MAP.TPC", "new"}});
             InstallAddon(root / "LIB", "A", root / "GAME");
         },
         "GAME",
         {{"EAW.EXE", "mine"}, {"MAP.TPC", "new"}}},
        {"security copies taken",
         [](const fs::path& root) { TakeSecurityCopies(root / "GAME", root / "BACKUPS"); },
         "BACKUPS",
         {{"EAW.EXE", "mine"}}},
    };
    for (const auto& c : cases) {
        TempFolder root;
        const fs::path files[] = {root / "GAME" / "EAW.EXE", root / "GAME" / "MAP.TPC",
                                  root / "BACKUPS" / "EAW.EXE"};
        WriteFile(files[0], "mine");
        WriteFile(files[1], "old");
        WriteFile(files[2], "copy");
        for (const fs::path& file : files)
            SetWritable(file, false);

        c.run(root.path());

        EXPECT_EQ(SnapshotOf(root / c.folder), c.after) << c.operation;
        for (const fs::path& file : files)
            SetWritable(file, true);
    }
}

// Windows would write "EXTRA.SPT." as EXTRA.SPT, a name the install would not
// have recorded, and refuses "*" and "?" in names: such members are skipped there.
TEST(WindowsFileRules, MemberNamesWindowsCannotHoldAreSkippedThere) {
    TempFolder root;
    MakeZip(root / "LIB" / "A.ZIP",
            {{"EXTRA.SPT.", "dot"}, {"MAP.TPC ", "blank"}, {"A*B.TXT", "star"}, {"OK.TXT", "ok"}});
    fs::create_directory(root / "GAME");

    const UnzipResult result = InstallAddon(root / "LIB", "A", root / "GAME");

    ASSERT_TRUE(result.ok()) << result.description;
#ifdef _WIN32
    EXPECT_EQ(SnapshotOf(root / "GAME"), (FolderSnapshot{{"OK.TXT", "ok"}}));
#else
    EXPECT_EQ(
        SnapshotOf(root / "GAME"),
        (FolderSnapshot{
            {"A*B.TXT", "star"}, {"EXTRA.SPT.", "dot"}, {"MAP.TPC ", "blank"}, {"OK.TXT", "ok"}}));
#endif
}

} // namespace
