#include "LostWrites.h"

#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace quorvel::test {

void UnflushedFiles::note(FileChange change, const fs::path& path, const fs::path& source) {
    const std::lock_guard lock(mutex_);
    switch (change) {
    case FileChange::Create:
    case FileChange::Write:
    case FileChange::Copy:
        files_.insert(path);
        break;
    case FileChange::Delete:
        files_.erase(path);
        break;
    case FileChange::Rename: {
        // Reported for a swap of two entries too: each name takes the other's debt.
        const bool sourceOwes = files_.erase(source) > 0;
        if (files_.erase(path) > 0)
            files_.insert(source);
        if (sourceOwes)
            files_.insert(path);
        break;
    }
    case FileChange::Flush: {
        std::error_code ec;
        // The explorer's worlds lie on one file system: a folder's flush is everyone's.
        if (fs::is_directory(path, ec))
            files_.clear();
        else
            files_.erase(path);
        break;
    }
    case FileChange::Attributes:
        break;
    }
}

std::vector<fs::path> UnflushedFiles::files() const {
    const std::lock_guard lock(mutex_);
    return {files_.begin(), files_.end()};
}

void CutThePower(const std::vector<fs::path>& files, PowerCut cut) {
    for (const fs::path& file : files) {
        std::error_code ec;
        if (cut == PowerCut::None || fs::symlink_status(file, ec).type() != fs::file_type::regular)
            continue;
        const std::uintmax_t length = fs::file_size(file, ec);
        const fs::perms permissions = fs::status(file, ec).permissions();
        fs::permissions(file, fs::perms::owner_write, fs::perm_options::add, ec);
        {
            std::ofstream out(file, std::ios::binary | std::ios::trunc);
            if (cut == PowerCut::Ntfs)
                out << std::string(length, '\0');
        }
        fs::permissions(file, permissions, ec);
    }
}

std::string PowerCutName(PowerCut cut) {
    switch (cut) {
    case PowerCut::Ext4:
        return "power cut on ext4";
    case PowerCut::Ntfs:
        return "power cut on NTFS";
    case PowerCut::None:
        break;
    }
    return "kill";
}

} // namespace quorvel::test
