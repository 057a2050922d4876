#include "settings/GameIniFile.h"

#include "platform/FileOperations.h"
#include "platform/FolderListing.h"
#include "platform/IniFile.h"

#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

constexpr std::string_view kGameIniName = "EAW.INI";

fs::path iniIn(const fs::path& folder) {
    return folder.empty() ? fs::path() : folder / kGameIniName;
}

// The name on disk, found once; an empty path stays empty.
fs::path resolved(const fs::path& path) {
    return path.empty() ? path : ResolvePath(path);
}

} // namespace

GameIniFile::Batch::Batch(GameIniFile& file)
    : file_(file) {
    ++file_.batchDepth_;
}

GameIniFile::Batch::~Batch() {
    file_.endBatch();
}

GameIniFile::GameIniFile(fs::path gameIni, fs::path securityCopy)
    : gameIni_(resolved(gameIni))
    , securityCopy_(resolved(securityCopy)) {}

GameIniFile GameIniFile::FromPaths(const PathVariables& paths) {
    return GameIniFile(iniIn(paths.GameFolder), iniIn(paths.BackupFolder));
}

bool GameIniFile::exists() const {
    std::error_code ec;
    return configured() && fs::is_regular_file(gameIni_, ec);
}

GameIniFile::Pending& GameIniFile::pending() const {
    if (!pending_)
        pending_ = Pending{ReadIniFileForWriting(gameIni_), false};
    return *pending_;
}

bool GameIniFile::endBatch() {
    if (--batchDepth_ > 0 || !pending_)
        return true;
    const Pending done = std::move(*pending_);
    pending_.reset();
    const bool written =
        !done.changed || ReplaceFileAtomically(gameIni_, *done.text, ReadOnlyFile::Clear);
    writeFailed_ |= !written;
    return written;
}

bool GameIniFile::takeWriteFailure() {
    return std::exchange(writeFailed_, false);
}

std::string GameIniFile::read(const IniEntry& entry) const {
    if (!configured())
        return {};
    if (batchDepth_ > 0) {
        const Pending& batch = pending();
        return batch.text ? ReadIniValueIn(*batch.text, entry.section, entry.key) : std::string();
    }
    const auto text = ReadWholeFile(gameIni_);
    return text ? ReadIniValueIn(*text, entry.section, entry.key) : std::string();
}

std::string GameIniFile::readSecurityCopy(const IniEntry& entry) const {
    // Without a backup folder there is no copy, and never one in the current folder.
    if (securityCopy_.empty())
        return {};
    const auto text = ReadWholeFile(securityCopy_);
    return text ? ReadIniValueIn(*text, entry.section, entry.key) : std::string();
}

bool GameIniFile::write(const IniEntry& entry, std::string_view value) {
    if (!configured())
        return false;
    // A batch of its own: outside any other, the file is replaced before returning.
    ++batchDepth_;
    Pending& edit = pending();
    const std::string before = edit.text.value_or(std::string());
    const bool set = edit.text && SetIniValueIn(*edit.text, entry.section, entry.key, value);
    edit.changed |= set && *edit.text != before;
    writeFailed_ |= !set;
    return endBatch() && set;
}

} // namespace quorvel
