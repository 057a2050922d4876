// How long listing a category folder of 5,000 add-on archives takes: the listing
// itself, a click on the category button that fills the main window's list, and
// the filter over that list, keystroke by keystroke.
#include "BenchTree.h"
#include "config/PathVariables.h"
#include "library/AddonLibrary.h"
#include "windows/Principal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <benchmark/benchmark.h>

namespace fs = std::filesystem;
using namespace quorvel;

namespace {

// A program folder whose TERRAINS folder holds `count` archives.
class TerrainLibrary {
public:
    explicit TerrainLibrary(std::size_t count) {
        SetProgramFolder(scratch_.path());
        StorePaths(FolderText(scratch_.path() / "GAME"));
        bench::MakeCategoryFolder(folder(), count);
    }
    fs::path folder() const { return ReadStoredPaths().CategoryFolder[3]; }

private:
    bench::ScratchFolder scratch_;
};

void BM_ListAddonNames(benchmark::State& state) {
    const TerrainLibrary library(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ListAddonNames(library.folder()));
}
BENCHMARK(BM_ListAddonNames)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_ChooseCategoryInMainWindow(benchmark::State& state) {
    const TerrainLibrary library(static_cast<std::size_t>(state.range(0)));
    Principal window;
    auto* terrains = window.findChild<QAbstractButton*>("Command4");
    auto* flightModels = window.findChild<QAbstractButton*>("Command1");
    auto* list = window.findChild<QListWidget*>("List8");
    for (auto _ : state) {
        terrains->click();
        state.PauseTiming();
        if (list->count() != state.range(0))
            state.SkipWithError("the main window did not list every archive");
        flightModels->click(); // the terrains button is disabled while chosen
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ChooseCategoryInMainWindow)->Arg(5000)->Unit(benchmark::kMillisecond);

// Types "addon 00123" into the filter one letter at a time, then clears it: twelve
// narrowings, from all 5,000 entries down to ten and back. Each waits for the
// list to be laid out and drawn again, as the player waits to see it.
void BM_FilterLibraryListInMainWindow(benchmark::State& state) {
    const TerrainLibrary library(static_cast<std::size_t>(state.range(0)));
    Principal window;
    window.show();
    window.findChild<QAbstractButton*>("Command4")->click();
    auto* filter = window.findChild<QLineEdit*>("Text3");
    const QString typed = QStringLiteral("addon 00123");
    for (auto _ : state) {
        for (qsizetype letters = 1; letters <= typed.size(); ++letters) {
            filter->setText(typed.left(letters));
            QApplication::processEvents();
        }
        filter->clear();
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * (typed.size() + 1));
}
BENCHMARK(BM_FilterLibraryListInMainWindow)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace
