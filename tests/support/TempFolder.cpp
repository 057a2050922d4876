#include "support/TempFolder.h"

#include "config/AddonCategory.h"
#include "config/PathVariables.h"

#include <atomic>
#include <fstream>
#include <random>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace quorvel::test {

TempFolder::TempFolder() {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    path_ =
        fs::temp_directory_path() / ("quorvel-test-" + std::to_string(::getpid()) + "-" +
                                     std::to_string(counter++) + "-" + std::to_string(random()));
    fs::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

void WriteFile(const fs::path& path, const std::string& content) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "<missing>";
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void SetWritable(const fs::path& entry, bool writable) {
    std::error_code ec;
    fs::permissions(entry, fs::perms::owner_write | fs::perms::group_write,
                    writable ? fs::perm_options::add : fs::perm_options::remove, ec);
}

void MakeProgramFolder(const fs::path& root) {
    for (const AddonCategory& category : kAddonCategories)
        fs::create_directories(root / category.folderName);
    fs::create_directories(root / kBackupFolderName);
    SetProgramFolder(root);
}

} // namespace quorvel::test
