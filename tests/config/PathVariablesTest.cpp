#include "config/PathVariables.h"

#include "config/FirstRun.h"
#include "platform/NameText.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

const std::string kSeparator(1, static_cast<char>(fs::path::preferred_separator));

class PathVariablesTest : public testing::Test {
protected:
    void SetUp() override {
        SetProgramFolder(program.path());
        Paths() = PathVariables{};
    }
    TempFolder program;
};

TEST_F(PathVariablesTest, WithoutConfigurationEverythingButTheProgramFolderIsEmpty) {
    ReloadPaths(true);
    EXPECT_EQ(Paths().ProgramFolder.string(), program.path().string() + kSeparator);
    EXPECT_EQ(Paths().ConfigFilePath, program / "QUORVEL.INI");
    EXPECT_TRUE(Paths().GameFolder.empty());
    EXPECT_TRUE(Paths().GameIniPath.empty()); // never the bare "EAW.INI" of the current folder
    EXPECT_TRUE(Paths().BackupFolder.empty());
    for (const auto& folder : Paths().CategoryFolder)
        EXPECT_TRUE(folder.empty());
    EXPECT_TRUE(FirstRunWindowDue());
}

TEST_F(PathVariablesTest, StorePathsWritesTheNineKeysInOrderOnAFreshFile) {
    ASSERT_TRUE(StorePaths("/games/eaw/"));
    const std::string p = program.path().string() + kSeparator;
    const auto line = [&](const char* key, const char* folder) {
        return std::string(key) + "=" + p + folder + kSeparator + "\r\n";
    };
    EXPECT_EQ(ReadFile(program / "QUORVEL.INI"),
              "[PATH]\r\nRUTAEAW=/games/eaw/\r\n" + line("RUTAMODELOSVUELO", "FLIGHTMODELS") +
                  line("RUTAMISIONES", "MISSIONS") + line("RUTASKINS", "SKINS") +
                  line("RUTATERRENOS", "TERRAINS") + line("RUTAGRAFICOS", "GRAPHICS") +
                  line("RUTASONIDOS", "SOUNDS") + line("RUTAEXES", "EXES") +
                  line("RUTABACKUPS", "BACKUPS"));
    // Storing changes no path variable but the program's own two.
    EXPECT_TRUE(Paths().GameFolder.empty());
    ReloadPaths(false);
    EXPECT_EQ(Paths().GameFolder, "/games/eaw/");
    EXPECT_EQ(Paths().GameIniPath, "/games/eaw/EAW.INI");
    EXPECT_EQ(Paths().CategoryFolder[4], p + "GRAPHICS" + kSeparator);
    EXPECT_EQ(Paths().BackupFolder, p + "BACKUPS" + kSeparator);
}

TEST_F(PathVariablesTest, ReloadTakesStoredLibraryFoldersAsTheyAre) {
    WriteFile(program / "QUORVEL.INI", "[path]\r\nrutaeaw=/g/\r\nRUTASKINS=/old/place/SKINS/\r\n"
                                       "[CONFIGURATION]\r\nBACKUPS=1\r\n");
    ReloadPaths(true);
    EXPECT_EQ(Paths().CategoryFolder[2], "/old/place/SKINS/");
    EXPECT_TRUE(Paths().CategoryFolder[0].empty());
    EXPECT_FALSE(FirstRunWindowDue());
}

TEST_F(PathVariablesTest, OnlyTheExactFlagOneKeepsTheFirstRunWindowAway) {
    ReloadPaths(true);
    for (const char* flag : {"0", "", "yes", "11", " 1x"}) {
        WriteFile(program / "QUORVEL.INI", std::string("[CONFIGURATION]\nBACKUPS=") + flag + "\n");
        EXPECT_TRUE(FirstRunWindowDue()) << flag;
    }
    ASSERT_TRUE(StoreFirstRunFlag(true));
    EXPECT_FALSE(FirstRunWindowDue());
    ASSERT_TRUE(StoreFirstRunFlag(false));
    EXPECT_EQ(ReadFile(program / "QUORVEL.INI"), "[CONFIGURATION]\nBACKUPS= 0\n"); // blanks kept
}

TEST_F(PathVariablesTest, StorePathsKeepsOtherContentAndTheFirstRunFlag) {
    WriteFile(program / "QUORVEL.INI", "[CONFIGURATION]\nBACKUPS=1\n");
    ReloadPaths(true);
    ASSERT_TRUE(StorePaths("/a/"));
    ASSERT_TRUE(StorePaths("/b/"));
    EXPECT_EQ(StoredGameFolder(), "/b/");
    EXPECT_FALSE(FirstRunWindowDue());
}

// Qt hands the program folder over with "/" on every system; a player's folder
// may be named in any script. The stored folders lead back to the real ones and
// use only the system's own separator.
TEST_F(PathVariablesTest, ProgramFolderInAnyScriptIsStoredWithTheNativeSeparator) {
    for (const char* name : {"EAW Tools", "José", "Müller", "東京"}) {
        const fs::path folder = InFolder(program.path(), name);
        fs::create_directories(folder / "SKINS");
        SetProgramFolder(fs::path(folder.generic_u8string()));

        ASSERT_TRUE(StorePaths(FolderText(folder))) << name;

        ReloadPaths(true);
        EXPECT_TRUE(fs::is_directory(Paths().CategoryFolder[2])) << name;
        EXPECT_TRUE(fs::is_directory(NamePath(StoredGameFolder()))) << name;
        const char otherSeparator = fs::path::preferred_separator == '/' ? '\\' : '/';
        EXPECT_EQ(ReadFile(Paths().ConfigFilePath).find(otherSeparator), std::string::npos) << name;
    }
}

} // namespace
