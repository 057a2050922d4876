// In-process figures for the file operations whose cost grows with the game
// folder: Clear All and uninstall. Files are laid out with the clock paused.
#include "BenchTree.h"
#include "library/ClearAll.h"
#include "library/UninstallAddon.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace quorvel;

namespace {

// The names of the regular files directly in `folder`.
std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

// Lays the game folder out afresh with the clock paused.
std::vector<std::string> freshGameFolder(benchmark::State& state, const fs::path& game) {
    state.PauseTiming();
    fs::remove_all(game);
    bench::MakeGameFolder(game, static_cast<std::size_t>(state.range(0)), 20261206);
    std::vector<std::string> names = namesIn(game);
    state.ResumeTiming();
    return names;
}

void BM_ClearAll(benchmark::State& state) {
    bench::ScratchFolder scratch;
    const fs::path game = scratch.path() / "GAME";
    for (auto _ : state) {
        freshGameFolder(state, game);
        benchmark::DoNotOptimize(ClearAll(game, scratch.path() / "BACKUPS", AddonFileRecord()));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ClearAll)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Uninstall(benchmark::State& state) {
    bench::ScratchFolder scratch;
    const fs::path game = scratch.path() / "GAME";
    for (auto _ : state) {
        const std::vector<std::string> names = freshGameFolder(state, game);
        benchmark::DoNotOptimize(UninstallAddon(game, names, scratch.path() / "BACKUPS"));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Uninstall)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
