#include "platform/NewFileWriter.h"

#include "platform/FileChanges.h"

#include <cerrno>
#include <chrono>
#include <system_error>

namespace fs = std::filesystem;

namespace quorvel {

NewFileWriter::NewFileWriter(const fs::path& file)
    : file_(file) {
    ReportFileChange(FileChange::Create, file_);
    errno = 0;
    out_.open(file_, std::ios::binary | std::ios::trunc);
    if (!out_)
        failed();
}

bool NewFileWriter::write(std::string_view piece) {
    ReportFileChange(FileChange::Write, file_);
    errno = 0;
    return out_.write(piece.data(), static_cast<std::streamsize>(piece.size())) || failed();
}

bool NewFileWriter::close() {
    errno = 0;
    out_.close();
    return !out_.fail() || failed();
}

// The stream keeps no reason of its own; errno still holds the system's.
bool NewFileWriter::failed() {
    const int error = errno;
    error_ = error == 0 ? std::string("the write failed") : std::generic_category().message(error);
    return false;
}

bool SetModificationTime(const fs::path& file, std::int64_t unixSeconds) {
    const auto time = std::chrono::file_clock::from_sys(
        std::chrono::sys_seconds(std::chrono::seconds(unixSeconds)));
    ReportFileChange(FileChange::Attributes, file);
    std::error_code ec;
    fs::last_write_time(file, time, ec);
    return !ec;
}

} // namespace quorvel
