#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace quorvel {

// One read of a folder's entries, for looking names up without regard to letter
// case. Read once per operation: lookups never touch the disk again.
class FolderListing {
public:
    // An empty or unreadable folder gives an empty listing.
    explicit FolderListing(const std::filesystem::path& folder);

    const std::filesystem::path& folder() const { return folder_; }

    // Names of the regular files (links to regular files excluded) directly in
    // the folder, sorted by name without regard to case.
    const std::vector<std::string>& regularFiles() const { return regularFiles_; }

    // Names of the links directly in the folder (whatever they point to), in the
    // same order.
    const std::vector<std::string>& links() const { return links_; }

    // The entry's actual name on disk (any kind of entry), if the folder has one
    // that matches `name` without regard to case. An exact match wins.
    std::optional<std::string> find(const std::string& name) const;

    // folder / actual name when the entry exists, else folder / name: a file that
    // does not exist yet is created under the name it is asked for.
    std::filesystem::path resolve(const std::string& name) const;

private:
    std::filesystem::path folder_;
    std::vector<std::string> regularFiles_;
    std::vector<std::string> links_;
    std::unordered_map<std::string, std::vector<std::string>> byFoldedName_;
};

// Resolves one name in `folder` without regard to case (reads the folder once).
// An empty folder resolves to an empty path: it never stands for the current folder.
std::filesystem::path ResolveInFolder(const std::filesystem::path& folder, const std::string& name);

// Resolves the file name of `path` within its parent folder without regard to case.
std::filesystem::path ResolvePath(const std::filesystem::path& path);

// For tests: `hook` is called with the folder each time a folder's entries are
// read, by a listing or a lookup. An empty function removes it.
void SetFolderReadHook(std::function<void(const std::filesystem::path&)> hook);

} // namespace quorvel
