#include "library/ChainExtraction.h"

#include "platform/FileOperations.h"
#include "platform/NameText.h"
#include "platform/NewFileWriter.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <system_error>
#include <variant>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

// Writes one member's data, checked whole, to a new file; removes what it wrote
// when anything fails. Returns why it failed, telling the archive's damage from
// the destination's refusal.
std::optional<SkippedMember> extractToFile(MemberReader& reader, const PlannedMember& planned,
                                           const fs::path& file) {
    const auto refused = [&planned](const NewFileWriter& out) {
        return SkippedMember{planned.index, planned.bareName,
                             "it could not be written: " + out.error(), true};
    };
    std::optional<SkippedMember> failure;
    {
        NewFileWriter out(file);
        if (!out.isOpen())
            return refused(out);
        std::string readError;
        const bool read = reader.read(
            planned.index, planned.member,
            [&](std::string_view piece) {
                if (out.write(piece))
                    return true;
                failure = refused(out);
                return false;
            },
            &readError);
        if (!read && !failure)
            failure = SkippedMember{planned.index, planned.bareName, "it is damaged: " + readError,
                                    false};
        if (!out.close() && !failure)
            failure = refused(out);
    }
    if (failure)
        DeleteFileEntry(file);
    return failure;
}

// The space free in the folder now, asked for each member so that many large
// members together cannot fill the disk either; unknown space holds nothing back.
std::uint64_t freeSpaceIn(const fs::path& folder) {
    std::error_code ec;
    const fs::space_info space = fs::space(folder, ec);
    return ec ? UINT64_MAX : space.available;
}

// Extracts one member to a temporary file beside its target; gives that file, or
// why the member was not written.
std::variant<StagedFile, SkippedMember>
stageMember(MemberReader& reader, const PlannedMember& planned,
            const DestinationFolder& destination, const std::optional<std::string>& placedBefore) {
    const auto skip = [&planned](std::string reason, bool refusedByDestination) {
        return SkippedMember{planned.index, planned.bareName, std::move(reason),
                             refusedByDestination};
    };
    switch (CheckMemberSize(planned.member.size, freeSpaceIn(destination.path()))) {
    case MemberSize::OverLimit:
        return skip("it declares more than 2 GiB", false);
    case MemberSize::OverFreeSpace:
        return skip("the disk has not enough free space for it", true);
    case MemberSize::Allowed:
        break;
    }
    fs::path target = destination.target(planned.bareName, placedBefore);
    if (!DestinationFolder::CanReplace(target))
        return skip("a folder is in the way", true);
    fs::path temporary = TemporaryNameBeside(target);
    if (auto failure = extractToFile(reader, planned, temporary))
        return std::move(*failure);
    // A time the disk refuses leaves the file as written.
    if (planned.member.modified)
        SetModificationTime(temporary, *planned.member.modified);
    return StagedFile{planned.index, planned.index, planned.bareName, std::move(temporary),
                      std::move(target)};
}

// Keeps `file` as what its target receives; an earlier member's file for the same
// target is superseded, as that member's file would have been overwritten.
void keepStaged(ChainOutcome& outcome, StagedFile file) {
    const auto same =
        std::find_if(outcome.staged.begin(), outcome.staged.end(),
                     [&file](const StagedFile& s) { return s.target == file.target; });
    if (same == outcome.staged.end()) {
        outcome.staged.push_back(std::move(file));
        return;
    }
    DeleteFileEntry(same->temporary);
    file.firstIndex = same->firstIndex;
    *same = std::move(file);
}

} // namespace

ChainOutcome StageChain(const MemberChain& chain, MemberReader& reader,
                        const DestinationFolder& destination,
                        const std::function<void()>& memberDone) {
    ChainOutcome outcome;
    std::optional<std::string> placed;
    for (const PlannedMember& planned : chain) {
        auto staged = stageMember(reader, planned, destination, placed);
        if (auto* file = std::get_if<StagedFile>(&staged)) {
            placed = NameText(file->target.filename());
            keepStaged(outcome, std::move(*file));
        } else {
            outcome.skipped.push_back(std::move(std::get<SkippedMember>(staged)));
        }
        memberDone();
    }
    return outcome;
}

void PublishChain(ChainOutcome& outcome) {
    for (StagedFile& file : outcome.staged) {
        if (std::error_code error; !ReplaceEntry(file.temporary, file.target, error))
            outcome.skipped.push_back(
                {file.index, file.bareName,
                 "the file of its name could not be replaced: " + error.message(), true});
        else
            outcome.written.emplace_back(file.firstIndex, NameText(file.target.filename()));
    }
    outcome.staged.clear();
}

MemberSize CheckMemberSize(std::uint64_t declaredSize, std::uint64_t freeSpace) {
    if (declaredSize > kLargestMemberSize)
        return MemberSize::OverLimit;
    return declaredSize > freeSpace ? MemberSize::OverFreeSpace : MemberSize::Allowed;
}

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
