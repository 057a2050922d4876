#pragma once

#include "config/PathVariables.h"
#include "settings/GameIniEntries.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

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
    // is not configured or cannot be read or written. Within a batch the value goes
    // into the batch's copy; a replacement that fails at the batch's end leaves the
    // file as it was before the batch. A value the file holds already changes
    // nothing. The file's read-only attribute is cleared, as Restore INI does.
    bool write(const IniEntry& entry, std::string_view value);

    // Whether a write failed, at once or at the end of a batch, since the last
    // call: what a batch could not write is never dropped unseen.
    bool takeWriteFailure();

private:
    // EAW.INI's text while a batch lasts; nothing when it exists but could not be
    // read, which must then never be replaced.
    struct Pending {
        std::optional<std::string> text;
        bool changed = false;
    };

    Pending& pending() const;
    // Ends one level of batch; false when the outermost one could not replace the file.
    bool endBatch();

    std::filesystem::path gameIni_;
    std::filesystem::path securityCopy_;
    std::size_t batchDepth_ = 0;
    bool writeFailed_ = false;
    mutable std::optional<Pending> pending_;
};

} // namespace quorvel
