#include "platform/FileOperations.h"

#include "platform/NameText.h"
#include "platform/ReadOnlyAttribute.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <string_view>
#include <system_error>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

constexpr const char* kTemporarySuffix = ".quorvel-tmp";

bool isWritable(const fs::path& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec)
        return !fs::exists(fs::symlink_status(path, ec)); // a new file is writable
    return (status.permissions() & fs::perms::owner_write) != fs::perms::none;
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
            fs::remove(it->path(), entryError))
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
    const fs::path temporary = TemporaryNameBeside(destination);
    if (!fs::copy_file(source, temporary, fs::copy_options::overwrite_existing, ec)) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return fail(ec);
    }
    ClearReadOnlyAttribute(destination);
    fs::rename(temporary, destination, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return fail(ec);
    }
    return true;
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
    if (type == fs::file_type::regular)
        ClearReadOnlyAttribute(path);
    return fs::remove(path, ec) && !ec;
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

bool ReplaceFileAtomically(const fs::path& path, const std::string& content) {
    if (path.empty() || !isWritable(path))
        return false;
    const fs::path temporary = TemporaryNameBeside(path);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.flush();
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code ec;
    const fs::file_status old = fs::status(path, ec);
    if (!ec)
        fs::permissions(temporary, old.permissions(), ec);
    fs::rename(temporary, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    RemoveLeftoverTemporaries(path.parent_path());
    return true;
}

} // namespace quorvel
