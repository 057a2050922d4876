#include "FolderSnapshot.h"
#include "config/AddonCategory.h"
#include "config/PathVariables.h"
#include "library/CopiesRecord.h"
#include "library/Installation.h"
#include "maintenance/AddonDeletion.h"
#include "platform/IniFile.h"
#include "platform/NameText.h"
#include "support/CurrentFolder.h"
#include "support/InstallAddon.h"
#include "support/TempFolder.h"
#include "support/WindowsSkips.h"
#include "support/ZipBuilder.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;
using Strings = std::vector<std::string>;

namespace {

constexpr std::size_t kFlightModels = 0, kGraphics = 4;

// A game folder GAME/ and its BACKUPS/ beside the program folder Quorvel/, the
// operations run on them through the program's own Installation.
struct Scene {
    TempFolder root;
    std::optional<Installation> running;
    std::string told; // the lines telling of files not put back

    fs::path game() const { return root / "GAME"; }
    fs::path backups() const { return root / "BACKUPS"; }
    // F is a flight model, every other add-on a graphics one.
    static AddonKey key(const std::string& addon) {
        return {addon == "F" ? kFlightModels : kGraphics, addon};
    }
    fs::path archive(const std::string& addon) const {
        return root / "Quorvel" / kAddonCategories[key(addon).category].folderName /
               (addon + ".zip");
    }
    // Started at its first operation, on the copies BACKUPS holds then.
    Installation& installation() {
        if (!running) {
            EXPECT_TRUE(RecordCopies(backups(), game()));
            running.emplace();
            EXPECT_FALSE(running->paths().GameFolder.empty()) << running->whyFolderUnused();
        }
        return *running;
    }
    // What the operations leave outside the program folder; the kept game files are
    // KeptGameFiles' to check.
    FolderSnapshot after() const {
        FolderSnapshot scene;
        for (auto& [name, content] : SnapshotOf(root.path()))
            if (!name.starts_with("Quorvel") && !name.starts_with("BACKUPS/KEPT"))
                scene[name] = content;
        scene.erase("BACKUPS/" + std::string(kCopiesRecordName));
        return scene;
    }
};

using Step = std::function<void(Scene&)>;

// Progress rises by one from the first report to the last, which is its total (a
// dialog would otherwise stop short of its end).
struct Progress {
    std::vector<std::pair<std::size_t, std::size_t>> calls;
    auto report() {
        return [this](std::size_t done, std::size_t total) { calls.emplace_back(done, total); };
    }
    ~Progress() {
        EXPECT_FALSE(calls.empty());
        for (std::size_t i = 0; i < calls.size(); ++i)
            EXPECT_EQ(calls[i], std::make_pair(i + 1, calls.size()));
    }
};

Step install(const std::string& addon) {
    return [addon](Scene& s) {
        Progress progress;
        const InstallOutcome outcome =
            s.installation().install(Scene::key(addon).category, addon, progress.report());
        EXPECT_TRUE(outcome.done()) << addon << ": " << outcome.why();
    };
}

Step uninstall(const std::string& addon) {
    return [addon](Scene& s) {
        const UninstallOutcome outcome = s.installation().uninstall(Scene::key(addon));
        EXPECT_EQ(outcome.why(), "");
        EXPECT_EQ(outcome.report().files.failed, Strings());
        EXPECT_EQ(s.installation().installed().find(Scene::key(addon)), nullptr);
        if (!outcome.report().lost.empty())
            s.told += LostFilesText(outcome.report().lost) + "\n";
    };
}

// Names recorded by hand rather than by an install.
Step deleteNames(const Strings& names) {
    return [names](Scene& s) {
        EXPECT_EQ(UninstallAddon(s.game(), names, s.backups()).failed, Strings());
    };
}

// The add-on's archive written anew with `members`, or deleted when there are none.
Step archiveBecomes(const std::string& addon, const std::string& members) {
    return [addon, members](Scene& s) {
        fs::remove(s.archive(addon));
        if (!members.empty())
            MakeArchive(s.archive(addon), Tree(members));
    };
}

const Step clearAll = [](Scene& s) {
    Progress progress;
    const ClearOutcome outcome = s.installation().clearAll(progress.report());
    EXPECT_TRUE(outcome.done()) << outcome.why();
    EXPECT_EQ(outcome.report().failed, Strings());
};
const Step clearAllWithoutCopies = [](Scene& s) {
    EXPECT_EQ(ClearAll(s.game(), {}, AddonFileRecord()).failed, Strings());
};
// Copies taken as a whole are recorded as the game's.
const Step takeCopies = [](Scene& s) {
    EXPECT_TRUE(TakeSecurityCopies(s.game(), s.backups()).done());
    EXPECT_EQ(CheckCopies(s.backups(), s.game()), CopiesState::OfThisGame);
};
const Step replaceCopies = [](Scene& s) {
    EXPECT_TRUE(TakeSecurityCopies(s.game(), s.backups(), OtherCopies::Delete).done());
    EXPECT_EQ(CheckCopies(s.backups(), s.game()), CopiesState::OfThisGame);
};
const Step replaceCopiesFails = [](Scene& s) {
    EXPECT_FALSE(TakeSecurityCopies(s.game(), s.backups(), OtherCopies::Delete).done());
};
const Step restoreIni = [](Scene& s) { RestoreIni(s.game(), s.backups()); };

template <typename... Steps> std::vector<Step> steps(const Steps&... each) {
    return {each...};
}

// Each add-on's name followed by its archive's members as Tree() reads them.
using Addons = std::vector<std::pair<std::string, std::string>>;
template <typename... Texts> Addons addons(const Texts&... texts) {
    const Strings all{texts...};
    Addons result;
    for (std::size_t i = 0; i + 1 < all.size(); i += 2)
        result.emplace_back(all[i], all[i + 1]);
    return result;
}

// Everything lies under one root: GAME/, BACKUPS/ and what is beside them,
// written as Tree() reads it.
struct SceneCase {
    std::string title;
    std::string before;
    Addons addons;
    std::vector<Step> steps;
    std::string after;     // GAME/ and BACKUPS/ themselves need not be named
    Strings told = {};     // the start of each line telling of a file not put back
    Strings readOnly = {}; // entries of `before` with the read-only attribute
};

void PrintTo(const SceneCase& c, std::ostream* out) {
    *out << c.title;
}

class GameFolderScene : public testing::TestWithParam<SceneCase> {};

TEST_P(GameFolderScene, LeavesTheExpectedFolders) {
    const SceneCase& c = GetParam();
    if (const char* reason = WhyNotOnWindows(Tree(c.before)); kOnWindows && reason)
        GTEST_SKIP() << reason;
    Scene scene;
    MakeProgramFolder(scene.root / "Quorvel");
    StorePaths(FolderText(scene.game()));
    WriteIniValue(ConfigFile(), "PATH", "RUTABACKUPS", FolderText(scene.backups()));
    const std::string folders = "GAME=<dir>; BACKUPS=<dir>; ";
    LayOut(scene.root.path(), Tree(folders + c.before));
    for (const std::string& entry : c.readOnly)
        SetWritable(scene.root / entry, false);
    for (const auto& [addon, members] : c.addons)
        archiveBecomes(addon, members)(scene);

    for (const Step& step : c.steps)
        step(scene);

    for (const std::string& entry : c.readOnly)
        SetWritable(scene.root / entry, true);
    EXPECT_EQ(scene.after(), Tree(folders + c.after));
    std::istringstream told(scene.told);
    std::string line;
    for (const std::string& start : c.told)
        EXPECT_TRUE(std::getline(told, line) && line.starts_with(start)) << line;
    EXPECT_FALSE(std::getline(told, line)) << line;
}

const std::string kCopies = "BACKUPS/EAW.EXE=game exe; BACKUPS/EAW.INI=game ini; "
                            "BACKUPS/EXTRA.SPT=game spt; BACKUPS/GRB_031.SND=game snd; ";
const std::string kExe = "GAME/EAW.EXE=exe; ";
const std::string kRestored =
    "GAME/EAW.EXE=game exe; GAME/EXTRA.SPT=game spt; GAME/GRB_031.SND=game snd; ";

// Graphics add-ons A, B and C write one name in three cases; A and B share more.
const std::string kA = "SHARED.TPC=a; a.pic=a; both.cpt=a";
const std::string kB = "shared.tpc=b; B.PIC=b; BOTH.CPT=b";
const std::string kC = "Shared.Tpc=c";
const Addons kAB = addons("A", kA, "B", kB);
const Addons kABC = addons("A", kA, "B", kB, "C", kC);
const Step installA = install("A"), installB = install("B"), installC = install("C");

// Games installed from a CD carry the read-only attribute on their files, which
// Windows will neither replace nor delete until it is cleared.
const std::string kReadOnlyGame = "GAME/EAW.EXE=mine; GAME/MAP.TPC=old; BACKUPS/EAW.EXE=copy; ";
const Strings kReadOnly{"GAME/EAW.EXE", "GAME/MAP.TPC", "BACKUPS/EAW.EXE"};

const SceneCase kScenes[] = {
    {"InstallFindsTheArchiveInAnyCaseAndWritesFlat", kExe,
     addons("Spitfire Mk1", "FM/=<dir>; FM/SPIT.FLT=fm; readme.txt=r"),
     steps(install("SPITFIRE MK1")), kExe + "GAME/SPIT.FLT=fm; GAME/readme.txt=r"},
    // The game's own plane.flt was kept aside when the add-on replaced it.
    {"UninstallTakesOutWhatTheInstallWroteAndPutsTheGamesFilesBack",
     "GAME/plane.flt=old; GAME/KEEP.TER=k; GAME/EAW.EXE=addon; BACKUPS/EAW.EXE=game exe",
     addons("A", "PLANE.FLT=new; MAP.TER=m"), steps(installA, uninstall("A")),
     "GAME/plane.flt=old; GAME/KEEP.TER=k; GAME/EAW.EXE=addon; BACKUPS/EAW.EXE=game exe"},
    {"ProtectedFilesTakenAwayComeBackWithoutTheArchive",
     kCopies + "GAME/EAW.EXE=game exe; GAME/OTHER.DAT=mine",
     addons("EXE", "bin/eaw.exe=addon exe; GRB_031.SND=addon snd"),
     steps(install("EXE"), archiveBecomes("EXE", ""), uninstall("EXE")),
     kCopies + kRestored + "GAME/OTHER.DAT=mine"},
    // An add-on's EAW.INI goes back to the game's own: the one it replaced, else the
    // security copy.
    {"AnAddonsIniMakesWayForTheSecurityCopy", kCopies + "GAME/EAW.EXE=game exe",
     addons("A", "EAW.INI=addon ini; A.PIC=a"), steps(installA, uninstall("A")),
     kCopies + kRestored + "GAME/EAW.INI=game ini"},
    {"AnAddonsIniMakesWayForTheGamesOwnEditedOne",
     kCopies + "GAME/EAW.EXE=game exe; GAME/EAW.INI=edited",
     addons("A", "EAW.INI=addon ini; A.PIC=a"), steps(installA, uninstall("A")),
     kCopies + kRestored + "GAME/EAW.INI=edited"},
    {"NamesRecordedByHandAreFoundInAnyCaseAndReachNothingOutside",
     "OUTSIDE.TXT=o; GAME/plane.flt=p; GAME/MAP.TER=m; GAME/MAPS/X.TER=x; GAME/KEEP=k", addons(),
     steps(deleteNames(
         {"PLANE.FLT", "map.ter", "GONE", "MAPS", "../OUTSIDE.TXT", "", ".", "/OUTSIDE.TXT"})),
     "OUTSIDE.TXT=o; GAME/MAPS=<dir>; GAME/MAPS/X.TER=x; GAME/KEEP=k"},
    {"UninstallDeletesALinkNotWhatItPointsTo", "OUTSIDE.TXT=o; GAME/LINK.TXT=-> ../OUTSIDE.TXT",
     addons(), steps(deleteNames({"LINK.TXT"})), "OUTSIDE.TXT=o"},

    // Add-ons sharing names: an uninstall leaves each name to the add-on that
    // wrote it last of those still installed.
    {"FirstOfTwoLeavesTheSecondsBytes", kExe, kAB, steps(installA, installB, uninstall("A")),
     kExe + "GAME/SHARED.TPC=b; GAME/B.PIC=b; GAME/both.cpt=b"},
    {"SecondOfTwoPutsTheFirstsBack", kExe, kAB, steps(installA, installB, uninstall("B")),
     kExe + "GAME/SHARED.TPC=a; GAME/a.pic=a; GAME/both.cpt=a"},
    {"SecondThenFirstLeaveOnlyThePlayersFiles", kExe + "GAME/OWN.TXT=mine", kAB,
     steps(installA, installB, uninstall("B"), uninstall("A")), kExe + "GAME/OWN.TXT=mine"},
    {"ThreeMiddleFirst", kExe, kABC, steps(installA, installB, installC, uninstall("B")),
     kExe + "GAME/SHARED.TPC=c; GAME/a.pic=a; GAME/both.cpt=a"},
    {"ThreeMiddleThenLast", kExe, kABC,
     steps(installA, installB, installC, uninstall("B"), uninstall("C")),
     kExe + "GAME/SHARED.TPC=a; GAME/a.pic=a; GAME/both.cpt=a"},
    {"ThreeAcrossCategories", kExe, addons("A", kA, "F", kC, "B", kB),
     steps(installA, install("F"), installB, uninstall("B"), uninstall("A")),
     kExe + "GAME/SHARED.TPC=c"},
    {"OnlyTheSharedNamesArePutBack", kExe, addons("A", "SHARED.TPC=a", "B", kB),
     steps(installA, installB, uninstall("B")), kExe + "GAME/SHARED.TPC=a"},
    {"RemainingArchiveGoneDeletesAndTells", kExe, kAB,
     steps(installA, installB, archiveBecomes("A", ""), uninstall("B")), kExe + "GAME/a.pic=a",
     Strings{"both.cpt of A could not be put back and is deleted: ",
             "SHARED.TPC of A could not be put back and is deleted: "}},
    // The add-on that kept the name no longer counts it: C's uninstall deletes it
    // without a second word.
    {"AMemberNoLongerInTheArchiveIsDeletedAndTold", kExe,
     addons("A", "SHARED.TPC=a", "B", "SHARED.TPC=b", "C", kC),
     steps(installA, installB, archiveBecomes("A", "OTHER.TPC=a"), uninstall("B"), installC,
           uninstall("C")),
     kExe,
     Strings{"SHARED.TPC of A could not be put back and is deleted: its archive no longer holds "
             "it"}},

    // Clear All: the 21 game file types go, the protected files come back.
    {"ClearAllDeletesTheGameTypesAndRestoresProtectedFilesInAnyCase",
     kCopies + "GAME/a.tpc=; GAME/B.3DZ=; GAME/c.Cpt=; GAME/D.DAT=; GAME/E.FLT=; GAME/F.FNT=; "
               "GAME/G.FSP=; GAME/H.SND=; GAME/I.MNU=; GAME/J.SMK=; GAME/K.ADP=; GAME/L.PIC=; "
               "GAME/M.MPC=; GAME/N.PAL=; GAME/O.RAW=; GAME/P.SPT=; GAME/Q.TER=; GAME/R.STR=; "
               "GAME/S.WSD=; GAME/T.WSP=; GAME/u.hm=; GAME/.TPC=; GAME/A.B.WSP=; "
               "GAME/X.HMM=x; GAME/TPC=t; GAME/X.TPC.BAK=b; GAME/EAW.INI=edited; "
               "GAME/EAW.EXE=addon; GAME/extra.spt=addon",
     addons(), steps(clearAll),
     kCopies + "GAME/EAW.EXE=game exe; GAME/extra.spt=game spt; GAME/GRB_031.SND=game snd; "
               "GAME/X.HMM=x; GAME/TPC=t; GAME/X.TPC.BAK=b; GAME/EAW.INI=edited"},
    {"ClearAllLeavesFoldersAndReplacesLinksNotWhatTheyPointTo",
     kCopies + "OUTSIDE.TER=o; OUTSIDE.EXE=o; GAME/MAPS.DAT/IN.DAT=i; GAME/SUB/DEEP.TPC=d; "
               "GAME/LINK.TER=-> ../OUTSIDE.TER; GAME/EAW.EXE=-> ../OUTSIDE.EXE",
     addons(), steps(clearAll),
     kCopies + kRestored +
         "OUTSIDE.TER=o; OUTSIDE.EXE=o; GAME/MAPS.DAT=<dir>; "
         "GAME/MAPS.DAT/IN.DAT=i; GAME/SUB=<dir>; GAME/SUB/DEEP.TPC=d"},
    // Without a security copy, the game's own protected file stays and an add-on's
    // goes, whatever letter case the add-on wrote it in.
    {"ClearAllKeepsOnlyTheGamesProtectedFilesWithoutCopy",
     "BACKUPS/EAW.EXE=game exe; GAME/EAW.EXE=mine; GAME/extra.spt=game spt; GAME/OTHER.SPT=o",
     addons("X", "Grb_031.Snd=addon snd; A.TPC=addon"), steps(install("X"), clearAll),
     "BACKUPS/EAW.EXE=game exe; GAME/EAW.EXE=game exe; GAME/extra.spt=game spt"},
    {"ClearAllWithoutBackupFolderKeepsProtectedFiles",
     kCopies + "GAME/EXTRA.SPT=mine; GAME/A.SPT=a; GAME/EAW.EXE=mine", addons(),
     steps(clearAllWithoutCopies), kCopies + "GAME/EXTRA.SPT=mine; GAME/EAW.EXE=mine"},

    // Security copies and Restore INI.
    {"CopiesOfTheProtectedFilesThatExistAreTaken",
     "GAME/eaw.exe=exe; GAME/EAW.INI=ini; GAME/Extra.Spt=spt; GAME/grb_031.snd=snd; "
     "GAME/OTHER.DAT=d; BACKUPS/EAW.EXE=stale",
     addons(), steps(takeCopies),
     "GAME/eaw.exe=exe; GAME/EAW.INI=ini; GAME/Extra.Spt=spt; GAME/grb_031.snd=snd; "
     "GAME/OTHER.DAT=d; BACKUPS/EAW.EXE=exe; BACKUPS/EAW.INI=ini; BACKUPS/EXTRA.SPT=spt; "
     "BACKUPS/GRB_031.SND=snd"},
    // A copy of a file this game lacks is another game's, and a new copy left
    // beside the old ones is a killed swap's: neither stays beside the new copies.
    {"CopiesOfAnotherGameAndOfAKilledSwapGo",
     "BACKUPS/EXTRA.SPT=other game; BACKUPS/EAW.EXE.quorvel-new=half; BACKUPS/NOTE.TXT=n; "
     "GAME/eaw.exe=exe",
     addons(), steps(takeCopies), "BACKUPS/EAW.EXE=exe; BACKUPS/NOTE.TXT=n; GAME/eaw.exe=exe"},
    {"ANewGameFoldersCopiesReplaceTheBackupFoldersFiles",
     "BACKUPS/EAW.EXE=old; BACKUPS/EXTRA.SPT=old; BACKUPS/NOTE.TXT=n; BACKUPS/SUB=<dir>; "
     "GAME/eaw.exe=new exe; GAME/EAW.INI=new ini",
     addons(), steps(replaceCopies),
     "BACKUPS/EAW.EXE=new exe; BACKUPS/EAW.INI=new ini; BACKUPS/SUB=<dir>; "
     "GAME/eaw.exe=new exe; GAME/EAW.INI=new ini"},
    // GRB_031.SND cannot be copied: the old copies stay, all of them, and nothing
    // half-made is left beside them.
    {"NewCopiesThatCannotAllBeTakenLeaveTheOldOnes",
     "BACKUPS/EAW.EXE=old; BACKUPS/GRB_031.SND=old snd; BACKUPS/NOTE.TXT=n; "
     "GAME/eaw.exe=new exe; GAME/EAW.INI=new ini; GAME/GRB_031.SND=<dir>",
     addons(), steps(replaceCopiesFails),
     "BACKUPS/EAW.EXE=old; BACKUPS/GRB_031.SND=old snd; BACKUPS/NOTE.TXT=n; "
     "GAME/eaw.exe=new exe; GAME/EAW.INI=new ini; GAME/GRB_031.SND=<dir>"},
    {"RestoreIniReplacesTheGamesIniOfAnyCase", "GAME/eaw.ini=edited; BACKUPS/EAW.INI=saved",
     addons(), steps(restoreIni), "GAME/eaw.ini=saved; BACKUPS/EAW.INI=saved"},
    {"RestoreIniPutsBackAMissingIni", "BACKUPS/eaw.INI=saved", addons(), steps(restoreIni),
     "GAME/EAW.INI=saved; BACKUPS/eaw.INI=saved"},
    {"RestoreIniWithoutCopyKeepsTheIni", "GAME/EAW.INI=edited", addons(), steps(restoreIni),
     "GAME/EAW.INI=edited"},

    {"ReadOnlyFilesUninstalled", kReadOnlyGame, addons(), steps(deleteNames({"MAP.TPC"})),
     "GAME/EAW.EXE=mine; BACKUPS/EAW.EXE=copy", Strings(), kReadOnly},
    {"ReadOnlyFilesCleared", kReadOnlyGame, addons(), steps(clearAll),
     "GAME/EAW.EXE=copy; BACKUPS/EAW.EXE=copy", Strings(), kReadOnly},
    {"ReadOnlyFileExtractedOver", kReadOnlyGame, addons("A", "MAP.TPC=new"), steps(installA),
     kReadOnlyGame + "GAME/MAP.TPC=new", Strings(), kReadOnly},
    {"ReadOnlyFilesCopied", kReadOnlyGame, addons(), steps(takeCopies),
     kReadOnlyGame + "BACKUPS/EAW.EXE=mine", Strings(), kReadOnly},
};

INSTANTIATE_TEST_SUITE_P(Operations, GameFolderScene, testing::ValuesIn(kScenes),
                         [](const auto& info) { return info.param.title; });

// An empty folder setting never stands for the current folder: run there, each
// operation with a folder left empty changes nothing.
TEST(GameFolderOperations, AnEmptyFolderIsNeverTheCurrentFolder) {
    TempFolder root;
    const fs::path here = root.path(), none;
    LayOut(here, Tree("EAW.EXE=e; EAW.INI=i; MAP.TPC=m; alpha.txt=t; .zip=z; "
                      "BACKUPS/EAW.EXE=copy; BACKUPS/EAW.INI=copy"));
    MakeZip(here / "ALPHA.ZIP", {{"NEW.TXT", "new"}});
    const FolderSnapshot before = SnapshotOf(here);
    const CurrentFolder current(here);
    const std::function<void()> operations[] = {
        [&] { EXPECT_FALSE(InstallAddon(none, "ALPHA", here).done()); },
        [&] { EXPECT_FALSE(InstallAddon(here, "ALPHA", none).done()); },
        [&] {
            UninstallAddon(none, {"EAW.EXE", "MAP.TPC"}, here / "BACKUPS");
        },
        [&] { ClearAll(none, here / "BACKUPS", AddonFileRecord()); },
        [&] { RestoreIni(none, here / "BACKUPS"); },
        [&] { TakeSecurityCopies(none, here / "BACKUPS"); },
        [&] { TakeSecurityCopies(here / "BACKUPS", none); },
        [&] { TakeSecurityCopies(here / "BACKUPS", here / "BACKUPS" / ".", OtherCopies::Delete); },
        [&] { DeleteAddonFiles(none, "ALPHA"); },
        [&] { DeleteAddonFiles(here, ""); },
    };
    for (const auto& operation : operations) {
        operation();
        EXPECT_EQ(SnapshotOf(here), before) << "operation " << &operation - operations;
    }
}

} // namespace
