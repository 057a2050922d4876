#pragma once

#include "platform/FolderListing.h"

#include <filesystem>
#include <optional>
#include <string>

namespace quorvel {

// The folder an extraction writes into, read once, so that each name is looked up
// without regard to case and without reading the folder again. Never changed after
// the read: the threads of one extraction share it.
class DestinationFolder {
public:
    explicit DestinationFolder(const std::filesystem::path& folder);

    const std::filesystem::path& path() const { return listing_.folder(); }

    // Where a file of this bare name goes: an entry of exactly this name; else the
    // name an earlier member of this name in any letter case was put under
    // (`placedBefore`); else the existing entry of that name in any letter case;
    // else a new entry under the name as given.
    std::filesystem::path target(const std::string& bareName,
                                 const std::optional<std::string>& placedBefore) const;

    // Whether the entry at `target` may be replaced by a file: nothing there, a
    // regular file or a link. Folders and other kinds are never replaced.
    static bool CanReplace(const std::filesystem::path& target);

private:
    FolderListing listing_;
};

} // namespace quorvel
