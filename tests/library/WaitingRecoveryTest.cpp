#include "FolderSnapshot.h"
#include "ProgramWithGame.h"
#include "config/GameFolderChoice.h"
#include "config/PathVariables.h"
#include "library/CopiesRecord.h"
#include "library/Installation.h"
#include "platform/FileChanges.h"
#include "platform/FolderIdentity.h"
#include "support/Blocked.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <optional>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

constexpr std::size_t kGraphics = 4, kExes = 6;

const std::string kGame =
    "EAW.EXE=game exe; EAW.INI=game ini; EXTRA.SPT=game spt; GRB_031.SND=game snd; "
    "CAMPAIGN1.SAV=save";

// A program killed with an EXES add-on installed: the run ends without Clear All,
// its list of installed add-ons left in the program folder.
struct KilledWithAnExe : ProgramWithGame {
    KilledWithAnExe()
        : ProgramWithGame(kGame) {
        addon(kExes, "NEWEXE.zip", "bin/EAW.EXE=addon exe; EXTRA.SPT=addon spt; NEW.TXT=n");
        gameBefore = SnapshotOf(game());
        Installation killed;
        EXPECT_EQ(killed.install(kExes, "NEWEXE").why(), "");
    }
    fs::path ledger() const { return program() / "INSTALLED.TXT"; }
    FolderSnapshot gameBefore;
};

// The game cannot be reached at a start (a disk not mounted, the game moved): the
// list waits, through that run and its close, and the Accept that picks the game
// again takes the add-on out before it takes the security copies.
TEST(WaitingRecovery, AGameOutOfReachIsRecoveredBeforeItsCopiesAreTaken) {
    KilledWithAnExe w;
    fs::rename(w.game(), w.root / "EAW.away");
    {
        Installation unreachable;
        const auto recoveries = unreachable.recoverLastRun();
        ASSERT_EQ(recoveries.size(), 1u);
        EXPECT_NE(recoveries[0].why(), "");
        unreachable.clearAll();
    }
    ASSERT_TRUE(fs::exists(w.ledger()));
    fs::rename(w.root / "EAW.away", w.game());
    StorePaths("");
    Installation next;
    EXPECT_TRUE(next.paths().GameFolder.empty());
    GameFolderChoice choice;
    ASSERT_TRUE(choice.choose(w.game()));
    const FolderOutcome accepted = next.acceptFirstRun(choice, true);
    EXPECT_TRUE(accepted.done()) << accepted.why();
    EXPECT_EQ(ReadFile(w.program() / "BACKUPS" / "EAW.EXE"), "game exe");
    EXPECT_EQ(ReadFile(w.program() / "BACKUPS" / "EXTRA.SPT"), "game spt");
    EXPECT_EQ(SnapshotOf(w.game()), w.gameBefore);
    EXPECT_FALSE(fs::exists(w.ledger()));
}

// While the recovery of a game out of reach waits, its security copies are the
// only way back for the EAW.EXE its add-on replaced: another game's Accept goes on,
// its own copies taken, while the waiting game's are set aside in a folder of
// their own; once reachable, the game gets its EAW.EXE back from them.
TEST(WaitingRecovery, AnotherGameGoesOnWhileTheWaitingGamesCopiesAreSetAside) {
    KilledWithAnExe w;
    LayOut(w.root / "OTHER", Tree("EAW.EXE=other exe"));
    fs::rename(w.game(), w.root / "EAW.away");
    {
        Installation unreachable;
        unreachable.recoverLastRun();
        GameFolderChoice choice;
        ASSERT_TRUE(choice.choose(w.root / "OTHER"));
        const FolderOutcome accepted = unreachable.acceptFirstRun(choice, true);
        EXPECT_TRUE(accepted.done()) << accepted.why();
    }
    EXPECT_EQ(ReadFile(w.program() / "BACKUPS" / "EAW.EXE"), "other exe");
    fs::rename(w.root / "EAW.away", w.game());
    Installation back;
    const auto recoveries = back.recoverLastRun();
    ASSERT_EQ(recoveries.size(), 1u);
    EXPECT_EQ(recoveries[0].why(), "");
    EXPECT_EQ(SnapshotOf(w.game()), w.gameBefore);
    EXPECT_FALSE(fs::exists(w.ledger()));
    EXPECT_EQ(ReadFile(w.program() / "BACKUPS" / "EAW.EXE"), "other exe");
    EXPECT_FALSE(fs::exists(w.program() / "BACKUPS" / "ASIDE"));
}

// A run on another game folder, and its close, keep the list of the first game.
TEST(WaitingRecovery, ARunOnAnotherGameKeepsTheListOfTheFirst) {
    KilledWithAnExe w;
    LayOut(w.root / "OTHER", Tree("EAW.EXE=other exe"));
    StorePaths(FolderText(w.root / "OTHER"));
    TakeSecurityCopies(w.root / "OTHER", w.program() / "BACKUPS", OtherCopies::Delete);
    {
        Installation other;
        ASSERT_FALSE(other.paths().GameFolder.empty());
        const auto recoveries = other.recoverLastRun();
        ASSERT_EQ(recoveries.size(), 1u);
        // The copies are the other game's, and the add-on's EAW.EXE needs the first's.
        EXPECT_NE(recoveries[0].why(), "");
        other.clearAll();
    }
    EXPECT_EQ(ReadFile(w.game() / "EAW.EXE"), "addon exe");
    ASSERT_TRUE(fs::exists(w.ledger()));
    GameFolderChoice choice;
    ASSERT_TRUE(choice.choose(w.game()));
    Installation again;
    const FolderOutcome accepted = again.acceptFirstRun(choice, true);
    EXPECT_FALSE(accepted.done());
    EXPECT_NE(accepted.why().find("INSTALLED.TXT"), std::string::npos) << accepted.why();
    EXPECT_NE(ReadFile(w.program() / "BACKUPS" / "EAW.EXE"), "addon exe");
}

