#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorvel {

// What a value read from one of the program's own records may hold. Every value
// is checked against its kind before it is used; one that fails is passed over as
// if its line were missing.
enum class ValueKind {
    GameFolder,   // an absolute folder, acted on only once the game-folder rule accepts it
    StoredFolder, // an absolute folder the program wrote; one cut short or relative is derived
                  // again
    Derived,      // worked out from the program folder; what the record says is never used
    BareName,     // a file name within one folder: no folder part, not "." or ".."
    AddonName,    // an archive's name less ".ZIP": a bare name as the system spells files
    CheckedName,  // "<size> <crc> <bare name>"
    CopyCheck,    // "<protected file name> <size> <crc>"
    Category,     // a library folder's name
    Flag,         // "0" or "1"
    Text,         // shown to the player, never used as a name
};

struct RecordKey {
    std::string_view name;
    ValueKind kind;
};

// One record file of the program folder: its name, the most bytes a start reads
// of it, and every key it may hold.
struct RecordDeclaration {
    std::string_view file;
    std::uint64_t longest;
    std::span<const RecordKey> keys;
};

extern const RecordDeclaration kLedgerRecord; // INSTALLED.TXT
extern const RecordDeclaration kCopiesRecord; // BACKUPS/QUORVEL-COPIES.TXT
extern const RecordDeclaration kConfigRecord; // QUORVEL.INI
extern const RecordDeclaration kSetRecord;    // SETS/*.INI
inline constexpr std::array<const RecordDeclaration*, 4> kRecords{&kLedgerRecord, &kCopiesRecord,
                                                                  &kConfigRecord, &kSetRecord};

// The kind of `key` in `record` (keys compared exactly); nothing for a key it does not hold.
std::optional<ValueKind> KindOf(const RecordDeclaration& record, std::string_view key);

// Whether `value` may stand as a value of `kind`. Derived values fit always: they are
// not used.
bool ValueFits(ValueKind kind, std::string_view value);

// The bytes of `file` when it is a regular file no longer than `record` allows;
// nothing else, so that a huge file is never read whole into memory.
std::optional<std::string> ReadRecordFile(const std::filesystem::path& file,
                                          const RecordDeclaration& record);

// Whether `name` names a file directly in a folder, on every system the program
// serves: not empty, no "/" nor "\", no ":" of a drive or stream, no NUL, not "." or "..".
bool IsBareName(std::string_view name);

} // namespace quorvel
