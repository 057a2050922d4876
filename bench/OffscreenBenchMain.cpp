// The main of the benchmarks that build windows: a QApplication on the offscreen
// platform, then Google Benchmark with the rest of the command line.
#include <QApplication>
#include <benchmark/benchmark.h>
#include <vector>

int main(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    char platform[] = "-platform";
    char offscreen[] = "offscreen";
    args.insert(args.begin() + 1, {platform, offscreen});
    int count = static_cast<int>(args.size());
    QApplication app(count, args.data());
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
