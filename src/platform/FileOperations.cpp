#include "platform/FileOperations.h"

#include "platform/FileChanges.h"
#include "platform/NameFolding.h"
#include "platform/NameText.h"
#include "platform/Workers.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <string_view>
#include <system_error>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace quorvel {
namespace {

constexpr const char* kTemporarySuffix = ".quorvel-tmp";

// Windows refuses to replace or delete a file that carries the read-only
// attribute (games installed from a CD often do), where Linux lets the folder's
// permissions decide. Lifts the attribute of `path` on Windows for such an
// operation and sets it again unless the operation was done, so that a failed
// one leaves every attribute as it was; does nothing elsewhere, nor for a missing
// entry or an empty path.
class ReadOnlyLifted {
public:
    explicit ReadOnlyLifted(const fs::path& path) {
#ifdef _WIN32
        const DWORD attributes =
            path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
            ReportFileChange(FileChange::Attributes, path);
            if (SetFileAttributesW(path.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY}))
                lifted_ = path;
        }
#else
        (void)path;
#endif
    }
    ~ReadOnlyLifted() {
#ifdef _WIN32
        const DWORD attributes =
            lifted_.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(lifted_.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            ReportFileChange(FileChange::Attributes, lifted_);
            SetFileAttributesW(lifted_.c_str(), attributes | FILE_ATTRIBUTE_READONLY);
        }
#endif
    }
    ReadOnlyLifted(const ReadOnlyLifted&) = delete;
    ReadOnlyLifted& operator=(const ReadOnlyLifted&) = delete;

    // Passes the operation's result on; once it is done, the old file and its
    // attribute are gone, and nothing is set again.
    bool done(bool succeeded) {
        if (succeeded)
            lifted_.clear();
        return succeeded;
    }

private:
    fs::path lifted_;
};

bool isWritable(const fs::path& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec)
        return !fs::exists(fs::symlink_status(path, ec)); // a new file is writable
    return (status.permissions() & fs::perms::owner_write) != fs::perms::none;
}

// The plain file-changing calls, each reported just before it is made.
bool removeEntry(const fs::path& path, std::error_code& ec) {
    ReportFileChange(FileChange::Delete, path);
    return fs::remove(path, ec);
}

void renameEntry(const fs::path& from, const fs::path& to, std::error_code& ec) {
    ReportFileChange(FileChange::Rename, to, from);
    fs::rename(from, to, ec);
}

// Puts the file's data on the disk, not only into the system's cache: renamed over
// the old file before that, a power cut could leave an empty file in its place.
// A copy of a read-only file is read-only too, and must be flushed all the same.
bool flushToDisk(const fs::path& file) {
    ReportFileChange(FileChange::Flush, file);
#ifdef _WIN32
    const ReadOnlyLifted writable(file);
    const HANDLE handle =
        CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool flushed = handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle) != 0;
    if (handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
    return flushed;
#else
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (descriptor < 0)
        return false;
    const bool flushed = ::fsync(descriptor) == 0;
    ::close(descriptor);
    return flushed;
#endif
}

// The one temporary name of `target`'s replacement. What a killed write left
// behind has the same name, so the next write finds it without reading the
// folder, and the name is free again before the new temporary is made.
std::optional<fs::path> freeStagingName(const fs::path& target) {
    fs::path staging = target;
    staging += kTemporarySuffix;
    if (!DeleteFileEntry(staging))
        return std::nullopt; // a folder or the like of that name: not ours to remove
    return staging;
}

// Flushes `staging`, renames it over `target` and flushes the folder; on failure
// it is removed and `ec` says why.
bool putInPlace(const fs::path& staging, const fs::path& target, std::error_code& ec) {
    ec.clear();
    if (flushToDisk(staging))
        renameEntry(staging, target, ec);
    else
        ec = std::make_error_code(std::errc::io_error);
    if (ec) {
        std::error_code ignored;
        removeEntry(staging, ignored);
        return false;
    }
    FlushFolder(target.parent_path());
    return true;
}

// Swaps the complete new file and the old entry in one step, so that a crash
// leaves one or the other under the name, never none. Unlike a rename over an
// existing file it does not make ext4 force the new file to disk at once.
bool exchange(const fs::path& temporary, const fs::path& target) {
#ifdef __linux__
    ReportFileChange(FileChange::Rename, target, temporary);
    return renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0;
#else
    (void)temporary;
    (void)target;
    return false;
#endif
}

} // namespace

fs::path TemporaryNameBeside(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (;;) {
        fs::path candidate = target;
        candidate += "." + std::to_string(stamp % 1000000007) + "-" + std::to_string(counter++) +
                     kTemporarySuffix;
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(candidate, ec)))
            return candidate;
    }
}

