// Each file-changing call of each operation on the game, in turn, is the point
// where the process dies, or the power goes and takes what was not flushed
// (LostWrites.h says what); a fresh start then recovers and closes, and what is
// on disk must still be the game's, the player's and nothing of any add-on. The
// default run samples the points, each with one of the three ends in turn;
// QUORVEL_ALL_CRASH_POINTS=1 (scripts/crash-points.sh) tries every point with each.

#include "LostWrites.h"
#include "config/GameFolderChoice.h"
#include "config/PathVariables.h"
#include "library/ClearAll.h"
#include "library/CopiesRecord.h"
#include "library/FolderSnapshot.h"
#include "library/Installation.h"
#include "library/ProgramWithGame.h"
#include "library/SecurityCopies.h"
#include "library/SetPutBack.h"
#include "platform/FileChanges.h"
#include "platform/FileOperations.h"
#include "platform/NameFolding.h"
#include "platform/NameText.h"
#include "platform/ZipArchive.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <set>
#include <sstream>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

// Starts watching the changes, once what an operation needs before is in place.
using Arm = std::function<void()>;
struct World;

enum class Before {
    FirstRun,     // no game accepted yet: no QUORVEL.INI, no security copies
    GameAccepted, // the game EAW accepted, its security copies taken
    KilledInstall // and a run killed inside an install, another add-on installed
};

struct Operation {
    std::string title;
    Before before;
    std::vector<AddonKey> installedFirst; // by the run the operation is part of
    // Add-on files of no game type that a Clear All of the operation leaves, as
    // Clear All does by design; every other add-on file must be gone after a close.
    std::set<std::string> keptByDesign;
    std::function<void(const World&, Installation&)> act;
};

void PrintTo(const Operation& operation, std::ostream* out) {
    *out << operation.title;
}

#ifdef _WIN32

class CrashPoints : public testing::TestWithParam<Operation> {};

TEST_P(CrashPoints, EveryPointLeavesTheGameAndThePlayerWhole) {
    GTEST_SKIP() << "needs fork(), which Windows lacks";
}

INSTANTIATE_TEST_SUITE_P(Operations, CrashPoints,
                         testing::Values(Operation{"all", Before::FirstRun, {}, {}, {}}),
                         [](const auto& info) { return info.param.title; });

#else

constexpr std::size_t kTerrains = 3, kGraphics = 4, kSounds = 5, kExes = 6;
constexpr std::size_t kSampledPoints = 30, kEndPoints = 5, kDescribed = 4;
constexpr int kTerrainMembers = 5000;
constexpr std::size_t kKillInsideInstall = 10;

// The game's own files are the protected four; the player's are of no game type,
// so Clear All, which deletes the game's types by design, leaves all of them.
std::string gameTree(const std::string& game) {
    std::string tree;
    for (const char* name : {"EAW.EXE", "EAW.INI", "EXTRA.SPT", "GRB_031.SND", "CAMPAIGN1.SAV",
                             "PILOTS.PLT", "SMACKW32.DLL", "MYNOTES.TXT"})
        tree += std::string(tree.empty() ? "" : "; ") + name + "=" + game + " " + name;
    return tree;
}

// Add-ons overwrite the game's own files too, the protected ones and others (one
// of them shared by two add-ons): each must come back byte for byte.
const std::vector<std::tuple<std::size_t, std::string, std::string>> kAddons{
    {kExes, "NEWEXE", "EAW.EXE=addon exe; EXTRA.SPT=addon spt; MAP.TPC=m; NEWEXE.TXT=n"},
    {kGraphics, "CLOUDS",
     "CLOUD1.PIC=c1; CLOUD2.PIC=c2; SHARED.TPC=clouds; CLOUDS.TXT=c; SMACKW32.DLL=clouds dll"},
    {kGraphics, "SKIES", "SKY1.PIC=s1; SHARED.TPC=skies; SKIES.TXT=s; smackw32.dll=skies dll"},
    {kSounds, "BANG", "GRB_031.SND=addon snd; BANG.WAV=b; BANG.SND=b; MYNOTES.TXT=bang notes"},
};

// Game types and other names, so that only the ledger takes some of them out.
FolderSnapshot terrainMembers() {
    FolderSnapshot members;
    for (int member = 0; member < kTerrainMembers; ++member) {
        const char* type = member % 10 == 0 ? ".TXT" : member % 2 ? ".TER" : ".PIC";
        members["T" + std::to_string(10000 + member) + type] = "t" + std::to_string(member);
    }
    return members;
}

