#include "library/Installation.h"

#include "FolderSnapshot.h"
#include "ProgramWithGame.h"
#include "config/GameFolderChoice.h"
#include "config/PathVariables.h"
#include "library/CopiesRecord.h"
#include "library/SecurityCopies.h"
#include "platform/NameText.h"
#include "support/Blocked.h"
#include "support/TempFolder.h"
#include "support/WindowsSkips.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

constexpr std::size_t kGraphics = 4, kExes = 6;

const std::string kGame =
    "EAW.EXE=game exe; EAW.INI=game ini; GRB_031.SND=game snd; PILOTS.DAT=pilots; SKY.TPC=sky";

struct Program : ProgramWithGame {
    explicit Program(const std::function<void(const fs::path&)>& makeGameFolder = {})
        : ProgramWithGame(kGame, makeGameFolder) {}
};

// Linux holds "dup.zip" beside "DUP.ZIP": two add-ons. The file put back after an
// uninstall, and the preview's line, come from the archive the add-on was
// installed from, never from its case twin.
TEST(Installation, CaseTwinsEachUseTheirOwnArchive) {
    if (kOnWindows)
        GTEST_SKIP() << kNeedsCaseTwins;
    Program p;
    p.addon(kGraphics, "dup.zip", "SHARED.TPC=lower");
    p.addon(kGraphics, "DUP.ZIP", "SHARED.TPC=upper; MORE.TPC=upper");
    p.addon(kGraphics, "X.zip", "SHARED.TPC=x; MORE.TPC=x");
    Installation installation;
    installation.install(kGraphics, "X");
    EXPECT_EQ(installation.conflictLine(kGraphics, "dup"), "X (1)");
    EXPECT_EQ(installation.conflictLine(kGraphics, "DUP"), "X (2)");
    installation.uninstall({kGraphics, "X"});
    installation.install(kGraphics, "dup");
    installation.install(kGraphics, "X");
    EXPECT_EQ(installation.installed().inOrder().back().replaced, "DUP (1)");
    installation.uninstall({kGraphics, "X"});
    EXPECT_EQ(ReadFile(p.game() / "SHARED.TPC"), "lower");
}

// An extraction that is not done leaves the install not done, in the
// extraction's own words, and records nothing.
TEST(Installation, AnExtractionNotDoneIsAnInstallNotDone) {
    Program p;
    WriteFile(p.program() / "GRAPHICS" / "BAD.zip", "not a zip archive");
    Installation installation;
    const InstallOutcome outcome = installation.install(kGraphics, "BAD");
    ASSERT_TRUE(outcome->extraction);
    EXPECT_FALSE(outcome.done());
    EXPECT_EQ(outcome.why(), outcome->extraction->why());
    EXPECT_TRUE(installation.installed().inOrder().empty());
}

// An extraction that stops part-way (a worker that cannot start, say) leaves the
// add-on recorded with every name it may have written, so its uninstall takes
// them out again.
TEST(Installation, AnInstallThatStopsPartWayStaysRecordedToBeTakenOut) {
    Program p;
    p.addon(kGraphics, "A.zip", "A1.PIC=a; A2.PIC=a; A3.PIC=a; A.TXT=a");
    const FolderSnapshot before = SnapshotOf(p.game());
    Installation installation;
    const InstallOutcome outcome =
        installation.install(kGraphics, "A", [](std::size_t, std::size_t) {
            throw std::runtime_error("no thread could be started");
        });
    EXPECT_EQ(outcome.why(), "no thread could be started");
    const InstalledAddon* partly = installation.installed().find({kGraphics, "A"});
    ASSERT_NE(partly, nullptr);
    EXPECT_TRUE(partly->partly);
    EXPECT_EQ(partly->writtenNames.size(), 4u);
    EXPECT_EQ(installation.uninstall({kGraphics, "A"}).report().files.failed,
              std::vector<std::string>{});
    EXPECT_EQ(SnapshotOf(p.game()), before);
}

