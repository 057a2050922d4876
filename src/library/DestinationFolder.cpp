#include "library/DestinationFolder.h"

#include "platform/FileOperations.h"
#include "platform/NameText.h"
#include "platform/ReadOnlyAttribute.h"

#include <system_error>

#ifdef __linux__
#include <cstdio>
#include <fcntl.h>
#endif

namespace fs = std::filesystem;

namespace quorvel {
namespace {

// Swaps the complete new file and the old entry in one step, so that a crash
// leaves one or the other under the name, never none. Unlike a rename over an
// existing file it does not make ext4 force the new file to disk at once.
bool exchange(const fs::path& temporary, const fs::path& target) {
#ifdef __linux__
    return renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0;
#else
    (void)temporary;
    (void)target;
    return false;
#endif
}

} // namespace

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

bool DestinationFolder::Replace(const fs::path& temporary, const fs::path& target,
                                std::error_code& ec) {
    const fs::file_type oldType = fs::symlink_status(target, ec).type();
    const bool oldEntry = oldType != fs::file_type::not_found;
    if (oldType == fs::file_type::regular)
        ClearReadOnlyAttribute(target);
    if (oldEntry && exchange(temporary, target)) {
        DeleteFileEntry(temporary); // now the old entry, a link as a link
    } else {
        // A rename replaces the entry itself, a link as a link, never through it.
        fs::rename(temporary, target, ec);
        if (ec) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            return false;
        }
    }
    return true;
}

} // namespace quorvel