// The 5,000-member archive, made once and copied into each world.
const fs::path& terrainArchive() {
    static const TempFolder folder;
    static const fs::path archive = [] {
        MakeArchive(folder / "BIGMAP.zip", terrainMembers());
        return folder / "BIGMAP.zip";
    }();
    return archive;
}

std::set<std::string> addonFileNames() {
    std::set<std::string> names;
    for (const auto& [category, name, members] : kAddons)
        for (const auto& member : Tree(members))
            names.insert(member.first);
    for (const auto& member : terrainMembers())
        names.insert(member.first);
    return names;
}

// A program folder with its library, the game EAW with its security copies (or
// none before the first run), a second game EAWB and a folder of other files.
struct World : ProgramWithGame {
    explicit World(bool firstRun)
        : ProgramWithGame(gameTree("EAW")) {
        LayOut(root / "EAWB", Tree(gameTree("EAWB")));
        LayOut(root / "OUTSIDE", Tree("LETTER.TXT=dear; MAP.TPC=outside map; EAW.EXE=no game"));
        for (const auto& [category, name, members] : kAddons)
            addon(category, name + ".zip", members);
        fs::copy_file(terrainArchive(), program() / "TERRAINS" / "BIGMAP.zip");
        if (firstRun) {
            fs::remove(ConfigFile());
            fs::remove_all(program() / "BACKUPS");
            fs::create_directory(program() / "BACKUPS");
        }
    }
    fs::path other() const { return root / "EAWB"; }
};

// Everything under the root but the program folder, whose records change by design.
FolderSnapshot outsideTheProgram(const World& world) {
    FolderSnapshot all;
    for (const auto& entry : fs::directory_iterator(world.root.path())) {
        const std::string top = entry.path().filename().string();
        if (top == "Quorvel")
            continue;
        all[top] = "<dir>";
        for (auto& [name, content] : SnapshotOf(entry.path()))
            all[top + "/" + name] = std::move(content);
    }
    return all;
}

// What broke on disk, each "kind: detail".
std::vector<std::string> brokenInvariants(const Operation& operation, const World& world,
                                          const FolderSnapshot& before) {
    static const std::set<std::string> addonFiles = addonFileNames();
    std::vector<std::string> broken;
    const FolderSnapshot now = outsideTheProgram(world);
    std::set<std::string> names;
    for (const auto* snapshot : {&before, &now})
        for (const auto& entry : *snapshot)
            names.insert(entry.first);
    for (const std::string& name : names) {
        const auto was = before.find(name), is = now.find(name);
        if (was != before.end() && is != now.end() && was->second == is->second)
            continue;
        const std::string folder = name.substr(0, name.find('/'));
        const std::string file = name.substr(std::min(name.size(), folder.size() + 1));
        const bool inGame = (folder == "EAW" || folder == "EAWB") && !file.empty() &&
                            file.find('/') == std::string::npos;
        const std::string how = is == now.end() ? " lost" : " changed";
        if (!inGame)
            broken.push_back("outside changed: " + name + (was == before.end() ? " added" : how));
        else if (was != before.end())
            broken.push_back((ProtectedFileNamed(file) ? "game file" : "player file") + how + ": " +
                             name);
        else if (!addonFiles.contains(UpperCase(file)))
            broken.push_back("stray file left: " + name);
        else if (GameFileMaskIndex(file) || !operation.keptByDesign.contains(UpperCase(file)))
            broken.push_back("add-on file left: " + name);
    }
    // The security copies: each of the game their record names. Copies without a
    // record are of no known game and never acted on; the game files above tell.
    const fs::path backups = world.program() / "BACKUPS";
    const auto text = ReadWholeFile(backups / std::string(kCopiesRecordName));
    const auto record = text ? ParseCopiesRecord(*text) : std::nullopt;
    const std::string owner = record ? record->gameFolder.parent_path().filename().string() : "";
    for (const auto& entry : fs::directory_iterator(backups)) {
        const std::string name = entry.path().filename().string();
        const auto protectedName = ProtectedFileNamed(name);
        if (name == kCopiesRecordName || entry.is_directory())
            continue;
        if (!protectedName)
            broken.push_back("stray file in BACKUPS: " + name);
        else if (record &&
                 before.at(owner + "/" + std::string(*protectedName)) != ReadFile(entry.path()))
            broken.push_back("security copy not of the recorded game " + owner + ": " + name);
    }
    // After a start and its close nothing is installed and no recovery waits: a
    // file still kept or set aside is one that a kill left there for good.
    for (const char* folder : {"KEPT", "ASIDE"}) {
        std::error_code error;
        for (auto it = fs::recursive_directory_iterator(backups / folder, error);
             !error && it != fs::recursive_directory_iterator(); it.increment(error))
            if (!it->is_directory())
                broken.push_back("left in BACKUPS: " +
                                 fs::relative(it->path(), backups).generic_string());
    }
    return broken;
}

