#include "settings/GameIniFile.h"

#include "platform/FolderListing.h"
#include "platform/IniFile.h"

#include <system_error>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

constexpr std::string_view kGameIniName = "EAW.INI";

fs::path iniIn(const fs::path& folder) {
    return folder.empty() ? fs::path() : folder / kGameIniName;
}

} // namespace

GameIniFile::GameIniFile(fs::path gameIni, fs::path securityCopy)
    : gameIni_(std::move(gameIni))
    , securityCopy_(std::move(securityCopy)) {}

GameIniFile GameIniFile::FromPaths(const PathVariables& paths) {
    return GameIniFile(iniIn(paths.GameFolder), iniIn(paths.BackupFolder));
}

bool GameIniFile::exists() const {
    if (!configured())
        return false;
    std::error_code ec;
    return fs::is_regular_file(ResolvePath(gameIni_), ec);
}

std::string GameIniFile::read(const IniEntry& entry) const {
    return gameIni_.empty() ? std::string() : ReadIniValue(gameIni_, entry.section, entry.key);
}

std::string GameIniFile::readSecurityCopy(const IniEntry& entry) const {
    ++copyReads_;
    // Without a backup folder there is no copy, and never one in the current folder.
    return securityCopy_.empty() ? std::string()
                                 : ReadIniValue(securityCopy_, entry.section, entry.key);
}

bool GameIniFile::write(const IniEntry& entry, std::string_view value) {
    if (!configured())
        return false;
    const bool written = WriteIniValue(gameIni_, entry.section, entry.key, value);
    writes_.push_back({std::string(entry.section), std::string(entry.key), std::string(value),
                       written, copyReads_});
    return written;
}

} // namespace quorvel
