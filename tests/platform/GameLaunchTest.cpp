#include "platform/GameLaunch.h"

#include "support/CurrentFolder.h"
#include "support/TempFolder.h"
#include "support/WindowsSkips.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

using enum GameSystem;

// Games in and out of Wine prefixes, and folders of the PATH with and without a
// `wine` that can be run.
struct Machine {
    Machine() {
        WriteFile(root / "plain" / "EAW" / "EAW.EXE", "game");
        WriteFile(root / "prefix" / "drive_c" / "Games" / "EAW" / "eaw.exe", "game");
        WriteFile(root / "outer" / "drive_c" / "inner" / "Drive_C" / "EAW" / "Eaw.Exe", "game");
        WriteFile(root / "bare" / "drive_c" / "EAW.EXE", "game");
        fs::create_directories(root / "prefix" / "drive_c" / "Empty");
        fs::create_directories(root / "prefix" / "drive_c" / "Folder" / "EAW.EXE");
        fs::create_directories(root / "folders" / "wine");
        WriteFile(root / "bin" / "wine", "#!/bin/sh\n");
        WriteFile(root / "unrunnable" / "wine", "#!/bin/sh\n");
        if (kOnWindows)
            return;
        fs::permissions(root / "bin" / "wine", fs::perms::owner_all);
        fs::permissions(root / "unrunnable" / "wine", fs::perms::owner_read);
        fs::create_directory_symlink(root / "prefix" / "drive_c" / "Games" / "EAW", root / "link");
    }
    TempFolder root;
};

struct Start {
    const char* name;
    const char* folder;     // under the machine's root; "" for no folder at all
    const char* searchPath; // "@" stands for the machine's root
    GameSystem system;
    const char* program; // what starts, under the root; nullptr when nothing does
    const char* game;    // the argument given to Wine
    const char* prefix;  // WINEPREFIX
    const char* why;     // a part of the reason when nothing starts
};

void PrintTo(const Start& row, std::ostream* out) {
    *out << row.name;
}

std::string WithRoot(std::string text, const fs::path& root) {
    for (std::size_t at = text.find('@'); at != std::string::npos; at = text.find('@', at))
        text.replace(at, 1, root.string());
    return text;
}

fs::path Normal(const fs::path& path) {
    return path.lexically_normal();
}

class GameStartPlan : public testing::TestWithParam<Start> {};

TEST_P(GameStartPlan, StartsWhatPlaysTheGameOrSaysWhatThePlayerMustDo) {
    const Start& row = GetParam();
    if (row.system == Linux && kOnWindows)
        GTEST_SKIP() << "Wine and its PATH are of other systems";
    Machine machine;
    const fs::path& root = machine.root.path();
    // The current folder holds a `wine` that may never be picked up.
    CurrentFolder current(root / "bin");
    const fs::path folder = *row.folder ? root / row.folder : fs::path();
    const auto plan = PlanGameStart(folder, WithRoot(row.searchPath, root), row.system);
    if (!row.program) {
        EXPECT_FALSE(plan.done());
        EXPECT_NE(plan.why().find(row.why), std::string::npos) << plan.why();
        return;
    }
    ASSERT_TRUE(plan.done()) << plan.why();
    EXPECT_EQ(Normal(plan->program), Normal(root / row.program));
    EXPECT_EQ(plan->workingFolder, folder);
    if (row.system == Windows) {
        EXPECT_TRUE(plan->arguments.empty());
        EXPECT_TRUE(plan->environment.empty());
        return;
    }
    ASSERT_EQ(plan->arguments.size(), 1u);
    EXPECT_EQ(Normal(plan->arguments[0]), Normal(root / row.game));
    ASSERT_EQ(plan->environment.size(), 1u);
    EXPECT_EQ(plan->environment[0].first, "WINEPREFIX");
    EXPECT_EQ(Normal(plan->environment[0].second), Normal(root / row.prefix));
}

// The rows: the game started itself, through Wine, or refused with a reason.
Start Runs(const char* name, const char* folder, const char* program) {
    return {name, folder, "", Windows, program, "", "", ""};
}

Start Wine(const char* name, const char* folder, const char* searchPath, const char* game,
           const char* prefix) {
    return {name, folder, searchPath, Linux, "bin/wine", game, prefix, ""};
}

Start Refused(const char* name, const char* folder, const char* searchPath, GameSystem system,
              const char* why) {
    return {name, folder, searchPath, system, nullptr, "", "", why};
}

constexpr const char* kNoExe = "EAW.EXE is not in the game folder";
constexpr const char* kNoWine = "no wine program was found on the PATH";
constexpr const char* kNoPrefix = "is not inside a Wine prefix";
constexpr const char* kInPrefix = "prefix/drive_c/Games/EAW";
constexpr const char* kGameInPrefix = "prefix/drive_c/Games/EAW/eaw.exe";

INSTANTIATE_TEST_SUITE_P(
    GameLaunch, GameStartPlan,
    testing::Values(
        Runs("WindowsRunsTheGame", "plain/EAW", "plain/EAW/EAW.EXE"),
        Runs("InAnyLetterCase", kInPrefix, kGameInPrefix),
        Refused("NoGameFolder", "", "@/bin", Windows, "No game folder"),
        Refused("NoExe", "prefix/drive_c/Empty", "", Windows, kNoExe),
        Refused("AFolderNamedExe", "prefix/drive_c/Folder", "", Windows, kNoExe),
        Wine("WineInItsPrefix", kInPrefix, "@/bin", kGameInPrefix, "prefix"),
        Wine("FolderWithSeparator", "prefix/drive_c/Games/EAW/", "@/bin/", kGameInPrefix, "prefix"),
        Wine("NearestDriveC", "outer/drive_c/inner/Drive_C/EAW", "@/bin",
             "outer/drive_c/inner/Drive_C/EAW/Eaw.Exe", "outer/drive_c/inner"),
        Wine("GameInDriveC", "bare/drive_c", "@/bin", "bare/drive_c/EAW.EXE", "bare"),
        Wine("ThroughALink", "link", "@/bin", "link/eaw.exe", "prefix"),
        Refused("OutsideAnyPrefix", "plain/EAW", "@/bin", Linux, kNoPrefix),
        Refused("DotDotOutOfDriveC", "prefix/drive_c/../../plain/EAW", "@/bin", Linux, kNoPrefix),
        Refused("NoExeBeforeNoWine", "prefix/drive_c/Empty", "", Linux, kNoExe),
        Wine("SkipsUnrunnableWine", kInPrefix, "@/unrunnable:@/folders:@/none:@/bin", kGameInPrefix,
             "prefix"),
        Refused("OnlyUnrunnableWine", kInPrefix, "@/unrunnable:@/folders", Linux, kNoWine),
        Refused("EmptyPath", kInPrefix, "", Linux, kNoWine),
        Refused("EmptyEntries", kInPrefix, "::", Linux, kNoWine),
        Refused("RelativeEntries", kInPrefix, ".:bin:../bin", Linux, kNoWine)),
    [](const testing::TestParamInfo<Start>& info) { return std::string(info.param.name); });

} // namespace
