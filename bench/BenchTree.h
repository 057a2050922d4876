#pragma once

#include <cstdint>
#include <filesystem>

namespace quorvel::bench {

struct BenchTreeFigures {
    std::size_t files = 0;
    std::uint64_t bytes = 0;
};

// The same seed gives the same names and bytes on every machine. Data is
// semi-compressible: deflate shrinks it about three times.

// A terrain-like tree under `root`: three folders of files from 5 KB to 2 MB
// (most of them small), named with the game's file types, until about
// `megabytes` are written.
BenchTreeFigures MakeBenchTree(const std::filesystem::path& root, std::uint64_t megabytes,
                               std::uint64_t seed);

// `count` files of 1 to 8 KB in two folders under `root`.
BenchTreeFigures MakeSmallFilesTree(const std::filesystem::path& root, std::size_t count,
                                    std::uint64_t seed);

// One file of `megabytes`.
BenchTreeFigures MakeLargeFile(const std::filesystem::path& file, std::uint64_t megabytes,
                               std::uint64_t seed);

// A game folder of `count` loose files of 1 to 4 KB: about half of the game's 21
// types in mixed letter case, the rest of other types.
BenchTreeFigures MakeGameFolder(const std::filesystem::path& folder, std::size_t count,
                                std::uint64_t seed);

// A category folder of `count` small add-on archives, every other one with its
// description beside it.
void MakeCategoryFolder(const std::filesystem::path& folder, std::size_t count);

// A fresh folder under the system's temporary folder, removed with its contents.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace quorvel::bench
