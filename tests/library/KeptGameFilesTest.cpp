#include "FolderSnapshot.h"
#include "ProgramWithGame.h"
#include "library/Installation.h"
#include "platform/FileOperations.h"
#include "platform/FolderListing.h"
#include "support/TempFolder.h"
#include "support/WindowsSkips.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

constexpr std::size_t kSkins = 2, kGraphics = 4, kSounds = 5, kExes = 6;

const std::string kGame = "EAW.EXE=game exe; EAW.INI=game ini; SMACKW32.DLL=game dll; "
                          "README.TXT=game readme; EAW.CFG=game cfg; DDRAW.DLL=wrapper";

// Three add-ons that bring files the game has, and files one another brings.
struct Game : ProgramWithGame {
    explicit Game(const std::string& tree = kGame)
        : ProgramWithGame(tree) {
        addon(kGraphics, "GFX.zip",
              "SMACKW32.DLL=gfx dll; README.TXT=gfx readme; EAW.CFG=gfx cfg; CLOUD.PIC=c");
        addon(kSounds, "SND.zip", "README.TXT=snd readme; BANG.WSD=b; ddraw.dll=snd wrapper");
        addon(kSkins, "SKN.zip", "eaw.cfg=skn cfg; SKIN.PIC=s; EAW.INI=skn ini");
    }
    fs::path kept() const { return program() / "BACKUPS" / "KEPT"; }
};

const std::vector<AddonKey> kAddons{{kGraphics, "GFX"}, {kSounds, "SND"}, {kSkins, "SKN"}};

std::string orderText(const std::vector<std::size_t>& order) {
    std::string text;
    for (const std::size_t i : order)
        text += kAddons[i].name + " ";
    return text;
}

// Every order of installing two or three of the add-ons, and every order of
// taking them out: each step by step ends with the game folder as it was.
TEST(KeptGameFiles, EveryOrderOfInstallsAndUninstallsGivesTheGameBack) {
    Game g;
    const FolderSnapshot before = SnapshotOf(g.game());
    const std::vector<std::vector<std::size_t>> sets{{0, 1}, {0, 2}, {1, 2}, {0, 1, 2}};
    for (std::vector<std::size_t> installs : sets) {
        do {
            std::vector<std::size_t> uninstalls = installs;
            std::sort(uninstalls.begin(), uninstalls.end());
            do {
                Installation installation;
                for (const std::size_t i : installs)
                    ASSERT_EQ(installation.install(kAddons[i].category, kAddons[i].name).why(), "");
                for (const std::size_t i : uninstalls) {
                    const UninstallOutcome out = installation.uninstall(kAddons[i]);
                    EXPECT_EQ(out.report().files.failed, std::vector<std::string>{});
                }
                const std::string order =
                    "installed " + orderText(installs) + "uninstalled " + orderText(uninstalls);
                EXPECT_EQ(SnapshotOf(g.game()), before) << order;
                EXPECT_FALSE(fs::exists(g.kept())) << order << "an emptied folder stays";
                EXPECT_FALSE(fs::exists(g.program() / "INSTALLED.TXT")) << order;
            } while (std::next_permutation(uninstalls.begin(), uninstalls.end()));
        } while (std::next_permutation(installs.begin(), installs.end()));
    }
}

// Clear All gives back the game's own files of other types; EAW.INI stays the
// add-on's, for Restore INI to put back.
TEST(KeptGameFiles, ClearAllGivesBackAllButTheIni) {
    Game g;
    FolderSnapshot expected = SnapshotOf(g.game());
    Installation installation;
    for (const AddonKey& addon : kAddons)
        ASSERT_EQ(installation.install(addon.category, addon.name).why(), "");
    EXPECT_EQ(installation.keptFor(kAddons[0]), (std::vector<std::string>{"SMACKW32.DLL"}));
    EXPECT_EQ(installation.clearAll().report().failed, std::vector<std::string>{});
    expected["EAW.INI"] = "skn ini";
    EXPECT_EQ(SnapshotOf(g.game()), expected);
    EXPECT_FALSE(fs::exists(g.program() / "INSTALLED.TXT"));
}

// A replaced file that is read-only, a link, a folder of the name, and a name in
// other letter case: each comes back as the entry it was.
TEST(KeptGameFiles, EntriesOfEveryKindComeBackAsTheyWere) {
    Game g("EAW.EXE=game exe; readme.txt=game readme; EAW.CFG=<dir>; EAW.CFG/IN=x; "
           "SMACKW32.DLL=game dll");
    SetWritable(g.game() / "SMACKW32.DLL", false);
    if (!kOnWindows)
        fs::create_symlink("../ELSEWHERE.DLL", g.game() / "DDRAW.DLL");
    const FolderSnapshot before = SnapshotOf(g.game());
    Installation installation;
    // The folder EAW.CFG stays in the way of the add-on's file of that name.
    EXPECT_NE(installation.install(kGraphics, "GFX").why().find("EAW.CFG"), std::string::npos);
    ASSERT_EQ(installation.install(kSounds, "SND").why(), "");
    EXPECT_EQ(ReadFile(g.game() / "readme.txt"), "snd readme");
    installation.uninstall(kAddons[0]);
    installation.uninstall(kAddons[1]);
    EXPECT_EQ(SnapshotOf(g.game()), before);
    const auto perms = fs::status(g.game() / "SMACKW32.DLL").permissions();
    EXPECT_EQ(perms & fs::perms::owner_write, fs::perms::none);
    if (!kOnWindows) {
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status(g.game() / "DDRAW.DLL")));
    }
    SetWritable(g.game() / "SMACKW32.DLL", true);
}