// The watcher of a child process: keeps what is not flushed yet, counts the
// changes once armed, and at the chosen one tells what it was and which files
// still wait for a flush, and ends the process, as a kill would. Other threads
// that reach a later change wait there for the end.
std::atomic<bool> armed{false};
std::atomic<std::size_t> changesMade{0};
std::size_t dieAtChange = 0; // 0: only count
int reportPipe = -1;
UnflushedFiles unflushed;

void tell(const std::string& message) {
    [[maybe_unused]] const auto written = ::write(reportPipe, message.data(), message.size());
}

// "\0<file>" for each file a power cut would take now.
std::string unflushedList() {
    std::string list;
    for (const fs::path& file : unflushed.files())
        list += '\0' + file.string();
    return list;
}

void dieAtChosenChange(FileChange change, const fs::path& path, const fs::path& source) {
    unflushed.note(change, path, source);
    if (change == FileChange::Flush || !armed)
        return;
    const std::size_t made = ++changesMade;
    if (dieAtChange == 0 || made < dieAtChange)
        return;
    if (made == dieAtChange) {
        // In the order of FileChange.
        constexpr const char* kNames[] = {"create", "write", "rename",
                                          "delete", "copy",  "attributes"};
        tell("D" + std::string(kNames[static_cast<int>(change)]) + " " +
             (source.empty() ? "" : source.string() + " -> ") + path.string() + unflushedList());
        _exit(0);
    }
    for (;;)
        pause();
}

struct ChildEnd {
    std::size_t changes = 0;         // when it ran to its end
    std::string diedAt;              // the change it died at
    std::vector<fs::path> unflushed; // when it died: the files a power cut would take
    std::string failure;             // how it ended otherwise
};

// "D<change>" or "C<changes>", then "\0<file>" for each file not flushed.
std::string readEnd(const std::string& message, ChildEnd& end) {
    std::size_t at = message.find('\0');
    const std::string head =
        message.substr(1, at == std::string::npos ? std::string::npos : at - 1);
    while (at != std::string::npos) {
        const std::size_t next = message.find('\0', at + 1);
        end.unflushed.emplace_back(
            message.substr(at + 1, next == std::string::npos ? std::string::npos : next - at - 1));
        at = next;
    }
    return head;
}

