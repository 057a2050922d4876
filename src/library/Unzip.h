#pragma once

#include "library/SkippedMember.h"
#include "platform/Outcome.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace quorvel {

struct Extraction {
    enum class Status {
        Extracted,      // every member that can be written was written
        SomeNotWritten, // files were written, but the destination refused some members
        NothingWritten, // not one file: an empty archive, or every member skipped
        ArchiveMissing,
        NotAZipArchive,
        ArchiveUnreadable,
        DestinationMissing
    };
    Status status = Status::NothingWritten;
    std::vector<std::string>
        writtenNames; // bare names written into the destination, in order, each once
    std::vector<SkippedMember> skipped; // in archive order: encrypted, damaged, refused ...
};

// Done when every member that can be written was written (Extracted); else why()
// is the text of the "Unzip: " box, naming the archive, and the report still says
// what was written.
using UnzipResult = Outcome<Extraction>;

// Called after each member: members done, members in all. Called from the worker
// threads of the extraction, never two calls at once, `done` rising by one each time.
using UnzipProgress = std::function<void(std::size_t done, std::size_t total)>;

// How an extraction is spread over threads. The program keeps the defaults, chosen
// from the machine; any other spread writes the same files and gives the same result,
// only at another speed. One worker is the plain order that the spread extraction is
// checked and timed against.
struct UnzipTuning {
    // Threads, each with its own archive handle and buffers; 0: four per core, at
    // most eight, since a thread often waits for the disk to free an old file.
    std::size_t workers = 0;
    // Members of at most this size are inflated in memory, larger ones streamed.
    std::size_t wholeMemberBound = 4 << 20;
};

// Extracts every member of `archive` flat into `destination` under its bare name,
// replacing a file of that name in any letter case without asking; the later of
// two members with one name wins, and each file takes its member's modification
// time. Members that cannot be written safely (encrypted, damaged, links, names
// without a file name, a folder in the way, larger than the free space or
// kLargestMemberSize) are skipped and listed, leaving the earlier file as it was.
// When no file at all is written, or the destination refuses members, the
// result is not Extracted and its description says which and why.
// Temporary files that an interrupted extraction left in the destination are
// deleted first. Nothing is written when the destination is empty or missing or
// the archive cannot be opened. Members are spread over threads; the result does
// not depend on which finishes first, and Unzip returns when every member is written.
UnzipResult Unzip(const std::filesystem::path& archive, const std::filesystem::path& destination,
                  const UnzipProgress& progress = {}, const UnzipTuning& tuning = {});

// Extracts, as Unzip does, only the members whose bare names are among `names`
// in any letter case; the others are neither written nor reported.
UnzipResult UnzipMembers(const std::filesystem::path& archive,
                         const std::filesystem::path& destination,
                         const std::vector<std::string>& names, const UnzipProgress& progress = {});

} // namespace quorvel