// A run that ended without Clear All: the next start gives back every file the
// add-ons replaced, the EAW.INI the player edited since the copies included, and
// deletes the temporary files of a member whose extraction the end cut short and
// of a list of installed add-ons whose write it cut short.
TEST(KeptGameFiles, TheStartAfterAKillGivesTheGameItsFilesBack) {
    Game g;
    WriteFile(g.game() / "EAW.INI", "edited since the copies");
    const FolderSnapshot before = SnapshotOf(g.game());
    {
        Installation killed;
        for (const AddonKey& addon : kAddons)
            ASSERT_EQ(killed.install(addon.category, addon.name).why(), "");
    }
    WriteFile(TemporaryNameBeside(g.game() / "BANG.WSD"), "half a member");
    const fs::path halfLedger = TemporaryNameBeside(g.program() / "INSTALLED.TXT");
    WriteFile(halfLedger, "GAME=");
    Installation next;
    EXPECT_FALSE(fs::exists(halfLedger)) << "a killed write's temporary file stays";
    const auto recoveries = next.recoverLastRun();
    ASSERT_EQ(recoveries.size(), 1u);
    EXPECT_EQ(recoveries[0]->addons, (std::vector<std::string>{"GFX", "SND", "SKN"}));
    EXPECT_EQ(recoveries[0]->failed, std::vector<std::string>{});
    EXPECT_EQ(recoveries[0].why(), "");
    EXPECT_EQ(SnapshotOf(g.game()), before);
    EXPECT_FALSE(fs::exists(g.program() / "INSTALLED.TXT"));
}

// A kept file is put back only as it was kept: one changed since (in the same
// size) or put in its place as a link to a file elsewhere stays where it is, is
// told, and the file it links to keeps its bytes.
TEST(KeptGameFiles, AKeptFileNotAsKeptIsNotPutBack) {
    const std::vector<std::pair<std::string, std::function<void(const fs::path&, const fs::path&)>>>
        changes{{"changed in its size",
                 [](const fs::path& kept, const fs::path&) { WriteFile(kept, "evil dll"); }},
                {"replaced by a link", [](const fs::path& kept, const fs::path& outside) {
                     fs::remove(kept);
                     fs::create_symlink(outside, kept);
                 }}};
    for (const auto& [title, change] : changes) {
        if (kOnWindows && title == "replaced by a link")
            continue;
        Game g;
        const fs::path outside = g.root / "OUTSIDE.DLL";
        WriteFile(outside, "player's file");
        {
            Installation killed;
            ASSERT_EQ(killed.install(kGraphics, "GFX").why(), "");
        }
        const FolderSnapshot keptFiles = SnapshotOf(g.kept());
        ASSERT_EQ(keptFiles.size(), 4u) << "a folder and three files";
        change(g.kept() / keptFiles.begin()->first / "SMACKW32.DLL", outside);
        const auto recoveries = Installation().recoverLastRun();
        ASSERT_EQ(recoveries.size(), 1u) << title;
        EXPECT_FALSE(fs::exists(fs::symlink_status(g.game() / "SMACKW32.DLL"))) << title;
        EXPECT_EQ(recoveries[0]->notAsKept, std::vector<std::string>{"SMACKW32.DLL"}) << title;
        EXPECT_EQ(ReadFile(g.game() / "README.TXT"), "game readme") << title;
        EXPECT_EQ(ReadFile(outside), "player's file") << title;
    }
}

// A kill while the kept files went back leaves some of the game's own in place
// with the ledger still listing the add-on's: they are the game's, not "something else".
TEST(KeptGameFiles, AGameFileAlreadyBackIsNotCalledSomethingElse) {
    Game g;
    const FolderSnapshot before = SnapshotOf(g.game());
    {
        Installation killed;
        ASSERT_EQ(killed.install(kGraphics, "GFX").why(), "");
    }
    WriteFile(g.game() / "SMACKW32.DLL", "game dll");
    const auto recoveries = Installation().recoverLastRun();
    ASSERT_EQ(recoveries.size(), 1u);
    EXPECT_EQ(recoveries[0]->notTheirs, std::vector<std::string>{});
    EXPECT_EQ(SnapshotOf(g.game()), before);
}

// What the player put in place of an add-on's file since the kill, in the same
// size, is told apart by its CRC: it stays, and is named as something else.
TEST(KeptGameFiles, APlayersFileOfTheAddonsSizeStays) {
    Game g;
    {
        Installation killed;
        ASSERT_EQ(killed.install(kSounds, "SND").why(), "");
    }
    WriteFile(g.game() / "BANG.WSD", "p");
    const auto recoveries = Installation().recoverLastRun();
    ASSERT_EQ(recoveries.size(), 1u);
    EXPECT_EQ(recoveries[0]->notTheirs, std::vector<std::string>{"BANG.WSD"});
    EXPECT_EQ(ReadFile(g.game() / "BANG.WSD"), "p");
}

