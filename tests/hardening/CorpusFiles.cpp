#include "CorpusFiles.h"

#include "support/TempFolder.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace quorvel::test {

fs::path CorpusFolder(const std::string& part) {
    return fs::path(QUORVEL_CORPUS_DIR) / part;
}

std::vector<HostileArchive> HostileArchives() {
    std::vector<HostileArchive> archives;
    std::ifstream manifest(CorpusFolder("hostile") / "MANIFEST");
    for (std::string line; std::getline(manifest, line);) {
        const std::size_t tab = line.find('\t');
        HostileArchive archive{line.substr(0, tab), {}};
        std::istringstream kept(tab == std::string::npos ? "" : line.substr(tab + 1));
        for (std::string name; std::getline(kept, name, ',');)
            archive.kept.push_back(name);
        archives.push_back(archive);
    }
    return archives;
}

void PrintTo(const HostileArchive& archive, std::ostream* out) {
    *out << archive.file;
}

std::vector<std::string> OrdinaryArchives() {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(CorpusFolder("ordinary"), ec))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::map<std::string, ExtractedFile> ExtractedFiles(const fs::path& folder) {
    std::map<std::string, ExtractedFile> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_symlink()) {
            files[name] = {"<link>", 0};
        } else if (entry.is_directory()) {
            files[name] = {"<dir>", 0};
        } else {
            const auto time = std::chrono::file_clock::to_sys(entry.last_write_time());
            files[name] = {
                ReadFile(entry.path()),
                std::chrono::duration_cast<std::chrono::seconds>(time.time_since_epoch()).count()};
        }
    }
    return files;
}

std::vector<std::string> LinksAndTemporaries(const fs::path& root) {
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_symlink() || name.ends_with(".quorvel-tmp"))
            found.push_back(fs::relative(entry.path(), root).string());
    }
    return found;
}

} // namespace quorvel::test
