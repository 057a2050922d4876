#include "FolderSnapshot.h"
#include "ProgramWithGame.h"
#include "config/GameFolderChoice.h"
#include "config/PathVariables.h"
#include "library/Installation.h"
#include "platform/FileOperations.h"
#include "platform/NameText.h"

#include <cctype>
#include <gtest/gtest.h>
#include <ostream>

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

// The game out of reach, and another game holding `files`.
fs::path anotherGameHolding(const ProgramWithGame& w, std::string_view files) {
    fs::rename(w.game(), w.root / "EAW away");
    const fs::path other = w.root / "OTHER";
    LayOut(other, Tree(files));
    return other;
}

// Another game with files of the same names, but its own.
fs::path anotherGameSharingNames(const ProgramWithGame& w) {
    return anotherGameHolding(w, "EAW.EXE=other exe; SMACKW32.DLL=other dll; "
                                 "README.TXT=other readme; EAW.CFG=other cfg");
}

// The game moved, and one of the add-on's files changed in it since.
fs::path renamedAndChanged(const ProgramWithGame& w) {
    fs::rename(w.game(), w.root / "EAW moved");
    LayOut(w.root / "EAW moved", Tree("README.TXT=edited by the player"));
    return w.root / "EAW moved";
}

// Another game in which the same add-on was put by hand.
fs::path anotherGameWithTheAddonsFiles(const ProgramWithGame& w) {
    return anotherGameHolding(w, "EAW.EXE=other exe; EXTRA.SPT=game spt; GRB_031.SND=game snd; "
                                 "SMACKW32.DLL=addon dll; README.TXT=addon readme; "
                                 "EAW.CFG=addon cfg");
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

enum class Then {
    TakenOut,  // the picked folder holds the game's own files again, the waiting ends
    Untouched, // another game: accepted as it is, the list waits
    Refused    // maybe the game: not accepted, not touched, the list waits
};

struct Sequence {
    const char* name;
    std::size_t category;
    const char* addon;
    Move move;
    Meanwhile meanwhile;
    Then then;
};

void PrintTo(const Sequence& sequence, std::ostream* out) {
    *out << sequence.name;
}

constexpr const char* kThree = "SMACKW32.DLL=addon dll; README.TXT=addon readme; EAW.CFG=addon cfg";
constexpr const char* kExe = "EAW.EXE=addon exe; NEW.TXT=new";

const Sequence kSequences[] = {
    {"renamed", kGraphics, kThree, renamed, nullptr, Then::TakenOut},
    {"renamed, with an EAW.EXE", kExes, kExe, renamed, nullptr, Then::TakenOut},
    {"copied to another disk", kGraphics, kThree, copiedToAnotherDisk, nullptr, Then::TakenOut},
    {"copied to another disk, with an EAW.EXE", kExes, kExe, copiedToAnotherDisk, nullptr,
     Then::TakenOut},
    {"renamed, a file changed since", kGraphics, kThree, renamedAndChanged, nullptr, Then::Refused},
    {"another game sharing names", kGraphics, kThree, anotherGameSharingNames, nullptr,
     Then::Untouched},
    {"another game with the add-on files", kGraphics, kThree, anotherGameWithTheAddonsFiles,
     nullptr, Then::Refused},
    {"a copy picked, the old folder back in place", kGraphics, kThree, awayThenCopied,
     backInPlaceWithACopy, Then::Untouched},
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
    if (s.then == Then::TakenOut) {
        EXPECT_TRUE(accepted.done()) << accepted.why();
        EXPECT_EQ(NameText(accepted->movedFrom), FolderText(w.game()));
        EXPECT_TRUE(accepted->recovery && !accepted->recovery->putBack.empty());
        EXPECT_EQ(SnapshotOf(picked), gameBefore);
        EXPECT_FALSE(fs::exists(ledger));
        EXPECT_FALSE(fs::exists(w.program() / "BACKUPS" / "KEPT"));
        EXPECT_EQ(ReadFile(w.program() / "BACKUPS" / "EAW.EXE"), "game exe");
    } else {
        EXPECT_EQ(accepted.done(), s.then == Then::Untouched) << accepted.why();
        EXPECT_FALSE(accepted->recovery.has_value());
        EXPECT_EQ(SnapshotOf(picked), pickedBefore);
        EXPECT_TRUE(fs::exists(ledger));
    }
    if (s.then == Then::Refused) {
        EXPECT_NE(accepted.why().find(NameText(w.game())), std::string::npos) << accepted.why();
        EXPECT_NE(accepted.why().find("INSTALLED.TXT"), std::string::npos) << accepted.why();
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