// A power cut after an install of the last release could leave a replaced file
// empty, or at its length with zeros, under the add-on's name: the start after it
// puts the game's kept file back rather than calling the husk something else.
TEST(KeptGameFiles, AFileAPowerCutEmptiedGivesWayToTheGamesOwn) {
    for (const std::string& husk : {std::string(), std::string(11, '\0')}) {
        Game g;
        const FolderSnapshot before = SnapshotOf(g.game());
        {
            Installation killed;
            ASSERT_EQ(killed.install(kSounds, "SND").why(), "");
        }
        WriteFile(g.game() / "DDRAW.DLL", husk);
        WriteFile(g.game() / "README.TXT", husk);
        const auto recoveries = Installation().recoverLastRun();
        ASSERT_EQ(recoveries.size(), 1u);
        EXPECT_EQ(recoveries[0]->notTheirs, std::vector<std::string>{}) << husk.size();
        EXPECT_EQ(SnapshotOf(g.game()), before) << husk.size();
    }
}

// Without security copies (BACKUPS emptied, or never filled) the protected files
// an add-on replaces are kept like the game's others: its uninstall, Clear All,
// and the start after a kill each give the game its own EAW.EXE and EXTRA.SPT back.
TEST(KeptGameFiles, WithoutCopiesTheProtectedFilesAreKeptToo) {
    using Run = std::unique_ptr<Installation>;
    const std::vector<std::pair<std::string, std::function<void(Run&)>>> endings{
        {"uninstall",
         [](Run& run) {
             run->uninstall({kExes, "NEWEXE"});
         }},
        {"Clear All", [](Run& run) { run->clearAll(); }},
        {"kill", [](Run& run) {
             run.reset();
             Installation().recoverLastRun();
         }}};
    for (const auto& [title, end] : endings) {
        Game g("EAW.EXE=game exe; EXTRA.SPT=game spt; EAW.INI=game ini");
        g.addon(kExes, "NEWEXE.zip", "EAW.EXE=addon exe; EXTRA.SPT=addon spt; NEW.PIC=n");
        for (const auto& copy : fs::directory_iterator(g.program() / "BACKUPS"))
            fs::remove(copy.path());
        const FolderSnapshot before = SnapshotOf(g.game());
        Run run = std::make_unique<Installation>();
        ASSERT_EQ(run->install(kExes, "NEWEXE").why(), "") << title;
        end(run);
        EXPECT_EQ(SnapshotOf(g.game()), before) << title;
    }
}

// A game file that cannot be kept stops the install before the game folder changes.
TEST(KeptGameFiles, AFileThatCannotBeKeptRefusesTheInstall) {
    Game g;
    WriteFile(g.kept(), "a file where the folder must go");
    const FolderSnapshot before = SnapshotOf(g.game());
    Installation installation;
    const InstallOutcome outcome = installation.install(kGraphics, "GFX");
    EXPECT_NE(outcome.why().find("could not be kept"), std::string::npos) << outcome.why();
    EXPECT_EQ(SnapshotOf(g.game()), before);
    EXPECT_TRUE(installation.installed().inOrder().empty());
    EXPECT_EQ(installation.conflictLine(kGraphics, "GFX"), "the game (3)");
}

// Putting the game's files back reads the game folder a few times, however many
// go back: a walk of the folder for each free name took seconds for thousands.
TEST(KeptGameFiles, PuttingFilesBackReadsTheGameFolderAFewTimesWhateverTheirNumber) {
    std::string tree = kGame, members;
    for (int i = 0; i < 40; ++i) {
        tree += "; MAP" + std::to_string(i) + ".TXT=game map";
        members += "MAP" + std::to_string(i) + ".TXT=terrain map; ";
    }
    for (const bool afterAKill : {false, true}) {
        Game g(tree);
        g.addon(kGraphics, "MAPS.zip", members);
        const FolderSnapshot before = SnapshotOf(g.game());
        auto installation = std::make_unique<Installation>();
        ASSERT_EQ(installation->install(kGraphics, "MAPS").why(), "");
        if (afterAKill) {
            installation.reset();
            installation = std::make_unique<Installation>();
        }
        int reads = 0;
        SetFolderReadHook([&reads, &g](const fs::path& folder) {
            std::error_code ec;
            reads += fs::equivalent(folder, g.game(), ec);
        });
        const std::string why = afterAKill ? installation->recoverLastRun().at(0).why()
                                           : installation->uninstall({kGraphics, "MAPS"}).why();
        SetFolderReadHook({});
        EXPECT_EQ(why, "") << afterAKill;
        EXPECT_LE(reads, 10) << afterAKill; // of 40 files
        EXPECT_EQ(SnapshotOf(g.game()), before) << afterAKill;
    }
}

} // namespace
