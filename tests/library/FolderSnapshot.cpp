#include "FolderSnapshot.h"

#include "platform/NameFolding.h"
#include "support/TempFolder.h"
#include "support/WindowsSkips.h"
#include "support/ZipBuilder.h"

#include <algorithm>
#include <set>

namespace fs = std::filesystem;

namespace quorvel::test {
namespace {

const std::string kFolderMark = "<dir>";
const std::string kLinkMark = "-> ";

} // namespace

const char* WhyNotOnWindows(const FolderSnapshot& entries) {
    std::set<std::string> folded;
    for (const auto& [name, content] : entries) {
        if (content.starts_with(kLinkMark))
            return kNeedsLinks;
        if (!folded.insert(FoldCase(name)).second)
            return kNeedsCaseTwins;
    }
    return nullptr;
}

FolderSnapshot SnapshotOf(const fs::path& root, const std::set<std::string>& leftOut) {
    FolderSnapshot snapshot;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
        const std::string name = fs::relative(it->path(), root).generic_string();
        if (leftOut.contains(name))
            continue;
        if (it->is_symlink())
            snapshot[name] = kLinkMark + fs::read_symlink(it->path()).string();
        else if (it->is_directory())
            snapshot[name] = kFolderMark;
        else
            snapshot[name] = ReadFile(it->path());
    }
    return snapshot;
}

FolderSnapshot Tree(std::string_view text) {
    FolderSnapshot entries;
    while (!text.empty()) {
        const std::string_view entry = text.substr(0, text.find("; "));
        const std::size_t equals = entry.find('=');
        entries[std::string(entry.substr(0, equals))] = std::string(entry.substr(equals + 1));
        text.remove_prefix(std::min(entry.size() + 2, text.size()));
    }
    return entries;
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

void MakeArchive(const fs::path& archive, const FolderSnapshot& members) {
    std::vector<ZipEntry> entries;
    for (const auto& [name, data] : members)
        entries.push_back(data == kFolderMark ? ZipEntry{name, "", ZipEntry::Kind::Folder}
                                              : ZipEntry{name, data});
    MakeZip(archive, entries);
}

} // namespace quorvel::test
