#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace quorvel {

// A new file written piece by piece: an extracted add-on file under its temporary
// name. Not flushed to the disk: ReplaceEntry puts it in place without forcing it
// out, which keeps a large extraction as fast as other unzip tools. Each piece
// goes to the stream as it is, so writing costs no call beyond the stream's own.
class NewFileWriter {
public:
    // Creates `file`, or empties it when it exists.
    explicit NewFileWriter(const std::filesystem::path& file);

    bool isOpen() const { return out_.is_open() && out_.good(); }
    // Appends `piece`; false when the system refused it.
    bool write(std::string_view piece);
    // Writes out what the stream holds and closes the file; false when that failed.
    bool close();
    // Why the last call failed, as the system words it.
    const std::string& error() const { return error_; }

private:
    bool failed();

    std::filesystem::path file_;
    std::ofstream out_;
    std::string error_;
};

// Gives `file` the modification time `unixSeconds`, as other unzip tools give an
// extracted file its member's time. Returns false when the disk refuses it.
bool SetModificationTime(const std::filesystem::path& file, std::int64_t unixSeconds);

} // namespace quorvel
