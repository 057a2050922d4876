// Figures for putting back a set of eight add-ons, one of them a 5,000-file
// terrain, against installing the same add-ons one by one through the same code:
// each run starts from the set installed, as a player switching back does.
#include "BenchTree.h"
#include "config/PathVariables.h"
#include "library/SecurityCopies.h"
#include "library/SetPutBack.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

namespace fs = std::filesystem;
using namespace quorvel;

namespace {

constexpr std::size_t kTerrainFiles = 5000;

// An archive of `count` files of about 2 KB of the given type, made with the zip command.
void makeArchive(const fs::path& archive, const std::string& prefix, std::size_t count,
                 const char* type) {
    const fs::path files = archive.parent_path() / (archive.stem().string() + "-files");
    fs::create_directories(files);
    for (std::size_t index = 0; index < count; ++index) {
        char name[32];
        std::snprintf(name, sizeof name, "%s%05zu.%s", prefix.c_str(), index, type);
        std::ofstream(files / name) << std::string(2048, prefix[0]) << index;
    }
    const std::string command =
        "cd '" + files.string() + "' && zip -q -r '" + archive.string() + "' .";
    if (std::system(command.c_str()) != 0)
        std::abort();
    fs::remove_all(files);
}

// A program folder with its library and a game folder with its security copies.
struct Scene {
    bench::ScratchFolder scratch;
    std::vector<AddonKey> set;
    std::unique_ptr<Installation> installation;

    Scene() {
        const fs::path program = scratch.path() / "Quorvel", game = scratch.path() / "EAW";
        for (const AddonCategory& category : kAddonCategories)
            fs::create_directories(program / category.folderName);
        fs::create_directories(program / kBackupFolderName);
        fs::create_directories(game);
        for (const char* file : {"EAW.EXE", "EAW.INI", "EXTRA.SPT", "GRB_031.SND"})
            std::ofstream(game / file) << "game " << file;
        SetProgramFolder(program);
        StorePaths(FolderText(game));
        TakeSecurityCopies(game, program / kBackupFolderName);
        struct Made {
            std::size_t category;
            const char* name;
            std::size_t files;
            const char* type;
        };
        for (const Made& addon :
             {Made{0, "SPIT", 40, "FLT"}, Made{1, "CHANNEL", 60, "MPC"},
              Made{2, "JG26", 120, "TPC"}, Made{3, "EUROPE", kTerrainFiles, "TER"},
              Made{4, "CLOUDS", 80, "PIC"}, Made{4, "COCKPITS", 150, "CPT"},
              Made{5, "MERLIN", 90, "WSD"}, Made{6, "NEWEXE", 3, "DAT"}}) {
            makeArchive(program / kAddonCategories[addon.category].folderName /
                            (std::string(addon.name) + ".zip"),
                        addon.name, addon.files, addon.type);
            set.push_back({addon.category, addon.name});
        }
        installation = std::make_unique<Installation>();
        PutBackSet(*installation, set);
    }
};

Scene& scene() {
    static Scene made;
    return made;
}

void BM_PutBackSetOfEight(benchmark::State& state) {
    Scene& s = scene();
    for (auto _ : state) {
        if (PutBackSet(*s.installation, s.set)->putBack.size() != s.set.size())
            state.SkipWithError("the set was not put back whole");
    }
}
BENCHMARK(BM_PutBackSetOfEight)->Unit(benchmark::kMillisecond)->Iterations(5);

// Clear All, then each add-on by the Installation's install, as the window does
// for a player double-clicking them in turn.
void BM_ClearAllThenInstallOneByOne(benchmark::State& state) {
    Scene& s = scene();
    for (auto _ : state) {
        s.installation->clearAll();
        for (const AddonKey& addon : s.set) {
            const InstallOutcome outcome = s.installation->install(addon.category, addon.name);
            if (!outcome.done())
                state.SkipWithError("an add-on was not installed");
        }
    }
}
BENCHMARK(BM_ClearAllThenInstallOneByOne)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
