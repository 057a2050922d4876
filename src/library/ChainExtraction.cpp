#include "library/ChainExtraction.h"

#include "library/MemberSizeLimit.h"
#include "platform/FileOperations.h"
#include "platform/NameText.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <optional>
#include <system_error>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

// Writes one member's data, checked whole, to a new file; removes what it wrote
// when the member turns out damaged.
bool extractToFile(MemberReader& reader, const PlannedMember& planned, const fs::path& file) {
    bool written = false;
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        written = out && reader.read(planned.index, planned.member, [&out](std::string_view piece) {
            return static_cast<bool>(
                out.write(piece.data(), static_cast<std::streamsize>(piece.size())));
        });
        out.close();
        written = written && !out.fail();
    }
    if (!written) {
        std::error_code ignored;
        fs::remove(file, ignored);
    }
    return written;
}

// Gives the extracted file the member's own modification time, as other unzip
// tools do; a time the disk refuses leaves the file as written.
void setModificationTime(const fs::path& file, const ZipMember& member) {
    if (!member.modified)
        return;
    const auto time = std::chrono::file_clock::from_sys(
        std::chrono::sys_seconds(std::chrono::seconds(*member.modified)));
    std::error_code ignored;
    fs::last_write_time(file, time, ignored);
}

// The space free in the folder now, asked for each member so that many large
// members together cannot fill the disk either; unknown space holds nothing back.
std::uint64_t freeSpaceIn(const fs::path& folder) {
    std::error_code ec;
    const fs::space_info space = fs::space(folder, ec);
    return ec ? UINT64_MAX : space.available;
}

// Extracts one member through a temporary file beside its target; returns the
// name it now has in the destination, or nothing when it was not written.
std::optional<std::string> extractMember(MemberReader& reader, const PlannedMember& planned,
                                         const DestinationFolder& destination,
                                         const std::optional<std::string>& placedBefore) {
    if (!MemberSizeAllowed(planned.member.size, freeSpaceIn(destination.path())))
        return std::nullopt;
    const fs::path target = destination.target(planned.bareName, placedBefore);
    if (!DestinationFolder::CanReplace(target))
        return std::nullopt;
    const fs::path temporary = TemporaryNameBeside(target);
    if (!extractToFile(reader, planned, temporary))
        return std::nullopt;
    setModificationTime(temporary, planned.member);
    if (!DestinationFolder::Replace(temporary, target))
        return std::nullopt;
    return NameText(target.filename());
}

bool contains(const ChainOutcome& outcome, const std::string& name) {
    return std::any_of(outcome.written.begin(), outcome.written.end(),
                       [&name](const auto& written) { return written.second == name; });
}

} // namespace

ChainOutcome ExtractChain(const MemberChain& chain, MemberReader& reader,
                          const DestinationFolder& destination,
                          const std::function<void()>& memberDone) {
    ChainOutcome outcome;
    std::optional<std::string> placed;
    for (const PlannedMember& planned : chain) {
        if (auto name = extractMember(reader, planned, destination, placed)) {
            if (!contains(outcome, *name))
                outcome.written.emplace_back(planned.index, *name);
            placed = std::move(name);
        } else {
            ++outcome.skipped;
        }
        memberDone();
    }
    return outcome;
}

} // namespace quorvel
