#include "platform/FolderListing.h"

#include "platform/NameFolding.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

namespace quorvel {

FolderListing::FolderListing(const fs::path& folder)
    : folder_(folder) {
    if (folder.empty())
        return;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::string name = it->path().filename().string();
        byFoldedName_[FoldCase(name)].push_back(name);
        std::error_code statusError;
        // symlink_status: a link is never taken for the file it points to.
        const fs::file_type type = it->symlink_status(statusError).type();
        if (type == fs::file_type::regular)
            regularFiles_.push_back(std::move(name));
        else if (type == fs::file_type::symlink)
            links_.push_back(std::move(name));
    }
    const auto byFoldedName = [](const std::string& a, const std::string& b) {
        const std::string fa = FoldCase(a);
        const std::string fb = FoldCase(b);
        return fa != fb ? fa < fb : a < b;
    };
    std::sort(regularFiles_.begin(), regularFiles_.end(), byFoldedName);
    std::sort(links_.begin(), links_.end(), byFoldedName);
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
    return folder_ / find(name).value_or(name);
}

fs::path ResolveInFolder(const fs::path& folder, const std::string& name) {
    return FolderListing(folder).resolve(name);
}

fs::path ResolvePath(const fs::path& path) {
    // A bare name has no folder to look in; it is never resolved against the
    // process's current folder.
    if (!path.has_filename() || !path.has_parent_path())
        return path;
    const auto actual = FolderListing(path.parent_path()).find(path.filename().string());
    return actual ? path.parent_path() / *actual : path;
}

} // namespace quorvel
