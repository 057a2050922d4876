#pragma once

#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace quorvel::test {

// The archives written by make_corpus.py at build time.
std::filesystem::path CorpusFolder(const std::string& part);

// One hostile archive and the members whose earlier file must survive it.
struct HostileArchive {
    std::string file;
    std::vector<std::string> kept;
};
std::vector<HostileArchive> HostileArchives();
void PrintTo(const HostileArchive& archive, std::ostream* out);

// The file names of the ordinary archives, sorted.
std::vector<std::string> OrdinaryArchives();

// What an extraction left: each regular file by name with its bytes and
// modification time (seconds); links and folders by name with a marker.
struct ExtractedFile {
    std::string content;
    long long modified = 0;
};
std::map<std::string, ExtractedFile> ExtractedFiles(const std::filesystem::path& folder);

// Every path under `root` (links not followed) that is a link or whose name ends
// in ".quorvel-tmp".
std::vector<std::string> LinksAndTemporaries(const std::filesystem::path& root);

} // namespace quorvel::test
