// A long operation whose work reports each of 10,000 members at once: the time
// until its result is handed on is what the window's handling of the reports costs.
#include "windows/InstallationModel.h"

#include <QCoreApplication>
#include <QWidget>
#include <benchmark/benchmark.h>

namespace {

void BM_TenThousandReports(benchmark::State& state) {
    constexpr std::size_t kMembers = 10000;
    quorvel::InstallationModel model;
    QWidget window;
    for (auto _ : state) {
        bool ended = false;
        model.run(
            &window, {"Installing", "Unzip"},
            [](quorvel::Installation&, const quorvel::ProgressReport& report,
               const quorvel::CancelRequested&) {
                for (std::size_t done = 1; done <= kMembers; ++done)
                    report(done, kMembers);
                return kMembers;
            },
            [&ended](std::optional<std::size_t>) { ended = true; });
        while (!ended)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}
BENCHMARK(BM_TenThousandReports)->Unit(benchmark::kMillisecond);

} // namespace
