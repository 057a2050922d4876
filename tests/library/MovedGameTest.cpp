#include "FolderSnapshot.h"
#include "ProgramWithGame.h"
#include "config/GameFolderChoice.h"
#include "library/Installation.h"
#include "platform/FileOperations.h"

#include <cctype>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

constexpr std::size_t kGraphics = 4, kExes = 6;

const std::string kGame = "EAW.EXE=game exe; EAW.INI=game ini; EXTRA.SPT=game spt; "
                          "GRB_031.SND=game snd; SMACKW32.DLL=game dll; README.TXT=game readme; "
                          "EAW.CFG=game cfg; CAMPAIGN1.SAV=save";

// Moves the game before the start, and returns the folder the player picks.
using Move = fs::path (*)(const ProgramWithGame&);
// What happens between the start and the pick.
using Meanwhile = void (*)(const ProgramWithGame&);

fs::path renamed(const ProgramWithGame& w) {
    fs::rename(w.game(), w.root / "EAW moved");
    return w.root / "EAW moved";
}

// A copy to another disk gives every file and folder a new identity.
fs::path copiedToAnotherDisk(const ProgramWithGame& w) {
    const fs::path disk = w.root / "D" / "GAMES" / "EAW";
    fs::create_directories(disk.parent_path());
    fs::copy(w.game(), disk, fs::copy_options::recursive);
    fs::remove_all(w.game());
    return disk;
}

// Another game with files of the same names, but its own.
fs::path anotherGameSharingNames(const ProgramWithGame& w) {
    fs::rename(w.game(), w.root / "EAW away");
    const fs::path other = w.root / "OTHER";
    LayOut(other, Tree("EAW.EXE=other exe; SMACKW32.DLL=other dll; README.TXT=other readme; "
                       "EAW.CFG=other cfg"));
    return other;
}

// Out of reach at the start, the game comes back where it was, and a copy of it,
// add-ons and all, is picked.
fs::path awayThenCopied(const ProgramWithGame& w) {
    fs::rename(w.game(), w.root / "EAW away");
    return w.root / "EAW copy";
}

void backInPlaceWithACopy(const ProgramWithGame& w) {
    fs::copy(w.root / "EAW away", w.root / "EAW copy", fs::copy_options::recursive);
    fs::rename(w.root / "EAW away", w.game());
}

struct Sequence {
    const char* name;
    std::size_t category;
    const char* addon;
    Move move;
    Meanwhile meanwhile;
    bool takenOut; // the picked folder holds the game's own files again, the waiting ends
};

const Sequence kSequences[] = {
    {"renamed", kGraphics, "SMACKW32.DLL=addon dll; README.TXT=addon readme; EAW.CFG=addon cfg",
     renamed, nullptr, true},
    {"renamed, with an EAW.EXE", kExes, "EAW.EXE=addon exe; NEW.TXT=new", renamed, nullptr,
     true},
    {"copied to another disk", kGraphics,
     "SMACKW32.DLL=addon dll; README.TXT=addon readme; EAW.CFG=addon cfg", copiedToAnotherDisk,
     nullptr, true},
    {"copied to another disk, with an EAW.EXE", kExes, "EAW.EXE=addon exe; NEW.TXT=new",
     copiedToAnotherDisk, nullptr, true},
    {"another game sharing names", kGraphics,
     "SMACKW32.DLL=addon dll; README.TXT=addon readme; EAW.CFG=addon cfg",
     anotherGameSharingNames, nullptr, false},
    {"a copy picked, the old folder back in place", kGraphics,
     "SMACKW32.DLL=addon dll; README.TXT=addon readme; EAW.CFG=addon cfg", awayThenCopied,
     backInPlaceWithACopy, false},
};

class MovedGame : public ::testing::TestWithParam<Sequence> {};

// Install, kill, move, start, pick where the game is now, Accept.
TEST_P(MovedGame, IsTakenOutWhereItIsNowOnlyWhenTheRecordsAgree) {
    const Sequence& s = GetParam();
    ProgramWithGame w(kGame);
    const FolderSnapshot gameBefore = SnapshotOf(w.game());
    w.addon(s.category, "ADDON.zip", s.addon);
    {
        Installation killed;
        ASSERT_EQ(killed.install(s.category, "ADDON").why(), "");
    }
    const fs::path picked = s.move(w);
    const fs::path ledger = w.program() / "INSTALLED.TXT";
    Installation started;
    started.recoverLastRun();
    ASSERT_TRUE(fs::exists(ledger));
    if (s.meanwhile)
        s.meanwhile(w);
    const bool oldInPlace = fs::exists(w.game());
    const FolderSnapshot oldBefore = oldInPlace ? SnapshotOf(w.game()) : FolderSnapshot();
    const FolderSnapshot pickedBefore = SnapshotOf(picked);
    GameFolderChoice choice;
    ASSERT_TRUE(choice.choose(picked));
    const FolderOutcome accepted = started.acceptFirstRun(choice, true);
    if (s.takenOut) {
        EXPECT_TRUE(accepted.done()) << accepted.why();
        EXPECT_EQ(SnapshotOf(picked), gameBefore);
        EXPECT_FALSE(fs::exists(ledger));
        EXPECT_FALSE(fs::exists(w.program() / "BACKUPS" / "KEPT"));
        EXPECT_EQ(ReadFile(w.program() / "BACKUPS" / "EAW.EXE"), "game exe");
    } else {
        EXPECT_EQ(SnapshotOf(picked), pickedBefore);
        EXPECT_TRUE(fs::exists(ledger));
    }
    if (oldInPlace) {
        EXPECT_EQ(SnapshotOf(w.game()), oldBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(Sequences, MovedGame, ::testing::ValuesIn(kSequences),
                         [](const auto& info) {
                             std::string name;
                             for (const char c : std::string(info.param.name)) {
                                 if (std::isalnum(static_cast<unsigned char>(c)))
                                     name += c;
                             }
                             return name;
                         });

} // namespace
