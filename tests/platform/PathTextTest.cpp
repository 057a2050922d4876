#include "platform/FileCheck.h"
#include "platform/FolderIdentity.h"
#include "platform/NameText.h"
#include "support/TempFolder.h"
#include "support/WindowsSkips.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

// Texts read from files that were saved in the ANSI code page, or cut inside a
// character by a length limit, become paths without stopping the program: on
// Windows in the ANSI code page, elsewhere byte for byte.
TEST(PathText, AnyBytesBecomeAPath) {
    for (const std::string text : {"C:\\Spiel\xDC\\", "/games/EAW\xC3", "\x80\x80", "plain"}) {
        fs::path path;
        ASSERT_NO_THROW(path = NamePath(text)) << text;
        if (kOnWindows)
            EXPECT_FALSE(NameText(path).empty()) << text;
        else
            EXPECT_EQ(NameText(path), text);
    }
}

// One folder however it is reached: through "..", a trailing separator, a link;
// a folder inside another counts as inside through any of them.
TEST(PathText, FoldersAreComparedByWhatTheyAre) {
    TempFolder root;
    WriteFile(root / "PROGRAM" / "BACKUPS" / "EAW.EXE", "copy");
    fs::create_directories(root / "GAME");
    const fs::path backups = root / "PROGRAM" / "BACKUPS";
    EXPECT_TRUE(SameFolder(backups, root / "PROGRAM" / "SKINS" / ".." / "BACKUPS" / ""));
    EXPECT_TRUE(SameFolder(root / "NOT" / ".." / "GAME", root / "GAME" / ""));
    EXPECT_FALSE(SameFolder(backups, root / "GAME"));
    EXPECT_FALSE(SameFolder(fs::path(), fs::path()));
    EXPECT_TRUE(InsideOrSame(backups, root / "PROGRAM"));
    EXPECT_FALSE(InsideOrSame(root / "GAME", root / "PROGRAM"));
    if (kOnWindows) {
        EXPECT_TRUE(SameFolder(backups, root / "program" / "backups"));
        EXPECT_TRUE(InsideOrSame(root / "Program" / "Backups", root / "PROGRAM"));
    } else {
        fs::create_directory_symlink(backups, root / "LINK");
        EXPECT_TRUE(SameFolder(root / "LINK", backups));
        EXPECT_TRUE(InsideOrSame(root / "LINK", root / "PROGRAM"));
    }
}

// `source` mounted again at `folder` where root can bind-mount (Linux); elsewhere unmounted.
class BindMount {
public:
    BindMount([[maybe_unused]] const fs::path& source, const fs::path& folder)
        : folder_(folder) {
        fs::create_directories(folder);
#ifdef __linux__
        const std::string mount =
            "mount --bind '" + source.string() + "' '" + folder.string() + "' 2>/dev/null";
        mounted_ = std::system(mount.c_str()) == 0;
#endif
    }
    ~BindMount() {
        if (mounted_ && std::system(("umount '" + folder_.string() + "'").c_str()) != 0)
            ADD_FAILURE() << "could not unmount " << folder_;
    }
    BindMount(const BindMount&) = delete;
    BindMount& operator=(const BindMount&) = delete;
    bool mounted() const {
        return mounted_;
    }

private:
    fs::path folder_;
    bool mounted_ = false;
};

// A bind mount shows one folder under a second path that no link resolves: only
// the file system's identity of the folder tells that it is the same.
TEST(PathText, AFolderReachedThroughABindMountIsTheSameFolder) {
    TempFolder root;
    const fs::path backups = root / "PROGRAM" / "BACKUPS";
    fs::create_directories(backups);
    const BindMount mount(root / "PROGRAM", root / "BIND");
    if (!mount.mounted())
        GTEST_SKIP() << "needs root on Linux, to bind-mount a folder";
    EXPECT_TRUE(SameFolder(root / "BIND" / "BACKUPS", backups));
    EXPECT_TRUE(InsideOrSame(root / "BIND" / "BACKUPS", root / "PROGRAM"));
    EXPECT_FALSE(SameFolder(root / "BIND" / "BACKUPS", root / "PROGRAM"));
}

// A check reads back from its text, and text that is not one is refused.
TEST(PathText, FileChecksReadBackAndRefuseOtherText) {
    TempFolder root;
    WriteFile(root / "A.BIN", "abc");
    const auto check = CheckOfFile(root / "A.BIN");
    ASSERT_TRUE(check);
    EXPECT_EQ(FileCheckText(*check), "3 352441c2");
    EXPECT_EQ(ParseFileCheck(FileCheckText(*check)), check);
    for (const char* text :
         {"", "3", "3 352441c", "3 352441c2 ", " 352441c2", "x 352441c2", "3 35244zc2"})
        EXPECT_FALSE(ParseFileCheck(text)) << text;
    EXPECT_FALSE(CheckOfFile(root / "MISSING"));
    EXPECT_FALSE(CheckOfFile(root.path()));
}

} // namespace
