// Extracts arbitrary bytes as an archive and checks that nothing was written
// outside the destination and that no link or folder was made in it.

#include "FuzzFolder.h"
#include "library/Unzip.h"

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;
using namespace quorvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path& work = fuzz::WorkFolder();
    const fs::path archive = work / "FUZZ.ZIP";
    const fs::path destination = work / "GAME";
    fs::remove_all(destination);
    fs::create_directory(destination);
    fuzz::WriteBytes(archive, std::string_view(reinterpret_cast<const char*>(data), size));

    Unzip(archive, destination);

    for (const auto& entry : fs::directory_iterator(work)) {
        if (entry.path() != archive && entry.path() != destination)
            std::abort(); // written beside the destination
    }
    for (const auto& entry : fs::directory_iterator(destination)) {
        if (!entry.is_regular_file() || entry.is_symlink())
            std::abort(); // a link or a folder was made
    }
    return 0;
}
