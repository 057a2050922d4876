#include "platform/FolderListing.h"

#include "platform/FileOperations.h"
#include "platform/NameFolding.h"
#include "platform/NameText.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

// The names of (folded name, name) pairs in folded order, exact names breaking ties.
std::vector<std::string> sortedNames(std::vector<std::pair<std::string, std::string>>& entries) {
    std::sort(entries.begin(), entries.end());
    std::vector<std::string> names;
    names.reserve(entries.size());
    for (auto& entry : entries)
        names.push_back(std::move(entry.second));
    return names;
}

std::function<void(const fs::path&)>& folderReadHook() {
    static std::function<void(const fs::path&)> hook;
    return hook;
}

void noteFolderRead(const fs::path& folder) {
    if (folderReadHook())
        folderReadHook()(folder);
}

// For looking up a single name: one question to the file system when the name is
// there as it is written, else one pass over the folder keeping no names, far
// cheaper than a listing in a game folder of thousands of files. A walk costs
// milliseconds in a folder of 20,000 files.
std::optional<std::string> findOne(const fs::path& folder, const std::string& name) {
    if (auto exact = EntryNamed(folder, name))
        return exact;
    noteFolderRead(folder);
    const std::string folded = FoldCase(name);
    std::optional<std::string> found;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::string entry = NameText(it->path().filename());
        if (FoldCase(entry) != folded)
            continue;
        if (entry == name)
            return entry; // an exact match wins
        if (!found || entry < *found)
            found = std::move(entry);
    }
    return found;
}

} // namespace

void SetFolderReadHook(std::function<void(const fs::path&)> hook) {
    folderReadHook() = std::move(hook);
}

FolderListing::FolderListing(const fs::path& folder)
    : folder_(folder) {
    if (folder.empty())
        return;
    noteFolderRead(folder);
    // Sorted by folded name, each folded once rather than in every comparison.
    std::vector<std::pair<std::string, std::string>> regular;
    std::vector<std::pair<std::string, std::string>> links;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::string name = NameText(it->path().filename());
        std::string folded = FoldCase(name);
        byFoldedName_[folded].push_back(name);
        // The type the folder read gave, where the file system gives one: no call
        // per entry. A link is never taken for the file it points to.
        std::error_code typeError;
        if (it->is_symlink(typeError))
            links.emplace_back(std::move(folded), std::move(name));
        else if (it->is_regular_file(typeError))
            regular.emplace_back(std::move(folded), std::move(name));
    }
    regularFiles_ = sortedNames(regular);
    links_ = sortedNames(links);
}

std::optional<std::string> FolderListing::find(const std::string& name) const {
    const auto hit = byFoldedName_.find(FoldCase(name));
    if (hit == byFoldedName_.end())
        return std::nullopt;
    const auto& candidates = hit->second;
    const auto exact = std::find(candidates.begin(), candidates.end(), name);
    return exact != candidates.end() ? *exact
                                     : *std::min_element(candidates.begin(), candidates.end());
}

fs::path FolderListing::resolve(const std::string& name) const {
    if (folder_.empty())
        return {};
    return InFolder(folder_, find(name).value_or(name));
}

fs::path ResolveInFolder(const fs::path& folder, const std::string& name) {
    if (folder.empty())
        return {};
    return InFolder(folder, findOne(folder, name).value_or(name));
}

fs::path ResolvePath(const fs::path& path) {
    // A bare name has no folder to look in; it is never resolved against the
    // process's current folder.
    if (!path.has_filename() || !path.has_parent_path())
        return path;
    const auto actual = findOne(path.parent_path(), NameText(path.filename()));
    return actual ? InFolder(path.parent_path(), *actual) : path;
}

} // namespace quorvel
