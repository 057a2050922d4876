#pragma once

#include "platform/FileCheck.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvel {

// The record beside the security copies of which game folder they were taken
// from, with each copy's size and CRC. It is written last, after every copy is in
// place, so copies without a record that matches them are of no known game.
inline constexpr std::string_view kCopiesRecordName = "QUORVEL-COPIES.TXT";

struct CopiesRecord {
    std::filesystem::path gameFolder;
    std::vector<std::pair<std::string, FileCheck>> copies; // protected file names as spelled
};

std::string CopiesRecordText(const CopiesRecord& record);
// Nothing when `text` is not a whole record: no game folder, an unknown or
// repeated copy, a line that does not read.
std::optional<CopiesRecord> ParseCopiesRecord(std::string_view text);

// Writes the record of the protected files `backupFolder` holds now as copies of
// `gameFolder`, atomically. Returns whether it was written.
bool RecordCopies(const std::filesystem::path& backupFolder,
                  const std::filesystem::path& gameFolder);
// Deletes the record, before the copies change. Returns whether none is left.
bool ForgetCopies(const std::filesystem::path& backupFolder);

enum class CopiesState {
    OfThisGame,    // the record names the folder and every copy matches it
    OfOtherGame,   // the record names another folder
    NotAsRecorded, // a copy is missing, changed or not in the record, or the record is damaged
    Unrecorded     // no record: copies of an older Quorvel, or a copy swap cut short
};

// What the copies in `backupFolder` are to `gameFolder`.
CopiesState CheckCopies(const std::filesystem::path& backupFolder,
                        const std::filesystem::path& gameFolder);

// The protected files that go back from the copies after an add-on's are taken
// out: those `backupFolder` holds a copy of, when the copies are `gameFolder`'s
// (CheckCopies says OfThisGame); none else.
std::vector<std::string> FilesCoveredByCopies(const std::filesystem::path& backupFolder,
                                              const std::filesystem::path& gameFolder);

// The folder inside `backupFolder` where the copies of `gameFolder` wait, with
// their record, while a run that did not end normally left add-ons in that game
// and another game's copies take their place; empty when either folder is.
std::filesystem::path SetAsideCopiesFolder(const std::filesystem::path& backupFolder,
                                           const std::filesystem::path& gameFolder);
// Where the copies of `gameFolder` are: `backupFolder` when they are its own
// there, else its set-aside folder when they are there; empty when neither holds them.
std::filesystem::path CopiesFolderOf(const std::filesystem::path& backupFolder,
                                     const std::filesystem::path& gameFolder);
// Copies the copies and the record in `backupFolder` into the set-aside folder of
// `gameFolder`, flushed. Returns whether they are all there.
bool SetCopiesAside(const std::filesystem::path& backupFolder,
                    const std::filesystem::path& gameFolder);
// Deletes the set-aside copies of `gameFolder` and their folder, once no longer needed.
void DropSetAsideCopies(const std::filesystem::path& backupFolder,
                        const std::filesystem::path& gameFolder);

// Why the copies cannot be used for `gameFolder`, in the player's words; "" for OfThisGame.
std::string CopiesStateText(CopiesState state, const std::filesystem::path& backupFolder);

// Copies without a record are taken as `gameFolder`'s, and recorded, when each
// copy of EAW.EXE, EXTRA.SPT and GRB_031.SND equals the game's file of that name
// byte for byte, apart from the names in `addonsFiles` (folded), which are an
// add-on's in the game folder now. No copies at all are nobody's: taken, and
// left without a record. A backup folder that is the game folder is never taken.
// Returns whether the copies may be used as the game's.
bool AdoptCopies(const std::filesystem::path& backupFolder, const std::filesystem::path& gameFolder,
                 const std::vector<std::string>& addonsFiles = {});

} // namespace quorvel
