#include "BenchTree.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace quorvel::bench {
namespace {

constexpr std::array<const char*, 3> kFolders{"TEXTURES", "MAPS", "MODELS"};
constexpr std::array<const char*, 6> kExtensions{".TPC", ".TER", ".3DZ", ".PIC", ".DAT", ".TXT"};
constexpr std::uint64_t kMinSize = 5 * 1024;
constexpr std::uint64_t kMaxSize = 2 * 1024 * 1024;
constexpr double kSmallShare = 0.85;
constexpr double kSmallSpread = 27 * 1024;
constexpr std::size_t kPiece = 32;
// About this share of pieces is random; the rest repeats a small vocabulary,
// which gives deflate a ratio of roughly 3.
constexpr double kRandomShare = 0.15;

// Only the engine's raw output is used: its sequence is fixed by the standard,
// unlike the distributions'.
class Random {
public:
    explicit Random(std::uint64_t seed)
        : engine_(seed) {}
    std::uint64_t next() { return engine_(); }
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

private:
    std::mt19937_64 engine_;
};

std::string vocabulary(Random& random) {
    std::string text(4096, ' ');
    for (char& c : text)
        c = static_cast<char>('A' + random.next() % 26);
    return text;
}

// Most files small, a few up to the largest size, as in terrain packs.
std::uint64_t fileSize(Random& random) {
    if (random.unit() < kSmallShare)
        return kMinSize + static_cast<std::uint64_t>(random.unit() * kSmallSpread);
    const double u = random.unit();
    const double scale = std::log(static_cast<double>(kMaxSize) / kMinSize);
    return static_cast<std::uint64_t>(kMinSize * std::exp(u * u * u * scale));
}

std::string fileData(Random& random, const std::string& words, std::uint64_t size) {
    std::string data;
    data.reserve(size);
    while (data.size() < size) {
        if (random.unit() < kRandomShare) {
            for (std::size_t i = 0; i < kPiece; ++i)
                data.push_back(static_cast<char>(random.next() & 0xff));
        } else {
            data.append(words, random.next() % (words.size() - kPiece), kPiece);
        }
    }
    data.resize(size);
    return data;
}

} // namespace

BenchTreeFigures MakeBenchTree(const fs::path& root, std::uint64_t megabytes, std::uint64_t seed) {
    Random random(seed);
    const std::string words = vocabulary(random);
    for (const char* folder : kFolders)
        fs::create_directories(root / folder);
    BenchTreeFigures figures;
    const std::uint64_t target = megabytes * 1024 * 1024;
    while (figures.bytes < target) {
        const std::uint64_t size = fileSize(random);
        const char* folder = kFolders[random.next() % kFolders.size()];
        const char* extension = kExtensions[random.next() % kExtensions.size()];
        char name[32];
        std::snprintf(name, sizeof name, "F%06zu%s", figures.files, extension);
        const std::string data = fileData(random, words, size);
        std::ofstream(root / folder / name, std::ios::binary)
            .write(data.data(), static_cast<std::streamsize>(data.size()));
        ++figures.files;
        figures.bytes += size;
    }
    return figures;
}

} // namespace quorvel::bench
