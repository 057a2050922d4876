#include "BenchTree.h"

#include "library/ClearAll.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace quorvel::bench {
namespace {

constexpr std::array<const char*, 3> kFolders{"TEXTURES", "MAPS", "MODELS"};
constexpr std::array<const char*, 6> kExtensions{".TPC", ".TER", ".3DZ", ".PIC", ".DAT", ".TXT"};
constexpr std::array<const char*, 6> kOtherExtensions{".TXT", ".BMP", ".CFG",
                                                      ".WAV", ".DOC", ".LOG"};
constexpr std::uint64_t kMinSize = 5 * 1024;
constexpr std::uint64_t kMaxSize = 2 * 1024 * 1024;
// About 6,000 files in 130 MB, some twenty of them over 1 MB.
constexpr double kSmallShare = 0.91;
constexpr double kSmallSpread = 15 * 1024;
constexpr int kTailPower = 4;
constexpr std::size_t kPiece = 32;
// About this share of pieces is random; the rest repeats a small vocabulary,
// which gives deflate a ratio of roughly 3.
constexpr double kRandomShare = 0.15;
constexpr std::uint64_t kMegabyte = 1024 * 1024;

// Only the engine's raw output is used: its sequence is fixed by the standard,
// unlike the distributions'.
class Random {
public:
    explicit Random(std::uint64_t seed)
        : engine_(seed) {}
    std::uint64_t next() { return engine_(); }
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    std::uint64_t between(std::uint64_t low, std::uint64_t high) {
        return low + next() % (high - low + 1);
    }

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
    return static_cast<std::uint64_t>(kMinSize * std::exp(std::pow(u, kTailPower) * scale));
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

void writeFile(const fs::path& path, const std::string& data) {
    std::ofstream(path, std::ios::binary)
        .write(data.data(), static_cast<std::streamsize>(data.size()));
}

std::string numbered(const char* prefix, std::size_t number, const char* extension) {
    char name[48];
    std::snprintf(name, sizeof name, "%s%06zu%s", prefix, number, extension);
    return name;
}

// The extension in upper or lower case, as players' files come.
std::string mixedCase(Random& random, std::string text) {
    if (random.next() % 2 == 0)
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

BenchTreeFigures MakeBenchTree(const fs::path& root, std::uint64_t megabytes, std::uint64_t seed) {
    Random random(seed);
    const std::string words = vocabulary(random);
    for (const char* folder : kFolders)
        fs::create_directories(root / folder);
    BenchTreeFigures figures;
    while (figures.bytes < megabytes * kMegabyte) {
        const std::uint64_t size = fileSize(random);
        const char* folder = kFolders[random.next() % kFolders.size()];
        const char* extension = kExtensions[random.next() % kExtensions.size()];
        writeFile(root / folder / numbered("F", figures.files, extension),
                  fileData(random, words, size));
        ++figures.files;
        figures.bytes += size;
    }
    return figures;
}

BenchTreeFigures MakeSmallFilesTree(const fs::path& root, std::size_t count, std::uint64_t seed) {
    Random random(seed);
    const std::string words = vocabulary(random);
    BenchTreeFigures figures;
    for (; figures.files < count; ++figures.files) {
        const fs::path folder = root / kFolders[figures.files % 2];
        fs::create_directories(folder);
        const std::uint64_t size = random.between(1024, 8 * 1024);
        const char* extension = kExtensions[random.next() % kExtensions.size()];
        writeFile(folder / numbered("S", figures.files, extension), fileData(random, words, size));
        figures.bytes += size;
    }
    return figures;
}

BenchTreeFigures MakeLargeFile(const fs::path& file, std::uint64_t megabytes, std::uint64_t seed) {
    Random random(seed);
    const std::string words = vocabulary(random);
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    for (std::uint64_t written = 0; written < megabytes; ++written) {
        const std::string data = fileData(random, words, kMegabyte);
        out.write(data.data(), static_cast<std::streamsize>(data.size()));
    }
    return {1, megabytes * kMegabyte};
}

BenchTreeFigures MakeGameFolder(const fs::path& folder, std::size_t count, std::uint64_t seed) {
    Random random(seed);
    const std::string words = vocabulary(random);
    fs::create_directories(folder);
    BenchTreeFigures figures;
    for (; figures.files < count; ++figures.files) {
        const std::string extension =
            random.next() % 2 == 0
                ? std::string(kGameFileMasks[random.next() % kGameFileMasks.size()].substr(1))
                : std::string(kOtherExtensions[random.next() % kOtherExtensions.size()]);
        const std::uint64_t size = random.between(1024, 4 * 1024);
        writeFile(folder / numbered("G", figures.files, mixedCase(random, extension).c_str()),
                  fileData(random, words, size));
        figures.bytes += size;
    }
    return figures;
}

void MakeCategoryFolder(const fs::path& folder, std::size_t count) {
    fs::create_directories(folder);
    for (std::size_t i = 0; i < count; ++i) {
        writeFile(folder / numbered("Addon ", i, i % 3 == 0 ? ".ZIP" : ".zip"), "PK");
        if (i % 2 == 0)
            writeFile(folder / numbered("Addon ", i, ".txt"), "An add-on.");
    }
}

ScratchFolder::ScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "quorvel-bench-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data()) ? fs::path(pattern) : fs::path();
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    if (!path_.empty())
        fs::remove_all(path_, ec);
}

} // namespace quorvel::bench
