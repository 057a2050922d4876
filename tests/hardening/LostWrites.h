#pragma once

// What a power cut may take away that a kill leaves, for the two file systems a
// game folder lies on. The model the crash-point explorer applies:
//
// - Names (creating, renaming, deleting an entry) are journaled in the order they
//   were made, on ext4 and on NTFS alike: a power cut loses the last of them, as
//   if the process had died at an earlier point. The explorer tries every point,
//   so names need no model of their own.
// - A file's data reaches the disk only when it is flushed, by a flush of that
//   file or of its whole file system; until then the system holds it in memory.
//   A file renamed keeps what it owes: its data goes with the file, not the name.
//   A power cut then leaves such a file
//     ext4 (data=ordered, delayed allocation): empty, its length never committed;
//     NTFS: at its length, with zeros where the data was, the length being journaled.
// - What was flushed stays; files written before the operation began were flushed
//   long ago.

#include "platform/FileChanges.h"

#include <filesystem>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace quorvel::test {

enum class PowerCut { None, Ext4, Ntfs };

// The files whose data a power cut would lose now, kept from the reported changes.
// The reports come from several threads at once.
class UnflushedFiles {
public:
    void note(FileChange change, const std::filesystem::path& path,
              const std::filesystem::path& source);
    std::vector<std::filesystem::path> files() const;

private:
    mutable std::mutex mutex_;
    std::set<std::filesystem::path> files_;
};

// Does to each of `files` still a regular file what `cut` leaves of an unflushed one.
void CutThePower(const std::vector<std::filesystem::path>& files, PowerCut cut);

std::string PowerCutName(PowerCut cut);

} // namespace quorvel::test