// The files a recovery cannot take out stay listed, whatever folder they are in,
// and go at a later start.
TEST(WaitingRecovery, FilesThatCannotBeTakenOutStayListed) {
    KilledWithAnExe w;
    StorePaths("");
    {
        const Blocked held(w.game() / "NEW.TXT");
        if (!held.blocked())
            GTEST_SKIP() << "needs chattr +i (root on Linux)";
        Installation installation;
        const auto recoveries = installation.recoverLastRun();
        ASSERT_EQ(recoveries.size(), 1u);
        EXPECT_EQ(recoveries[0]->failed, std::vector<std::string>{"NEW.TXT"});
    }
    ASSERT_TRUE(fs::exists(w.ledger()));
    EXPECT_NE(ReadFile(w.ledger()).find("WROTE=NEW.TXT"), std::string::npos);
    Installation later;
    later.recoverLastRun();
    EXPECT_EQ(SnapshotOf(w.game()), w.gameBefore);
    EXPECT_FALSE(fs::exists(w.ledger()));
}

// A Clear All that could not take every file out still knows the add-ons' files
// that remain: the next one takes an add-on's GRB_031.SND, which has no security
// copy, for the add-on's and not for the game's.
TEST(WaitingRecovery, ASecondClearAllStillKnowsTheAddonsFiles) {
    ProgramWithGame p("EAW.EXE=game exe");
    p.addon(kGraphics, "SOUND.zip", "GRB_031.SND=addon snd; A.TPC=a");
    Installation installation;
    ASSERT_EQ(installation.install(kGraphics, "SOUND").why(), "");
    {
        const Blocked held(p.game() / "GRB_031.SND");
        if (!held.blocked())
            GTEST_SKIP() << "needs chattr +i (root on Linux)";
        EXPECT_FALSE(installation.clearAll().report().failed.empty());
    }
    const ClearOutcome second = installation.clearAll();
    EXPECT_EQ(second.report().failed, std::vector<std::string>{});
    EXPECT_EQ(SnapshotOf(p.game()), Tree("EAW.EXE=game exe"));
}

// The game's own files an add-on replaced are kept in a folder named after the
// text of the game folder the list names: a list taken on under another spelling
// of its folder, or begun on the second game of a run, still finds them after a kill.
struct ReplacingASave : ProgramWithGame {
    ReplacingASave()
        : ProgramWithGame(kGame) {
        addon(kExes, "SAVES.zip", "CAMPAIGN1.SAV=addon save; NEW.TXT=n");
        LayOut(root / "OTHER", Tree(kGame));
    }
    const FolderSnapshot gameBefore = SnapshotOf(game());
};

TEST(WaitingRecovery, AListTakenOnUnderAnotherSpellingFindsItsKeptFilesAfterAKill) {
    ReplacingASave w;
    ASSERT_EQ(Installation().install(kExes, "SAVES").why(), "");
#ifdef _WIN32
    // Windows finds the folder in any letter case.
    const fs::path spelling = w.root / "eaw";
#else
    const fs::path spelling = w.root / "LINK";
    fs::create_directory_symlink(w.game(), spelling);
#endif
    StorePaths(FolderText(spelling));
    {
        // Another copy of the program works on the folder: the list waits, taken on.
        Installation waited([](const fs::path&) -> std::optional<FolderHold> { return {}; });
        ASSERT_NE(waited.recoverLastRun().at(0).why(), "");
    }
    Installation next;
    next.recoverLastRun();
    next.clearAll();
    EXPECT_EQ(SnapshotOf(w.game()), w.gameBefore);
}

TEST(WaitingRecovery, TheSecondGameOfARunFindsItsKeptFilesAfterAKill) {
    ReplacingASave w;
    {
        Installation run;
        ASSERT_EQ(run.install(kExes, "SAVES").why(), "");
        run.clearAll();
        GameFolderChoice choice;
        ASSERT_TRUE(choice.choose(w.root / "OTHER"));
        ASSERT_TRUE(run.switchTo(choice).done());
        ASSERT_EQ(run.install(kExes, "SAVES").why(), "");
    }
    Installation next;
    next.recoverLastRun();
    next.clearAll();
    EXPECT_EQ(SnapshotOf(w.root / "OTHER"), Tree(kGame));
}

} // namespace

namespace {

fs::path watchedFolder;
bool folderHeld = false;
int changesInFolder = 0, changesUnheld = 0;

void countChange(FileChange, const fs::path& path, const fs::path&) {
    if (!SameFolder(path.parent_path(), watchedFolder))
        return;
    ++changesInFolder;
    changesUnheld += folderHeld ? 0 : 1;
}

// A recovery asks for the lock of the very folder it changes, and holds it for as
// long as it changes it: a copy of the program in another program folder cannot
// start on that folder meanwhile.
TEST(WaitingRecovery, ARecoveryHoldsTheLockOfTheFolderItChanges) {
    KilledWithAnExe w;
    StorePaths("");
    watchedFolder = w.game();
    std::vector<fs::path> asked;
    Installation installation([&asked](const fs::path& folder) -> std::optional<FolderHold> {
        asked.push_back(folder);
        folderHeld = true;
        return FolderHold(nullptr, [](void*) { folderHeld = false; });
    });
    WatchFileChanges(countChange);
    installation.recoverLastRun();
    WatchFileChanges(nullptr);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(SameFolder(asked[0], w.game())) << asked[0];
    EXPECT_GT(changesInFolder, 0);
    EXPECT_EQ(changesUnheld, 0);
    EXPECT_FALSE(folderHeld) << "held after the recovery";
}

} // namespace