std::size_t RemoveLeftoverTemporaries(const fs::path& folder) {
    if (folder.empty())
        return 0;
    const std::string_view suffix = kTemporarySuffix;
    std::size_t removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = NameText(it->path().filename());
        if (name.size() <= suffix.size() || !name.ends_with(suffix))
            continue;
        std::error_code entryError;
        if (it->symlink_status(entryError).type() == fs::file_type::regular &&
            removeEntry(it->path(), entryError))
            ++removed;
    }
    return removed;
}

bool CopyFileReplacing(const fs::path& source, const fs::path& destination,
                       std::error_code* error) {
    std::error_code ec;
    const auto fail = [error](std::error_code why) {
        if (error)
            *error = why;
        return false;
    };
    if (source.empty() || destination.empty() || !fs::is_regular_file(source, ec))
        return fail(std::make_error_code(std::errc::no_such_file_or_directory));
    if (fs::exists(destination, ec) && fs::equivalent(source, destination, ec))
        return true; // copying a file onto itself must not destroy it
    const auto staging = freeStagingName(destination);
    if (!staging)
        return fail(std::make_error_code(std::errc::file_exists));
    ReportFileChange(FileChange::Copy, *staging, source);
    if (!fs::copy_file(source, *staging, ec)) {
        std::error_code ignored;
        removeEntry(*staging, ignored);
        return fail(ec);
    }
    ReadOnlyLifted lifted(destination);
    return lifted.done(putInPlace(*staging, destination, ec)) || fail(ec);
}

bool CopyEntryReplacing(const fs::path& source, const fs::path& destination) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(source, ec)))
        return CopyFileReplacing(source, destination);
    const auto staging = freeStagingName(destination);
    if (!staging)
        return false;
    ReportFileChange(FileChange::Copy, *staging, source);
    fs::copy_symlink(source, *staging, ec);
    if (ec) {
        DeleteFileEntry(*staging);
        return false;
    }
    return ReplaceEntry(*staging, destination, ec);
}

namespace {

// A second name for a file's bytes costs no copy, and is safe while nothing writes
// into the file where it lies: only a file that can be written is linked, since
// clearing a read-only attribute to delete one name would clear it on both.
bool linkedWhereSafe(const fs::path& source, const fs::path& destination) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(source, ec);
    if (ec || !fs::is_regular_file(status) ||
        (status.permissions() & fs::perms::owner_write) == fs::perms::none)
        return false;
    fs::create_hard_link(source, destination, ec);
    return !ec;
}

std::size_t placeEntriesTogether(const std::vector<std::pair<fs::path, fs::path>>& entries,
                                 bool link) {
    std::size_t placed = 0;
    for (const auto& [source, destination] : entries) {
        std::error_code ec;
        if (!DeleteFileEntry(destination))
            break;
        ReportFileChange(FileChange::Copy, destination, source);
        const bool linked = link && linkedWhereSafe(source, destination);
        if (!linked && fs::is_symlink(fs::symlink_status(source, ec)))
            fs::copy_symlink(source, destination, ec);
        else if (!linked)
            fs::copy_file(source, destination, ec);
        if (ec)
            break;
        ++placed;
    }
    std::vector<fs::path> made;
    for (std::size_t i = 0; i < placed; ++i)
        made.push_back(entries[i].second);
    FlushFilesTogether(made);
    return placed;
}

} // namespace

std::size_t CopyEntriesFlushedTogether(const std::vector<std::pair<fs::path, fs::path>>& copies) {
    return placeEntriesTogether(copies, false);
}

std::size_t KeepEntriesFlushedTogether(const std::vector<std::pair<fs::path, fs::path>>& entries) {
    return placeEntriesTogether(entries, true);
}

void FlushFolder(const fs::path& folder) {
#ifdef _WIN32
    (void)folder;
#else
    const int descriptor =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    ::fsync(descriptor);
    ::close(descriptor);
#endif
}

bool FlushFilesTogether(const std::vector<fs::path>& files) {
    if (files.empty())
        return true;
#ifdef _WIN32
    // A flush each, several at once: the disk takes them together rather than
    // one after the other.
    std::atomic<bool> flushed{true};
    std::atomic<std::size_t> next{0};
    RunOnWorkers(std::min<std::size_t>(files.size(), 8), [&](std::size_t) {
        for (std::size_t i = next++; i < files.size(); i = next++)
            if (!fs::is_symlink(files[i]) && !flushToDisk(files[i]))
                flushed = false;
    });
    return flushed;
#else
    // One flush of the file system puts every file and its name on the disk.
    const fs::path folder = files.front().parent_path();
    ReportFileChange(FileChange::Flush, folder);
    const int descriptor =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool flushed = ::syncfs(descriptor) == 0;
    ::close(descriptor);
    return flushed;
#endif
}

bool MakeFolders(const fs::path& folder) {
    std::error_code ec;
    if (folder.empty() || fs::is_directory(folder, ec))
        return !folder.empty();
    const fs::path parent = folder.parent_path();
    return (parent == folder || MakeFolders(parent)) && CreateFolder(folder);
}