// Runs `work` in a child process that dies at change `dieAt` after `work` arms
// the watcher (never for 0), and tells how it ended.
ChildEnd runInChild(const std::function<void(const Arm&)>& work, std::size_t dieAt) {
    int ends[2];
    if (::pipe(ends) != 0)
        return {0, {}, {}, "no pipe"};
    const pid_t child = fork();
    if (child == 0) {
        ::close(ends[0]);
        reportPipe = ends[1];
        WatchFileChanges(&dieAtChosenChange);
        try {
            work([dieAt] {
                changesMade = 0;
                dieAtChange = dieAt;
                armed = true;
            });
            tell("C" + std::to_string(changesMade.load()) + unflushedList());
        } catch (const std::exception& error) {
            tell(std::string("Xthrew ") + error.what());
        }
        _exit(0);
    }
    ::close(ends[1]);
    std::string message;
    char buffer[4096];
    for (ssize_t got; (got = ::read(ends[0], buffer, sizeof buffer)) > 0;)
        message.append(buffer, static_cast<std::size_t>(got));
    ::close(ends[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ChildEnd end;
    if (!WIFEXITED(status))
        end.failure = "ended by signal " + std::to_string(WTERMSIG(status));
    else if (message.empty())
        end.failure = "ended without a word";
    else if (message[0] == 'C')
        end.changes = std::stoul(readEnd(message, end));
    else if (message[0] == 'D')
        end.diedAt = readEnd(message, end);
    else
        end.failure = message.substr(1);
    return end;
}

void startAndClose(const Arm&) {
    Installation installation;
    if (installation.recoveryDue())
        installation.recoverLastRun();
    installation.clearAll();
}

const AddonKey kNewExe{kExes, "NEWEXE"}, kClouds{kGraphics, "CLOUDS"}, kSkies{kGraphics, "SKIES"},
    kBang{kSounds, "BANG"};

const std::vector<Operation> kOperations{
    {"first_run_accept",
     Before::FirstRun,
     {},
     {},
     [](const World& w, Installation& installation) {
         GameFolderChoice choice;
         choice.choose(w.game());
         installation.acceptFirstRun(choice, true);
     }},
    {"install_small",
     Before::GameAccepted,
     {},
     {},
     [](const World&, Installation& installation) { installation.install(kExes, "NEWEXE"); }},
    {"install_terrain",
     Before::GameAccepted,
     {},
     {},
     [](const World&, Installation& installation) { installation.install(kTerrains, "BIGMAP"); }},
    {"uninstall_shared",
     Before::GameAccepted,
     {kClouds, kSkies, kNewExe},
     {},
     [](const World&, Installation& installation) { installation.uninstall(kSkies); }},
    {"clear_all",
     Before::GameAccepted,
     {kNewExe, kClouds, kBang},
     {"NEWEXE.TXT", "CLOUDS.TXT", "BANG.WAV"},
     [](const World&, Installation& installation) { installation.clearAll(); }},
    {"switch",
     Before::GameAccepted,
     {kNewExe, kClouds},
     {"NEWEXE.TXT", "CLOUDS.TXT"},
     [](const World& w, Installation& installation) {
         GameFolderChoice choice;
         choice.choose(w.other());
         installation.switchTo(choice);
     }},
    {"install_after_switch",
     Before::GameAccepted,
     {kClouds},
     {"CLOUDS.TXT"},
     [](const World& w, Installation& installation) {
         GameFolderChoice choice;
         choice.choose(w.other());
         installation.switchTo(choice);
         installation.install(kGraphics, "CLOUDS");
     }},
    {"set_put_back",
     Before::GameAccepted,
     {kClouds, kBang},
     {"CLOUDS.TXT", "BANG.WAV"},
     [](const World&, Installation& installation) {
         PutBackSet(installation, {kNewExe, kSkies, kClouds});
     }},
    {"recovery",
     Before::KilledInstall,
     {},
     {},
     [](const World&, Installation& installation) { installation.recoverLastRun(); }},
};

// Runs the operation in the child, after what it needs before.
void runOperation(const Operation& operation, const World& world, const Arm& arm) {
    if (operation.before == Before::KilledInstall)
        runInChild(
            [](const Arm& armKill) {
                Installation killed;
                killed.install(kGraphics, "CLOUDS");
                armKill();
                killed.install(kExes, "NEWEXE");
            },
            kKillInsideInstall);
    Installation installation;
    for (const AddonKey& addon : operation.installedFirst)
        installation.install(addon.category, addon.name);
    arm();
    operation.act(world, installation);
}

// A point where the process ends, and how.
struct CrashPoint {
    std::size_t point;
    PowerCut cut;
};

constexpr PowerCut kEnds[] = {PowerCut::None, PowerCut::Ext4, PowerCut::Ntfs};

// Every point with every end, or the first and last few and others evenly between,
// each with the next end in turn; the point after the last change is the
// operation done and the process killed at rest. QUORVEL_CRASH_POINT_RANGE
// ("<first>-<last>") narrows every point to those, for a run taken in parts.
std::vector<CrashPoint> pointsToExplore(std::size_t changes) {
    const std::size_t last = changes + 1;
    const char* all = std::getenv("QUORVEL_ALL_CRASH_POINTS");
    std::vector<CrashPoint> explored;
    if (all && std::string(all) == "1") {
        std::size_t first = 1, to = last;
        if (const char* range = std::getenv("QUORVEL_CRASH_POINT_RANGE"))
            std::sscanf(range, "%zu-%zu", &first, &to);
        for (std::size_t point = first; point <= std::min(to, last); ++point)
            for (const PowerCut cut : kEnds)
                explored.push_back({point, cut});
        return explored;
    }
    std::set<std::size_t> points;
    if (last <= kSampledPoints) {
        for (std::size_t point = 1; point <= last; ++point)
            points.insert(point);
    } else {
        for (std::size_t end = 0; end < kEndPoints; ++end)
            points.insert({1 + end, last - end});
        const std::size_t between = kSampledPoints - 2 * kEndPoints;
        for (std::size_t step = 1; step <= between; ++step)
            points.insert(1 + step * (last - 1) / (between + 1));
    }
    for (const std::size_t point : points)
        explored.push_back({point, kEnds[point % std::size(kEnds)]});
    return explored;
}

// The worlds live in memory where there is some, since on a disk the flushes of
// each point's records would make the run ten times as long; a power cut is
// played on them after the kill, as LostWrites.h describes. The time zone is
// read once, as the program does.
void prepareTheProcess() {
    std::error_code ec;
    if (fs::is_directory("/dev/shm", ec))
        setenv("TMPDIR", "/dev/shm", 1);
    ReadTimeZoneOnce();
}

// What a crash at one point broke, each "kind: detail (after which starts)".
struct Finding {
    CrashPoint point;
    std::string diedAt;
    std::vector<std::string> broken;
};

std::vector<std::string> brokenAfterAStart(const Operation& operation, const World& world,
                                           const FolderSnapshot& before) {
    std::vector<std::string> broken;
    if (const ChildEnd started = runInChild(&startAndClose, 0); !started.failure.empty())
        broken.push_back("start failed: " + started.failure);
    for (std::string& invariant : brokenInvariants(operation, world, before))
        broken.push_back(std::move(invariant));
    return broken;
}

// Kills the operation at `point` in a fresh world, then starts and closes twice.
Finding explore(const Operation& operation, CrashPoint point) {
    const World world(operation.before == Before::FirstRun);
    const FolderSnapshot before = outsideTheProgram(world);
    const ChildEnd end =
        runInChild([&](const Arm& arm) { runOperation(operation, world, arm); }, point.point);
    CutThePower(end.unflushed, point.cut);
    Finding finding{point, end.diedAt, {}};
    if (end.diedAt.empty())
        finding.diedAt = end.failure.empty() ? "after the last change" : end.failure;
    finding.diedAt += ", " + PowerCutName(point.cut);
    const std::string root = world.root.path().string() + "/";
    for (std::size_t at; (at = finding.diedAt.find(root)) != std::string::npos;)
        finding.diedAt.erase(at, root.size());
    const std::vector<std::string> first = brokenAfterAStart(operation, world, before);
    const std::vector<std::string> second = brokenAfterAStart(operation, world, before);
    for (const std::string& broken : first)
        finding.broken.push_back(broken + (std::ranges::find(second, broken) != second.end()
                                               ? " (both starts)"
                                               : " (first start)"));
    for (const std::string& broken : second)
        if (std::ranges::find(first, broken) == first.end())
            finding.broken.push_back(broken + " (second start)");
    return finding;
}

// The count of points and of those with violations, and the first few of those.
std::string reportOf(const std::string& operation, std::size_t explored, std::size_t points,
                     const std::vector<Finding>& findings) {
    std::ostringstream report;
    report << operation << ": " << explored << " ends explored (of " << points << " crash points), "
           << findings.size() << " with violations\n";
    for (std::size_t shown = 0; shown < std::min(findings.size(), kDescribed); ++shown) {
        report << "  point " << findings[shown].point.point << " (" << findings[shown].diedAt
               << "):\n";
        const std::vector<std::string>& broken = findings[shown].broken;
        for (std::size_t line = 0; line < std::min(broken.size(), kDescribed); ++line)
            report << "    " << broken[line] << "\n";
        if (broken.size() > kDescribed)
            report << "    and " << broken.size() - kDescribed << " more\n";
    }
    return report.str();
}

class CrashPoints : public testing::TestWithParam<Operation> {};

TEST_P(CrashPoints, EveryPointLeavesTheGameAndThePlayerWhole) {
    static const bool prepared = (prepareTheProcess(), true);
    (void)prepared;
    const Operation& operation = GetParam();
    const World dryWorld(operation.before == Before::FirstRun);
    const ChildEnd dryRun =
        runInChild([&](const Arm& arm) { runOperation(operation, dryWorld, arm); }, 0);
    ASSERT_EQ(dryRun.failure, "");
    ASSERT_GT(dryRun.changes, 0u);
    const std::vector<CrashPoint> points = pointsToExplore(dryRun.changes);
    std::vector<Finding> findings;
    for (const CrashPoint& point : points)
        if (Finding finding = explore(operation, point); !finding.broken.empty())
            findings.push_back(std::move(finding));
    std::cout << reportOf(operation.title, points.size(), dryRun.changes + 1, findings)
              << std::flush;
    RecordProperty("points", static_cast<int>(points.size()));
    RecordProperty("violations", static_cast<int>(findings.size()));
    EXPECT_EQ(findings.size(), 0u) << "crash points with violations: the report above tells";
}

INSTANTIATE_TEST_SUITE_P(Operations, CrashPoints, testing::ValuesIn(kOperations),
                         [](const auto& info) { return info.param.title; });

#endif

} // namespace
