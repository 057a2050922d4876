// Figures for add-ons that share files: the preview's extra work of naming the
// installed add-ons an archive of 6,600 members would replace, and the uninstall
// of a 6,600-file add-on of which 100 names an earlier add-on wrote too, by
// today's deletion of every name and by putting the shared names back.
#include "BenchTree.h"
#include "config/AddonCategory.h"
#include "library/AddonContents.h"
#include "library/AddonLibrary.h"
#include "library/ExtractionPlan.h"
#include "library/InstalledAddons.h"
#include "library/UninstallAddon.h"
#include "library/Unzip.h"
#include "platform/ZipArchive.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace fs = std::filesystem;
using namespace quorvel;

namespace {

constexpr std::size_t kMembers = 6600;
constexpr std::size_t kShared = 100;
constexpr std::size_t kGraphics = 4;

std::string memberName(std::size_t index) {
    char name[16];
    std::snprintf(name, sizeof name, "F%05zu.TPC", index);
    return name;
}

// An archive of `count` files of 2 KB, made with the zip command.
void makeArchive(const fs::path& archive, std::size_t count, char fill) {
    const fs::path files = archive.parent_path() / (archive.stem().string() + "-files");
    fs::create_directories(files);
    for (std::size_t index = 0; index < count; ++index)
        std::ofstream(files / memberName(index)) << std::string(2048, fill) << index;
    const std::string command =
        "cd '" + files.string() + "' && zip -q -r '" + archive.string() + "' .";
    if (std::system(command.c_str()) != 0)
        std::abort();
    fs::remove_all(files);
}

// SHARED.ZIP (100 files) and BIG.ZIP (6,600 files, the first 100 of the same names).
struct Library {
    bench::ScratchFolder scratch;
    std::array<fs::path, kCategoryCount> folders;
    Library() {
        folders[kGraphics] = scratch.path() / "GRAPHICS";
        fs::create_directories(folders[kGraphics]);
        makeArchive(folders[kGraphics] / "SHARED.ZIP", kShared, 's');
        makeArchive(folders[kGraphics] / "BIG.ZIP", kMembers, 'b');
    }
    fs::path game() const { return scratch.path() / "GAME"; }
    fs::path backups() const { return scratch.path() / "BACKUPS"; }

    // A game folder where SHARED and then BIG are installed.
    InstalledAddons install() const {
        fs::remove_all(game());
        fs::create_directories(game());
        InstalledAddons installed;
        for (const std::string name : {"SHARED", "BIG"}) {
            InstalledAddon addon;
            addon.key = {kGraphics, name};
            addon.archive = AddonArchivePath(folders[kGraphics], name);
            addon.writtenNames = Unzip(addon.archive, game())->writtenNames;
            installed.add(std::move(addon));
        }
        return installed;
    }
};

Library& library() {
    static Library made;
    return made;
}

// What the preview adds: the archive's names from its central directory, what each
// would replace, and the installed add-ons counted from that.
void BM_PreviewReplacedAddons(benchmark::State& state) {
    const Library& lib = library();
    std::vector<std::string> shared;
    for (std::size_t index = 0; index < kShared; ++index)
        shared.push_back(memberName(index));
    InstalledAddon sharing;
    sharing.key = {kGraphics, "SHARED"};
    sharing.archive = lib.folders[kGraphics] / "SHARED.ZIP";
    sharing.writtenNames = shared;
    Ledger ledger;
    ledger.installed.add(std::move(sharing));
    const PathVariables noGameFolder; // the add-ons' files alone
    for (auto _ : state) {
        const ArchiveContentsOutcome contents =
            WouldWrite(lib.folders[kGraphics] / "BIG.ZIP", ledger, noGameFolder, nullptr);
        if (!contents.done())
            state.SkipWithError("the archive could not be read");
        else
            benchmark::DoNotOptimize(
                ReplacedAddonsText(ReplacedCounts(contents->files, ledger.installed)));
    }
}
BENCHMARK(BM_PreviewReplacedAddons)->Unit(benchmark::kMillisecond);

// Opening the archive alone: the read of its central directory.
void BM_PreviewOpenOnly(benchmark::State& state) {
    const Library& lib = library();
    for (auto _ : state)
        benchmark::DoNotOptimize(ZipArchive(lib.folders[kGraphics] / "BIG.ZIP").memberCount());
}
BENCHMARK(BM_PreviewOpenOnly)->Unit(benchmark::kMillisecond);

// The same names read through every member's own header, as an extraction does:
// what the preview would cost without the central-directory read.
void BM_PreviewNamesThroughMemberHeaders(benchmark::State& state) {
    const Library& lib = library();
    for (auto _ : state) {
        const ZipArchive archive(lib.folders[kGraphics] / "BIG.ZIP");
        benchmark::DoNotOptimize(PlanExtraction(archive));
    }
}
BENCHMARK(BM_PreviewNamesThroughMemberHeaders)->Unit(benchmark::kMillisecond);

void BM_UninstallDeletingEveryName(benchmark::State& state) {
    const Library& lib = library();
    for (auto _ : state) {
        state.PauseTiming();
        const InstalledAddons installed = lib.install();
        state.ResumeTiming();
        benchmark::DoNotOptimize(UninstallAddon(
            lib.game(), installed.find({kGraphics, "BIG"})->writtenNames, lib.backups()));
    }
}
BENCHMARK(BM_UninstallDeletingEveryName)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_UninstallPuttingSharedNamesBack(benchmark::State& state) {
    const Library& lib = library();
    for (auto _ : state) {
        state.PauseTiming();
        InstalledAddons installed = lib.install();
        state.ResumeTiming();
        const auto result =
            UninstallSharingFiles(installed, {kGraphics, "BIG"}, lib.game(), lib.backups());
        if (result.putBack.size() != kShared)
            state.SkipWithError("the shared names were not put back");
    }
}
BENCHMARK(BM_UninstallPuttingSharedNamesBack)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
