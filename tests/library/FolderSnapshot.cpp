#include "FolderSnapshot.h"

#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace quorvel::test {
namespace {

const std::string kFolderMark = "<dir>";
const std::string kLinkMark = "-> ";

} // namespace

FolderSnapshot SnapshotOf(const fs::path& root) {
    FolderSnapshot snapshot;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
        const std::string name = fs::relative(it->path(), root).generic_string();
        if (it->is_symlink())
            snapshot[name] = kLinkMark + fs::read_symlink(it->path()).string();
        else if (it->is_directory())
            snapshot[name] = kFolderMark;
        else
            snapshot[name] = ReadFile(it->path());
    }
    return snapshot;
}

void LayOut(const fs::path& root, const FolderSnapshot& entries) {
    for (const auto& [name, value] : entries) {
        const fs::path path = root / name;
        fs::create_directories(path.parent_path());
        if (value == kFolderMark)
            fs::create_directories(path);
        else if (value.starts_with(kLinkMark))
            fs::create_symlink(value.substr(kLinkMark.size()), path);
        else
            WriteFile(path, value);
    }
}

} // namespace quorvel::test
