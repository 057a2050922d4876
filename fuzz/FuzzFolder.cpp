#include "FuzzFolder.h"

#include <fstream>
#include <random>
#include <string>

namespace fs = std::filesystem;

namespace quorvel::fuzz {

const fs::path& WorkFolder() {
    static const fs::path folder = [] {
        fs::path path =
            fs::temp_directory_path() / ("quorvel-fuzz-" + std::to_string(std::random_device{}()));
        fs::create_directories(path);
        return path;
    }();
    return folder;
}

void WriteBytes(const fs::path& path, std::string_view data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
}

} // namespace quorvel::fuzz
