#include "config/PathVariables.h"

#include "config/GameFolderChoice.h"
#include "platform/IniFile.h"
#include "platform/NameText.h"
#include "support/CurrentFolder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

const std::string kSeparator(1, static_cast<char>(fs::path::preferred_separator));

class PathVariablesTest : public testing::Test {
protected:
    void SetUp() override { SetProgramFolder(program.path()); }
    TempFolder program;
};

TEST_F(PathVariablesTest, WithoutConfigurationEverythingButTheProgramFolderIsEmpty) {
    const PathVariables paths = ReadStoredPaths();
    EXPECT_EQ(paths.ProgramFolder.string(), program.path().string() + kSeparator);
    EXPECT_EQ(paths.ConfigFilePath, program / "QUORVEL.INI");
    EXPECT_TRUE(paths.GameFolder.empty());
    EXPECT_TRUE(paths.GameIniPath.empty()); // never the bare "EAW.INI" of the current folder
    EXPECT_TRUE(paths.BackupFolder.empty());
    for (const auto& folder : paths.CategoryFolder)
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
    const PathVariables paths = ReadStoredPaths();
    EXPECT_EQ(paths.GameFolder, "/games/eaw/");
    EXPECT_EQ(paths.GameIniPath, "/games/eaw/EAW.INI");
    EXPECT_EQ(paths.CategoryFolder[4], p + "GRAPHICS" + kSeparator);
    EXPECT_EQ(paths.BackupFolder, p + "BACKUPS" + kSeparator);
}

TEST_F(PathVariablesTest, ReloadTakesStoredLibraryFoldersAsTheyAre) {
    // Absolute on this system: on Windows with the drive of the program folder.
    const std::string skins =
        (program.path().root_path() / "old" / "place" / "SKINS").string() + kSeparator;
    WriteFile(program / "QUORVEL.INI", "[path]\r\nrutaeaw=/g/\r\nRUTASKINS=" + skins +
                                           "\r\n[CONFIGURATION]\r\nBACKUPS=1\r\n");
    const PathVariables paths = ReadStoredPaths();
    EXPECT_EQ(paths.CategoryFolder[2], skins);
    EXPECT_TRUE(paths.CategoryFolder[0].empty());
    EXPECT_FALSE(FirstRunWindowDue());
}

// A program folder so deep that its stored folders read back cut short, and a
// folder stored relative, are worked out again from the program folder.
TEST_F(PathVariablesTest, AStoredFolderCutShortOrRelativeIsWorkedOutAgain) {
    const fs::path deep = program / std::string(240, 'd');
    fs::create_directories(deep);
    SetProgramFolder(deep);
    ASSERT_TRUE(StorePaths("/g/"));
    ASSERT_EQ(ReadIniValue(deep / "QUORVEL.INI", "PATH", "RUTAMODELOSVUELO").size(), 254u);
    WriteIniValue(deep / "QUORVEL.INI", "PATH", "RUTASKINS", "SKINS" + kSeparator);
    const PathVariables paths = ReadStoredPaths();
    EXPECT_EQ(paths.CategoryFolder[0], NamePath(FolderText(deep / "FLIGHTMODELS")));
    EXPECT_EQ(paths.CategoryFolder[2], NamePath(FolderText(deep / "SKINS")));
    EXPECT_EQ(paths.BackupFolder, NamePath(FolderText(deep / "BACKUPS")));
}

TEST_F(PathVariablesTest, OnlyTheExactFlagOneKeepsTheFirstRunWindowAway) {
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

        const PathVariables paths = ReadStoredPaths();
        EXPECT_TRUE(fs::is_directory(paths.CategoryFolder[2])) << name;
        EXPECT_TRUE(fs::is_directory(NamePath(StoredGameFolder()))) << name;
        const char otherSeparator = fs::path::preferred_separator == '/' ? '\\' : '/';
        EXPECT_EQ(ReadFile(paths.ConfigFilePath).find(otherSeparator), std::string::npos) << name;
    }
}

// Each folder read back from QUORVEL.INI, picked or about to be cleared meets one
// rule; a relative, cut-short or mistyped folder would have the program delete
// files of a folder the player never chose.
TEST_F(PathVariablesTest, OneRuleDecidesWhatAGameFolderIs) {
    const TempFolder drive;
    const fs::path root = drive / "drive_c";
    WriteFile(root / "DRIVEC.DAT", "not the game's");
    WriteFile(root / "EAW" / "eaw.exe", "game");
    std::string deep = (root / "EAW").string();
    while (deep.size() <= kMaxIniValueLength)
        deep += kSeparator + std::string(40, 'd');
    WriteFile(fs::path(deep) / "EAW.EXE", "game");
    for (const char* inside : {"", "BACKUPS", "SKINS/OLD"})
        WriteFile(program / inside / "EAW.EXE", "copy");
    const struct {
        fs::path folder;
        GameFolderFault fault;
    } cases[] = {
        {"", GameFolderFault::NotSet},
        {"./", GameFolderFault::Relative},
        {"drive_c/EAW", GameFolderFault::Relative},
        {root / "EAW" / "..", GameFolderFault::NoGameProgram}, // the parent, as by a typo
        {root / "GONE", GameFolderFault::Missing},
        {deep, GameFolderFault::NotStorable}, // QUORVEL.INI would read back its parent
        {program.path(), GameFolderFault::InProgramFolder},
        {program / "BACKUPS", GameFolderFault::InProgramFolder},
        {program / "SKINS" / "OLD" / ".." / "OLD", GameFolderFault::InProgramFolder},
        {root / "EAW", GameFolderFault::None},
    };
    const CurrentFolder current(root / "EAW");
    for (const auto& c : cases)
        EXPECT_EQ(CheckGameFolder(c.folder, ProgramFolder()), c.fault) << c.folder;
}

// Accept acts only on a folder that QUORVEL.INI holds and reads back, and holds
// still at the Accept.
TEST_F(PathVariablesTest, AFolderThatCouldNotBeStoredCannotBeAccepted) {
    WriteFile(program / "GAME" / "EAW.EXE", "game");
    GameFolderChoice choice;
    ASSERT_TRUE(choice.choose(program.path().parent_path()));
    EXPECT_EQ(choice.fault(), GameFolderFault::NoGameProgram);
    SetWritable(program / "QUORVEL.INI", false);
    EXPECT_FALSE(choice.choose(program / "GAME"));
    EXPECT_EQ(choice.fault(), GameFolderFault::NotStored);
    EXPECT_EQ(choice.accepted(), std::nullopt);
    SetWritable(program / "QUORVEL.INI", true);
    ASSERT_TRUE(choice.choose(program / "GAME"));
    EXPECT_EQ(choice.fault(), GameFolderFault::InProgramFolder);
    const TempFolder game;
    WriteFile(game / "EAW.EXE", "game");
    ASSERT_TRUE(choice.choose(game.path()));
    ASSERT_NE(choice.accepted(), std::nullopt);
    // Another program stores a folder of its own before the Accept.
    ASSERT_TRUE(StorePaths(FolderText(program.path())));
    EXPECT_EQ(choice.fault(), GameFolderFault::NotStored);
    EXPECT_EQ(choice.accepted(), std::nullopt);
}

} // namespace
