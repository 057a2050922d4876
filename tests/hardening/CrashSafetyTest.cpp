#include "platform/IniFile.h"
#include "support/TempFolder.h"

#include <chrono>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <thread>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

#ifdef _WIN32

// Killing a process at a random moment needs fork() and SIGKILL; Windows has
// neither, and its own crash safety rests on the same rename as Linux's.
TEST(CrashSafety, KilledSettingsWriteLeavesTheOldOrTheNewFile) {
    GTEST_SKIP() << "needs fork() and SIGKILL, which Windows lacks";
}

#else

// A settings write spends most of its time reading and parsing and little
// writing, so it takes many kills to hit the write often enough. An extraction's
// files are killed at every change by the crash-point explorer.
constexpr int kSettingsKills = 40;

using Work = std::function<void()>;

// How long one run of `work` takes here, so that kills fall over the whole of a
// run rather than only into its first part.
std::chrono::microseconds durationOf(const Work& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                                 start);
}

// Runs `work` over and over in a child process and kills it (SIGKILL) at a
// random moment within its first two runs.
void killMidway(const Work& work, std::chrono::microseconds runTime, std::mt19937& random) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        for (;;)
            work();
    }
    const auto longest = static_cast<int>(2 * runTime.count()) + 1;
    std::this_thread::sleep_for(
        std::chrono::microseconds(std::uniform_int_distribution<int>(0, longest)(random)));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
}

std::size_t temporariesIn(const fs::path& folder) {
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        count += entry.path().filename().string().ends_with(".quorvel-tmp");
    return count;
}

std::string settingsWith(const std::string& value) {
    std::string text = "[EAW]\r\nPlayerPilotName=" + value + "\r\n";
    for (int line = 0; line < 40000; ++line)
        text += "Key" + std::to_string(line) + "=value of line " + std::to_string(line) + "\r\n";
    return text;
}

TEST(CrashSafety, KilledSettingsWriteLeavesTheOldOrTheNewFile) {
    TempFolder folder;
    const fs::path ini = folder / "EAW.INI";
    WriteFile(ini, settingsWith("Old"));
    const std::set<std::string> whole{settingsWith("Old"), settingsWith("First"),
                                      settingsWith("Second")};
    std::mt19937 random(7);
    int leftTemporaries = 0;
    const Work alternate = [&ini, n = 0]() mutable {
        WriteIniValue(ini, "EAW", "PlayerPilotName", n++ % 2 ? "First" : "Second");
    };
    const auto runTime = durationOf(alternate);
    for (int kill = 0; kill < kSettingsKills; ++kill) {
        killMidway(alternate, runTime, random);
        ASSERT_TRUE(whole.contains(ReadFile(ini))) << "a part of the file after kill " << kill;
        leftTemporaries += temporariesIn(folder.path()) > 0;
        ASSERT_TRUE(WriteIniValue(ini, "EAW", "PlayerPilotName", "Old"));
        ASSERT_EQ(temporariesIn(folder.path()), 0u) << "after kill " << kill;
    }
    RecordProperty("kills", kSettingsKills);
    RecordProperty("killsLeavingATemporary", leftTemporaries);
}

#endif

} // namespace
