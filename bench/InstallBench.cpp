// Figures for installing a 5,000-file terrain through the Installation, and for
// taking it out again: into a game folder that holds none of its names, and into
// one that already holds all of them as the game's own files, which the install
// keeps before it replaces them and the uninstall puts back.
// Each round starts from the terrain not installed.
#include "BenchTree.h"
#include "config/PathVariables.h"
#include "library/Installation.h"
#include "library/SecurityCopies.h"
#include "platform/ZipArchive.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace quorvel;

namespace {

constexpr std::size_t kTerrains = 3, kTerrainFiles = 5000;

std::string memberName(std::size_t index) {
    char name[32];
    std::snprintf(name, sizeof name, "EUROPE%05zu.TXT", index);
    return name;
}

// A program folder with the terrain in its library, and a game folder that holds
// the terrain's names as its own files when `gameHoldsTheNames`.
struct Scene {
    bench::ScratchFolder scratch;
    std::unique_ptr<Installation> installation;

    explicit Scene(bool gameHoldsTheNames) {
        ReadTimeZoneOnce(); // as the program does
        const fs::path program = scratch.path() / "Quorvel", game = scratch.path() / "EAW";
        for (const AddonCategory& category : kAddonCategories)
            fs::create_directories(program / category.folderName);
        fs::create_directories(program / kBackupFolderName);
        const fs::path files = scratch.path() / "files";
        fs::create_directories(files);
        fs::create_directories(game);
        for (std::size_t index = 0; index < kTerrainFiles; ++index) {
            std::ofstream(files / memberName(index)) << std::string(2048, 'e') << index;
            if (gameHoldsTheNames)
                std::ofstream(game / memberName(index)) << "the game's own " << index;
        }
        const std::string zip = "cd '" + files.string() + "' && zip -q -r '" +
                                (program / "TERRAINS" / "EUROPE.zip").string() + "' .";
        if (std::system(zip.c_str()) != 0)
            std::abort();
        for (const char* file : {"EAW.EXE", "EAW.INI", "EXTRA.SPT", "GRB_031.SND"})
            std::ofstream(game / file) << "game " << file;
        SetProgramFolder(program);
        StorePaths(FolderText(game));
        TakeSecurityCopies(game, program / kBackupFolderName);
        installation = std::make_unique<Installation>();
    }
};

// Times the install, or the uninstall that follows it, of each round. Each timed
// step starts with the disk settled, so that it does not wait for the writes of
// the step before.
void timeTerrain(benchmark::State& state, bool gameHoldsTheNames, bool timeTheUninstall) {
    Scene scene(gameHoldsTheNames);
    for (auto _ : state) {
        state.PauseTiming();
        ::sync();
        if (!timeTheUninstall)
            state.ResumeTiming();
        const InstallOutcome outcome = scene.installation->install(kTerrains, "EUROPE");
        if (!outcome.done())
            state.SkipWithError("the terrain was not installed");
        if (!timeTheUninstall)
            state.PauseTiming();
        ::sync();
        if (timeTheUninstall)
            state.ResumeTiming();
        if (!scene.installation->uninstall({kTerrains, "EUROPE"}).done())
            state.SkipWithError("the terrain was not taken out");
        if (!timeTheUninstall)
            state.ResumeTiming();
    }
}

struct Figure {
    const char* name;
    bool gameHoldsTheNames, timeTheUninstall;
};

// The last is the game's 5,000 files going back where the terrain's were.
const bool kRegistered = [] {
    for (const Figure& figure : {Figure{"Terrain/InstallReplacingNothing", false, false},
                                 Figure{"Terrain/InstallReplacingTheGamesFiles", true, false},
                                 Figure{"Terrain/UninstallPuttingNothingBack", false, true},
                                 Figure{"Terrain/UninstallPuttingTheGamesFilesBack", true, true}})
        benchmark::RegisterBenchmark(figure.name, timeTerrain, figure.gameHoldsTheNames,
                                     figure.timeTheUninstall)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(10);
    return true;
}();

} // namespace
