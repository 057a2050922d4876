#include "library/DestinationFolder.h"

#include "platform/NameText.h"

#include <system_error>

namespace fs = std::filesystem;

namespace quorvel {

DestinationFolder::DestinationFolder(const fs::path& folder)
    : listing_(folder) {}

fs::path DestinationFolder::target(const std::string& bareName,
                                   const std::optional<std::string>& placedBefore) const {
    // An entry of exactly this name wins, as in FolderListing, so that on a
    // case-sensitive disk "a.txt" and "A.TXT" stay two files.
    if (listing_.find(bareName) == bareName)
        return InFolder(path(), bareName);
    if (placedBefore)
        return InFolder(path(), *placedBefore);
    return listing_.resolve(bareName);
}

bool DestinationFolder::CanReplace(const fs::path& target) {
    std::error_code ec;
    const fs::file_type type = fs::symlink_status(target, ec).type();
    return type == fs::file_type::not_found || type == fs::file_type::regular ||
           type == fs::file_type::symlink;
}

} // namespace quorvel
