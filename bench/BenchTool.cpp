// Whole operations timed for bench/extract_vs_unzip.sh; prints figures, never fails a run.
#include "BenchTree.h"
#include "library/InstallAddon.h"
#include "library/UninstallAddon.h"
#include "library/Unzip.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fs = std::filesystem;
using namespace quorvel;

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int makeTree(char** argv) {
    const auto figures = bench::MakeBenchTree(argv[2], std::strtoull(argv[3], nullptr, 10),
                                              std::strtoull(argv[4], nullptr, 10));
    std::printf("%zu files, %.1f MB\n", figures.files, figures.bytes / (1024.0 * 1024.0));
    return 0;
}

int unzip(int argc, char** argv) {
    UnzipTuning tuning;
    if (argc > 4)
        tuning.workers = std::strtoull(argv[4], nullptr, 10);
    const auto start = std::chrono::steady_clock::now();
    const UnzipResult result = Unzip(argv[2], argv[3], {}, tuning);
    const double seconds = secondsSince(start);
    if (!result.ok())
        std::fprintf(stderr, "Unzip: %s\n", result.description.c_str());
    std::printf("%.3f\n", seconds);
    return 0;
}

int installUninstall(char** argv) {
    const fs::path library = argv[2];
    const std::string name = argv[3];
    const fs::path game = argv[4];
    const fs::path backup = argv[5];
    auto start = std::chrono::steady_clock::now();
    const UnzipResult installed = InstallAddon(library, name, game);
    const double install = secondsSince(start);
    start = std::chrono::steady_clock::now();
    const UninstallResult removed = UninstallAddon(game, installed.writtenNames, backup);
    const double uninstall = secondsSince(start);
    std::printf("install   %8.3f s  (%zu files written)\n", install, installed.writtenNames.size());
    std::printf("uninstall %8.3f s  (%zu files deleted)\n", uninstall, removed.deleted.size());
    std::printf("uninstall / install = %.4f\n", install > 0 ? uninstall / install : 0.0);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "make-tree" && argc == 5)
        return makeTree(argv);
    if (command == "unzip" && (argc == 4 || argc == 5))
        return unzip(argc, argv);
    if (command == "install-uninstall" && argc == 6)
        return installUninstall(argv);
    std::fprintf(stderr,
                 "usage: %s make-tree FOLDER MEGABYTES SEED\n"
                 "       %s unzip ARCHIVE DESTINATION [THREADS]\n"
                 "       %s install-uninstall LIBRARY NAME GAME BACKUPS\n",
                 argv[0], argv[0], argv[0]);
    return 2;
}
