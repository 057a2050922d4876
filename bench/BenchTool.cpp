// Whole operations for bench/speed.sh: makes the reproducible inputs and runs one
// operation of the program per call. Prints figures, never fails a run.
#include "BenchTree.h"
#include "library/AddonLibrary.h"
#include "library/ClearAll.h"
#include "library/UninstallAddon.h"
#include "library/Unzip.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fs = std::filesystem;
using namespace quorvel;

namespace {

std::uint64_t number(const char* text) {
    return std::strtoull(text, nullptr, 10);
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int printed(const bench::BenchTreeFigures& figures) {
    std::printf("%zu files, %.1f MB\n", figures.files, figures.bytes / (1024.0 * 1024.0));
    return 0;
}

int unzip(int argc, char** argv) {
    UnzipTuning tuning;
    if (argc > 4)
        tuning.workers = number(argv[4]);
    const UnzipResult result = Unzip(argv[2], argv[3], {}, tuning);
    if (!result.done())
        std::fprintf(stderr, "Unzip: %s\n", result.why().c_str());
    return 0;
}

int installUninstall(char** argv) {
    const fs::path library = argv[2];
    const std::string name = argv[3];
    const fs::path game = argv[4];
    const fs::path backup = argv[5];
    auto start = std::chrono::steady_clock::now();
    const UnzipResult installed = Unzip(AddonArchivePath(library, name), game);
    const double install = secondsSince(start);
    start = std::chrono::steady_clock::now();
    const UninstallResult removed = UninstallAddon(game, installed->writtenNames, backup);
    const double uninstall = secondsSince(start);
    std::printf("%.4f %.4f %zu %zu\n", install, uninstall, installed->writtenNames.size(),
                removed.deleted.size());
    return 0;
}

int clearAll(char** argv) {
    const ClearAllResult result = ClearAll(argv[2], argv[3], AddonFileRecord());
    std::printf("%zu deleted, %zu failed\n", result.deleted.size(), result.failed.size());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "make-tree" && argc == 5)
        return printed(bench::MakeBenchTree(argv[2], number(argv[3]), number(argv[4])));
    if (command == "make-small" && argc == 5)
        return printed(bench::MakeSmallFilesTree(argv[2], number(argv[3]), number(argv[4])));
    if (command == "make-large" && argc == 5)
        return printed(bench::MakeLargeFile(argv[2], number(argv[3]), number(argv[4])));
    if (command == "make-game" && argc == 5)
        return printed(bench::MakeGameFolder(argv[2], number(argv[3]), number(argv[4])));
    if (command == "unzip" && (argc == 4 || argc == 5))
        return unzip(argc, argv);
    if (command == "install-uninstall" && argc == 6)
        return installUninstall(argv);
    if (command == "clear-all" && argc == 4)
        return clearAll(argv);
    std::fprintf(stderr, "usage: quorvel_bench_tool make-tree FOLDER MEGABYTES SEED\n"
                         "       quorvel_bench_tool make-small FOLDER FILES SEED\n"
                         "       quorvel_bench_tool make-large FILE MEGABYTES SEED\n"
                         "       quorvel_bench_tool make-game FOLDER FILES SEED\n"
                         "       quorvel_bench_tool unzip ARCHIVE DESTINATION [THREADS]\n"
                         "       quorvel_bench_tool install-uninstall LIBRARY NAME GAME BACKUPS\n"
                         "       quorvel_bench_tool clear-all GAME BACKUPS\n");
    return 2;
}
