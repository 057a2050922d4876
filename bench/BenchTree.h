#pragma once

#include <cstdint>
#include <filesystem>

namespace quorvel::bench {

struct BenchTreeFigures {
    std::size_t files = 0;
    std::uint64_t bytes = 0;
};

// Writes a terrain-like tree of add-on files under `root`: three folders of files
// from 5 KB to 2 MB (most of them small) of semi-compressible data, named with
// the game's file types, until about `megabytes` are written. The same seed gives
// the same bytes on every machine.
BenchTreeFigures MakeBenchTree(const std::filesystem::path& root, std::uint64_t megabytes,
                               std::uint64_t seed);

} // namespace quorvel::bench
