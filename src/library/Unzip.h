#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace quorvel {

struct UnzipResult {
    enum class Status {
        Extracted,
        ArchiveMissing,
        NotAZipArchive,
        ArchiveUnreadable,
        DestinationMissing
    };
    Status status = Status::Extracted;
    std::string description; // what went wrong, for the "Unzip: " box; empty when Extracted
    std::vector<std::string>
        writtenNames;               // bare names written into the destination, in order, each once
    std::size_t skippedMembers = 0; // encrypted, damaged, links, unusable names
    bool ok() const { return status == Status::Extracted; }
};

// Called after each member, from the calling thread: members done, members in all.
using UnzipProgress = std::function<void(std::size_t done, std::size_t total)>;

// Extracts every member of `archive` flat into `destination` under its bare name,
// replacing a file of that name in any letter case without asking; the later of
// two members with one name wins, and each file takes its member's modification
// time. Members that cannot be written safely (encrypted, damaged, links, names
// without a file name, a folder in the way, larger than the free space or
// kLargestMemberSize) are skipped and counted, leaving the earlier file as it was.
// Temporary files that an interrupted extraction left in the destination are
// deleted first. Nothing is written when the destination is empty or missing or
// the archive cannot be opened.
UnzipResult Unzip(const std::filesystem::path& archive, const std::filesystem::path& destination,
                  const UnzipProgress& progress = {});

} // namespace quorvel