// The list of installed add-ons cannot be written (a folder holds its name): an
// install is refused before the game folder changes; after an uninstall or Clear
// All the failure is kept for the window to tell, once.
TEST(Installation, AListOfInstalledAddonsThatCannotBeWrittenIsTold) {
    Program p;
    p.addon(kGraphics, "A.zip", "A.PIC=a");
    const fs::path list = p.program() / "INSTALLED.TXT";
    const auto blockList = [&list] {
        fs::remove(list);
        WriteFile(list / "KEEP", "k");
    };
    const std::function<void(Installation&)> operations[] = {
        [](Installation& installation) {
            installation.uninstall({kGraphics, "A"});
        },
        [](Installation& installation) { installation.clearAll(); },
    };
    for (const auto& operation : operations) {
        Installation installation;
        ASSERT_EQ(installation.install(kGraphics, "A").why(), "");
        EXPECT_EQ(installation.takeLedgerFailure(), "");
        blockList();
        operation(installation);
        EXPECT_NE(installation.takeLedgerFailure(), "");
        EXPECT_EQ(installation.takeLedgerFailure(), "");
        fs::remove_all(list);
    }
    blockList();
    const FolderSnapshot before = SnapshotOf(p.game());
    Installation installation;
    EXPECT_NE(installation.install(kGraphics, "A").why(), "");
    EXPECT_EQ(SnapshotOf(p.game()), before);
}

// A folder of its own size where root can mount one (Linux); elsewhere unmounted.
class SmallDisk {
public:
    explicit SmallDisk(const fs::path& folder)
        : folder_(folder) {
        fs::create_directories(folder);
#ifdef __linux__
        const std::string mount = "mount -t tmpfs -o size=512k tmpfs '" + folder.string() + "'";
        mounted_ = std::system((mount + " 2>/dev/null").c_str()) == 0;
#endif
    }
    ~SmallDisk() {
        if (mounted_ && std::system(("umount '" + folder_.string() + "'").c_str()) != 0)
            ADD_FAILURE() << "could not unmount " << folder_;
    }
    bool mounted() const {
        return mounted_;
    }

private:
    fs::path folder_;
    bool mounted_ = false;
};

struct RefusingCase {
    std::string title;
    std::string folder;    // "read-only", "gone" or "full"
    std::string operation; // "uninstall", "clear", "restore" or "switch"
};

void PrintTo(const RefusingCase& c, std::ostream* out) {
    *out << c.title;
}

class RefusingGameFolder : public testing::TestWithParam<RefusingCase> {};

// An EAW.EXE add-on is installed when the game folder starts to refuse. Whatever
// the operation, its outcome tells a failure, the game keeps an EAW.EXE, the list
// of installed add-ons names only files still in the folder, and the add-on whose
// EAW.EXE could not go stays listed; the program stays on its game folder.
TEST_P(RefusingGameFolder, TellsTheFailureAndListsWhatIsThere) {
    const RefusingCase& c = GetParam();
    std::optional<SmallDisk> disk;
    Program p([&](const fs::path& game) {
        if (c.folder == "full")
            disk.emplace(game);
    });
    // The small disk comes off before the world's folders go, which its mount
    // would keep from being removed.
    const struct Unmount {
        std::optional<SmallDisk>& disk;
        ~Unmount() { disk.reset(); }
    } unmountFirst{disk};
    if (c.folder == "full" && !disk->mounted())
        GTEST_SKIP() << "needs root on Linux, to mount a small disk";
    const std::string bigExe(200 << 10, 'g');
    WriteFile(p.game() / "EAW.EXE", bigExe);
    WriteFile(p.program() / "BACKUPS" / "EAW.EXE", bigExe);
    WriteFile(p.program() / "BACKUPS" / "EAW.INI", std::string(100 << 10, 'i'));
    ASSERT_TRUE(RecordCopies(p.program() / "BACKUPS", p.game()));
    p.addon(kExes, "NEWEXE.zip", "bin/EAW.EXE=addon exe; MAP.TPC=m");
    WriteFile(p.root / "OTHER" / "EAW.EXE", "other game");
    Installation installation;
    ASSERT_EQ(installation.install(kExes, "NEWEXE").why(), "");
    GameFolderChoice choice;
    ASSERT_TRUE(choice.choose(p.root / "OTHER"));
    std::optional<BlockedFolder> blocked;
    if (c.folder == "read-only" && !blocked.emplace(p.game()).blocked())
        GTEST_SKIP() << "the folder still takes changes here";
    if (c.folder == "gone")
        fs::rename(p.game(), p.root / "EAW.gone");
    if (c.folder == "full") {
        const fs::space_info space = fs::space(p.game());
        WriteFile(p.game() / "FILL.BIN", std::string(space.available - (48 << 10), 'f'));
    }
    const FolderSnapshot backups = SnapshotOf(p.program() / "BACKUPS");

    bool told = false;
    if (c.operation == "uninstall") {
        const UninstallOutcome outcome = installation.uninstall({kExes, "NEWEXE"});
        told = !outcome.done() || !outcome.report().files.failed.empty();
    } else if (c.operation == "clear") {
        const ClearOutcome outcome = installation.clearAll();
        told = !outcome.done() || !outcome.report().failed.empty();
    } else if (c.operation == "restore") {
        told = !installation.restoreIni().done();
    } else {
        told = !installation.switchTo(choice).done();
        EXPECT_EQ(installation.paths().GameFolder, NamePath(FolderText(p.game())));
    }

    blocked.reset();
    EXPECT_TRUE(told);
    EXPECT_EQ(SnapshotOf(p.program() / "BACKUPS"), backups);
    if (c.folder != "gone") {
        EXPECT_TRUE(fs::exists(p.game() / "EAW.EXE"));
    }
    const fs::path game = c.folder == "gone" ? p.root / "EAW.gone" : p.game();
    if (c.operation != "restore") {
        EXPECT_NE(installation.installed().find({kExes, "NEWEXE"}), nullptr);
    }
    for (const InstalledAddon& addon : installation.installed().inOrder())
        for (const std::string& name : addon.writtenNames)
            EXPECT_TRUE(fs::exists(game / name)) << name << " is listed but gone";
}

