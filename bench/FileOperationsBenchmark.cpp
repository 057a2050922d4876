// In-process figures for the file operations whose cost grows with the game
// folder: Clear All and uninstall. Files are laid out with the clock paused.
#include "library/ClearAll.h"
#include "library/UninstallAddon.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace quorvel;

namespace {

class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "quorvel-bench-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data()) ? fs::path(pattern) : fs::path();
    }
    ~ScratchFolder() {
        std::error_code ec;
        if (!path_.empty())
            fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// Half of the files are of the game's types, half are not.
std::vector<std::string> layOutGameFolder(const fs::path& folder, std::int64_t count) {
    static const char* const extensions[] = {".TPC", ".txt", ".ter", ".BMP", ".Spt", ".cfg"};
    std::vector<std::string> names;
    for (std::int64_t i = 0; i < count; ++i) {
        names.push_back("FILE" + std::to_string(i) + extensions[i % 6]);
        std::ofstream(folder / names.back()) << "data";
    }
    return names;
}

// Lays the game folder out afresh with the clock paused.
std::vector<std::string> freshGameFolder(benchmark::State& state, const fs::path& game) {
    state.PauseTiming();
    fs::remove_all(game);
    fs::create_directories(game);
    std::vector<std::string> names = layOutGameFolder(game, state.range(0));
    state.ResumeTiming();
    return names;
}

void BM_ClearAll(benchmark::State& state) {
    ScratchFolder scratch;
    const fs::path game = scratch.path() / "GAME";
    for (auto _ : state) {
        freshGameFolder(state, game);
        benchmark::DoNotOptimize(ClearAll(game, scratch.path() / "BACKUPS"));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ClearAll)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Uninstall(benchmark::State& state) {
    ScratchFolder scratch;
    const fs::path game = scratch.path() / "GAME";
    for (auto _ : state) {
        const std::vector<std::string> names = freshGameFolder(state, game);
        benchmark::DoNotOptimize(UninstallAddon(game, names, scratch.path() / "BACKUPS"));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Uninstall)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
