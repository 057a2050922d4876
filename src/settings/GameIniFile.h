#pragma once

#include "config/PathVariables.h"
#include "settings/GameIniEntries.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// One write the settings editor made to the game's EAW.INI.
struct IniWrite {
    std::string section;
    std::string key;
    std::string value;
    bool written;                // false when the file could not be written
    std::size_t copyReadsBefore; // how many reads of the security copy came first
};

// The game's EAW.INI and its security copy, as the settings editor reaches them.
// Both names are found in their folders without regard to letter case. An empty
// path means "not configured": reads give "" and writes do nothing.
class GameIniFile {
public:
    GameIniFile() = default;
    GameIniFile(std::filesystem::path gameIni, std::filesystem::path securityCopy);

    // EAW.INI of GameIniPath and of BackupFolder; each empty when its folder is.
    static GameIniFile FromPaths(const PathVariables& paths);

    bool configured() const { return !gameIni_.empty(); }

    // Whether the game's EAW.INI is there, under any letter case of its name.
    bool exists() const;

    std::string read(const IniEntry& entry) const;
    std::string readSecurityCopy(const IniEntry& entry) const;

    // Writes one value into EAW.INI; returns false, writing nothing, when the file
    // is not configured or cannot be written. Every write tried on a configured
    // file is kept in writes().
    bool write(const IniEntry& entry, std::string_view value);

    // The writes made through this object, in order.
    const std::vector<IniWrite>& writes() const { return writes_; }

private:
    std::filesystem::path gameIni_;
    std::filesystem::path securityCopy_;
    std::vector<IniWrite> writes_;
    mutable std::size_t copyReads_ = 0;
};

} // namespace quorvel