std::vector<RefusingCase> refusingCases() {
    std::vector<RefusingCase> cases;
    for (const char* folder : {"read-only", "gone", "full"})
        for (const char* operation : {"uninstall", "clear", "restore", "switch"}) {
            std::string title = std::string(folder) + "_" + operation;
            std::replace(title.begin(), title.end(), '-', '_');
            cases.push_back({title, folder, operation});
        }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Folders, RefusingGameFolder, testing::ValuesIn(refusingCases()),
                         [](const auto& info) { return info.param.title; });

// Names that need escaping, and a category by its folder's name, survive the file.
TEST(Installation, TheLedgerReadsBackWhatItWrote) {
    Ledger ledger;
    ledger.gameFolder = "/games/EAW/";
    InstalledAddon escaped;
    // A backslash is a name's own only where it separates no folders.
    escaped.key = {kExes, fs::path::preferred_separator == '/' ? "back\\slash" : "back slash"};
    escaped.archive = "/lib/EXES/back\\slash.zip";
    escaped.writtenNames = {"a\nb.txt", "c\rd.txt", "e.exe"};
    escaped.replaced = "X (1)";
    escaped.partly = true;
    escaped.checks = {{"e.exe", {12, 0xdeadbeef}}, {"a b.txt", {0, 0}}};
    ledger.installed.add(escaped);
    InstalledAddon sky;
    sky.key = {kGraphics, "=sky"};
    sky.archive = "/lib/G/=sky.zip";
    sky.writtenNames = {"SKY.PIC"};
    ledger.installed.add(sky);
    ledger.addonFiles.wrote({"E.EXE"});
    // Two ledgers in one file, with Windows line ends as Notepad would save them.
    std::string text = LedgerText(ledger) + LedgerText(ledger);
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2))
        text.insert(at, "\r");
    const auto ledgers = ParseLedgers(text);
    ASSERT_EQ(ledgers.size(), 2u);
    const Ledger& back = ledgers.back();
    EXPECT_EQ(back.gameFolder, ledger.gameFolder);
    ASSERT_EQ(back.installed.inOrder().size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const InstalledAddon &a = ledger.installed.inOrder()[i], &b = back.installed.inOrder()[i];
        EXPECT_EQ(b.key, a.key);
        EXPECT_EQ(b.writtenNames, a.writtenNames);
        EXPECT_EQ(b.replaced, a.replaced);
        EXPECT_EQ(b.partly, a.partly);
        EXPECT_EQ(b.checks, a.checks);
    }
    EXPECT_TRUE(back.addonFiles.holds("e.exe"));
}

} // namespace
