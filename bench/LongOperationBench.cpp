// A long operation whose work reports each of 10,000 members at once: the time
// until the call returns is what the window's handling of the reports costs.
#include "windows/LongOperation.h"

#include <QWidget>
#include <benchmark/benchmark.h>

namespace {

void BM_TenThousandReports(benchmark::State& state) {
    constexpr std::size_t kMembers = 10000;
    QWidget window;
    for (auto _ : state) {
        quorvel::RunInBackground(&window, "Installing", [](const quorvel::ProgressReport& report) {
            for (std::size_t done = 1; done <= kMembers; ++done)
                report(done, kMembers);
        });
    }
}
BENCHMARK(BM_TenThousandReports)->Unit(benchmark::kMillisecond);

} // namespace
