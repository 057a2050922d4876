#include "library/DestinationFolder.h"

#include "platform/FileOperations.h"
#include "platform/NameFolding.h"

#include <system_error>

namespace fs = std::filesystem;

namespace quorvel {

DestinationFolder::DestinationFolder(const fs::path& folder)
    : listing_(folder) {}

fs::path DestinationFolder::target(const std::string& bareName) const {
    const auto placed = placed_.find(FoldCase(bareName));
    if (placed != placed_.end())
        return path() / placed->second;
    return listing_.resolve(bareName);
}

bool DestinationFolder::CanReplace(const fs::path& target) {
    std::error_code ec;
    const fs::file_type type = fs::symlink_status(target, ec).type();
    return type == fs::file_type::not_found || type == fs::file_type::regular ||
           type == fs::file_type::symlink;
}

bool DestinationFolder::replace(const fs::path& temporary, const fs::path& target) {
    std::error_code ec;
    if (!DeleteFileEntry(target)) {
        fs::remove(temporary, ec);
        return false;
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    const std::string name = target.filename().string();
    placed_[FoldCase(name)] = name;
    return true;
}

} // namespace quorvel
