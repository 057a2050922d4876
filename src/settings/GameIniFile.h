#pragma once

#include "config/PathVariables.h"
#include "settings/GameIniEntries.h"

#include <filesystem>
#include <optional>
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
// Both names are found in their folders without regard to letter case once, when
// the object is made, so a full game folder costs no more than an empty one. An
// empty path means "not configured": reads give "" and writes do nothing.
class GameIniFile {
public:
    // While the outermost batch lasts, reads and writes go to one copy of EAW.INI
    // in memory, which its end writes back with one replacement of the file: one
    // action of the user, however many keys it sets, reads and flushes the file
    // once, and a crash leaves it as it was before the action or after it.
    class Batch {
    public:
        explicit Batch(GameIniFile& file);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        GameIniFile& file_;
    };

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
    // file is kept in writes(); within a batch, a replacement of the file that
    // fails at the batch's end marks the batch's writes there as not written.
    bool write(const IniEntry& entry, std::string_view value);

    // The writes made through this object, in order.
    const std::vector<IniWrite>& writes() const { return writes_; }

private:
    // EAW.INI's text while a batch lasts; nothing when it exists but could not be
    // read, which must then never be replaced.
    struct Pending {
        std::optional<std::string> text;
        std::size_t firstWrite = 0;
        bool changed = false;
    };

    Pending& pending() const;
    void endBatch();

    std::filesystem::path gameIni_;
    std::filesystem::path securityCopy_;
    std::vector<IniWrite> writes_;
    mutable std::size_t copyReads_ = 0;
    std::size_t batchDepth_ = 0;
    mutable std::optional<Pending> pending_;
};

} // namespace quorvel
