#include "library/Unzip.h"

#include "library/DestinationFolder.h"
#include "library/MemberName.h"
#include "library/MemberSizeLimit.h"
#include "platform/FileOperations.h"
#include "platform/ZipArchive.h"

#include <chrono>
#include <fstream>
#include <optional>
#include <system_error>
#include <unordered_set>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

using Status = UnzipResult::Status;

Status statusOf(ZipArchive::OpenStatus status) {
    switch (status) {
    case ZipArchive::OpenStatus::Missing:
        return Status::ArchiveMissing;
    case ZipArchive::OpenStatus::NotAZipArchive:
        return Status::NotAZipArchive;
    default:
        return Status::ArchiveUnreadable;
    }
}

// The bare name a member is to be written under; nothing for a member that is
// not written (folder entries, links, encrypted members, unusable names).
std::optional<std::string> writableName(const ZipMember& member) {
    if (member.isFolder || member.isLink || member.isEncrypted)
        return std::nullopt;
    return BareMemberName(member.storedName);
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

// Writes one member's data, checked whole, to a new file. Depends on nothing but
// the archive and its own file, so members can later be spread over threads.
bool extractToFile(const ZipArchive& archive, std::size_t index, const fs::path& file) {
    bool written = false;
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        written = out && archive.readMember(index, [&out](std::string_view piece) {
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

// Extracts one member through a temporary file beside its target; returns the
// name it now has in the destination, or nothing when it was not written.
std::optional<std::string> extractMember(const ZipArchive& archive, std::size_t index,
                                         DestinationFolder& destination, std::uint64_t freeSpace) {
    const std::optional<ZipMember> member = archive.member(index);
    const std::optional<std::string> bareName = member ? writableName(*member) : std::nullopt;
    if (!bareName || !MemberSizeAllowed(member->size, freeSpace))
        return std::nullopt;
    const fs::path target = destination.target(*bareName);
    if (!DestinationFolder::CanReplace(target))
        return std::nullopt;
    const fs::path temporary = TemporaryNameBeside(target);
    if (!extractToFile(archive, index, temporary))
        return std::nullopt;
    setModificationTime(temporary, *member);
    if (!destination.replace(temporary, target))
        return std::nullopt;
    return target.filename().string();
}

bool isFolderEntry(const ZipArchive& archive, std::size_t index) {
    const std::optional<ZipMember> member = archive.member(index);
    return member && member->isFolder && !member->isLink;
}

UnzipResult failure(Status status, std::string description) {
    UnzipResult result;
    result.status = status;
    result.description = std::move(description);
    return result;
}

} // namespace

UnzipResult Unzip(const fs::path& archivePath, const fs::path& destinationPath,
                  const UnzipProgress& progress) {
    std::error_code ec;
    if (destinationPath.empty())
        return failure(Status::DestinationMissing, "No destination folder is set");
    if (!fs::is_directory(destinationPath, ec))
        return failure(Status::DestinationMissing, destinationPath.string() + ": No such folder");
    const ZipArchive archive(archivePath);
    if (!archive.isOpen())
        return failure(statusOf(archive.status()), archive.errorText());

    UnzipResult result;
    RemoveLeftoverTemporaries(destinationPath);
    const std::uint64_t freeSpace = fs::space(destinationPath, ec).available;
    DestinationFolder destination(destinationPath);
    std::unordered_set<std::string> written;
    const std::size_t total = archive.memberCount();
    for (std::size_t index = 0; index < total; ++index) {
        if (const auto name = extractMember(archive, index, destination, freeSpace)) {
            if (written.insert(*name).second)
                result.writtenNames.push_back(*name);
        } else if (!isFolderEntry(archive, index)) {
            ++result.skippedMembers;
        }
        if (progress)
            progress(index + 1, total);
    }
    return result;
}

} // namespace quorvel
