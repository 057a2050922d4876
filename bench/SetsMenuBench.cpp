// How long the sets menu takes to open beside a set of 60,000 lines, and how long
// the pointer resting on that set waits for its tooltip.
#include "BenchTree.h"
#include "config/PathVariables.h"
#include "library/AddonSets.h"
#include "windows/Principal.h"
#include "windows/SetsMenu.h"

#include <QAction>
#include <QMenu>
#include <benchmark/benchmark.h>
#include <fstream>
#include <memory>

namespace fs = std::filesystem;
using namespace quorvel;

namespace {

constexpr std::size_t kLines = 60000;

// A program folder whose SETS folder holds a few small sets and one of `lines`
// graphics add-ons, every name its own.
class LargeSet {
public:
    explicit LargeSet(std::size_t lines) {
        SetProgramFolder(scratch_.path());
        StorePaths(FolderText(scratch_.path() / "GAME"));
        const fs::path sets = SetsFolder(scratch_.path());
        fs::create_directories(sets);
        for (const char* name : {"Online evening", "1940 campaign", "Last run"})
            std::ofstream(sets / (std::string(name) + ".INI")) << "[ADDONS]\r\nGRAPHICS=CLOUDS\r\n";
        std::ofstream large(sets / "Everything.INI");
        large << "[ADDONS]\r\n";
        for (std::size_t line = 0; line < lines; ++line)
            large << "GRAPHICS=ADDON" << line << "\r\n";
    }

private:
    bench::ScratchFolder scratch_;
};

QAction* itemOf(QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

void BM_OpenSetsMenu(benchmark::State& state) {
    const LargeSet sets(static_cast<std::size_t>(state.range(0)));
    Principal window;
    auto* setsMenu = window.findChild<SetsMenu*>();
    for (auto _ : state) {
        std::unique_ptr<QMenu> menu(setsMenu->menu());
        benchmark::DoNotOptimize(menu.get());
    }
}
BENCHMARK(BM_OpenSetsMenu)->Arg(kLines)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_TooltipOfLargeSet(benchmark::State& state) {
    const LargeSet sets(static_cast<std::size_t>(state.range(0)));
    Principal window;
    auto* setsMenu = window.findChild<SetsMenu*>();
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<QMenu> menu(setsMenu->menu());
        QAction* large = itemOf(menu.get(), QStringLiteral("Everything"));
        state.ResumeTiming();
        large->hover();
        if (!large->toolTip().contains(QStringLiteral("more")))
            state.SkipWithError("the tooltip does not shorten a large set");
    }
}
BENCHMARK(BM_TooltipOfLargeSet)->Arg(kLines)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