bool DeleteFileEntry(const fs::path& path) {
    if (path.empty())
        return false;
    std::error_code ec;
    const fs::file_type type = fs::symlink_status(path, ec).type();
    if (type == fs::file_type::not_found)
        return true;
    if (type != fs::file_type::regular && type != fs::file_type::symlink)
        return false;
    ReadOnlyLifted lifted(type == fs::file_type::regular ? path : fs::path());
    return lifted.done(removeEntry(path, ec) && !ec);
}

std::optional<std::string> ReadWholeFile(const fs::path& path) {
    std::error_code ec;
    if (path.empty() || !fs::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    // One read of the whole size; a file that grows meanwhile is read to its end.
    const std::uintmax_t size = fs::file_size(path, ec);
    std::string content(ec ? 0 : size, '\0');
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    content.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        return std::nullopt;
    content.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return content;
}

bool ReplaceEntry(const fs::path& temporary, const fs::path& target, std::error_code& ec) {
    const fs::file_type oldType = fs::symlink_status(target, ec).type();
    const bool oldEntry = oldType != fs::file_type::not_found;
    ReadOnlyLifted lifted(oldType == fs::file_type::regular ? target : fs::path());
    if (oldEntry && exchange(temporary, target)) {
        DeleteFileEntry(temporary); // now the old entry, a link as a link
        return lifted.done(true);
    }
    // A rename replaces the entry itself, a link as a link, never through it.
    renameEntry(temporary, target, ec);
    if (ec) {
        std::error_code ignored;
        removeEntry(temporary, ignored);
        return false;
    }
    return lifted.done(true);
}

bool ReplaceFileAtomically(const fs::path& path, const std::string& content,
                           ReadOnlyFile readOnly) {
    ReadOnlyLifted lifted(readOnly == ReadOnlyFile::Clear ? path : fs::path());
    if (path.empty() || !isWritable(path))
        return false;
    const auto staging = freeStagingName(path);
    if (!staging)
        return false;
    {
        ReportFileChange(FileChange::Create, *staging);
        std::ofstream out(*staging, std::ios::binary | std::ios::trunc);
        ReportFileChange(FileChange::Write, *staging);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.flush();
        if (!out) {
            std::error_code ignored;
            removeEntry(*staging, ignored);
            return false;
        }
    }
    std::error_code ec;
    const fs::file_status old = fs::status(path, ec);
    if (!ec) {
        ReportFileChange(FileChange::Attributes, *staging);
        fs::permissions(*staging, old.permissions(), ec);
    }
    return lifted.done(putInPlace(*staging, path, ec));
}

bool RenameEntry(const fs::path& from, const fs::path& to, std::error_code& error) {
    error.clear();
    renameEntry(from, to, error);
    return !error;
}

bool MoveEntryToFreeName(const fs::path& from, const fs::path& to) {
    if (from.empty() || to.empty())
        return false;
#ifdef _WIN32
    ReportFileChange(FileChange::Rename, to, from);
    return MoveFileExW(from.c_str(), to.c_str(), 0) != 0;
#elif defined(__linux__)
    ReportFileChange(FileChange::Rename, to, from);
    return renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0;
#else
    return false; // no rename that refuses to replace: the caller copies
#endif
}

bool RenameReplacing(const fs::path& from, const fs::path& to, std::error_code& error) {
    std::error_code ec;
    ReadOnlyLifted lifted(fs::symlink_status(to, ec).type() == fs::file_type::regular ? to
                                                                                      : fs::path());
    return lifted.done(RenameEntry(from, to, error));
}

bool CreateFolder(const fs::path& folder) {
    std::error_code ec;
    if (folder.empty() || fs::is_directory(folder, ec))
        return !folder.empty();
    ReportFileChange(FileChange::Create, folder);
    return fs::create_directory(folder, ec) && !ec;
}

std::optional<std::string> EntryNamed(const fs::path& folder, const std::string& name) {
    if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\*?") != name.npos)
        return std::nullopt;
#ifdef _WIN32
    if (name.back() == '.' || name.back() == ' ')
        return std::nullopt;
    WIN32_FIND_DATAW entry;
    const HANDLE found = FindFirstFileW(InFolder(folder, name).c_str(), &entry);
    if (found == INVALID_HANDLE_VALUE)
        return std::nullopt;
    FindClose(found);
    std::string onDisk = NameText(fs::path(entry.cFileName));
    if (FoldCase(onDisk) != FoldCase(name))
        return std::nullopt;
    return onDisk;
#else
    // A case-sensitive folder holds the exact name, which wins over other cases.
    struct stat info;
    if (lstat(InFolder(folder, name).c_str(), &info) != 0)
        return std::nullopt;
    return name;
#endif
}

} // namespace quorvel
