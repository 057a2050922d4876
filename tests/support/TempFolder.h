#pragma once

#include <filesystem>
#include <string>

namespace quorvel::test {

// A fresh folder under the system's temporary folder, removed with everything in
// it when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Writes `content` to `path` as bytes, creating its folder.
void WriteFile(const std::filesystem::path& path, const std::string& content);

// The bytes of `path`, or "<missing>" when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);

// Gives `entry` write permission or takes it away: on Windows its read-only attribute.
void SetWritable(const std::filesystem::path& entry, bool writable);

// Lays out a portable program folder (the library folders and BACKUPS) in `root`
// and makes it the program folder of the process.
void MakeProgramFolder(const std::filesystem::path& root);

} // namespace quorvel::test
