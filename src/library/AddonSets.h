#pragma once

#include "library/InstalledAddons.h"
#include "platform/Outcome.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// Sets of add-ons saved by name: one small text file a set in the folder SETS of
// the program folder, named after the set, so that sets travel with the program.
// The file holds one add-on a line, "CATEGORY=NAME", the category being its
// library folder's name, in the order the add-ons are to be installed.

inline constexpr std::string_view kSetsFolderName = "SETS";
inline constexpr std::string_view kSetFileExtension = ".INI";
// The set saved at every close with what was installed.
inline constexpr std::string_view kLastRunSetName = "Last run";
inline constexpr std::size_t kLongestSetName = 100;

std::filesystem::path SetsFolder(const std::filesystem::path& programFolder);

// Why `name` cannot name a set file on the file systems players use (Windows'
// included); "" when it can.
std::string SetNameFault(std::string_view name);

// The add-ons installed now, in install order.
std::vector<AddonKey> InstalledSet(const InstalledAddons& installed);

struct SetFileText {
    std::string text;
    std::vector<std::string> leftOut; // names a line cannot hold (a line break in them)
};

// The set file's text, CR LF line ends; a name with blanks at an end is quoted.
SetFileText SetText(const std::vector<AddonKey>& addons);

struct SetReading {
    std::vector<AddonKey> addons;      // in file order, each once
    std::vector<std::string> problems; // what was passed over, and why, one line each
};

// Reads as much of a set file as makes sense: UTF-8 with or without its mark,
// UTF-16 with a mark or plainly ASCII, and a file that is not valid UTF-8 as
// Windows-1252 (Notepad's "ANSI"). Time grows with the file's size. Comments, section headers and
// blank lines are passed over; a line that is not CATEGORY=NAME, an unknown category, an add-on
// named twice (in the same letter case; case twins are two archives on Linux, and the put-back
// tells when they are one) and a second add-on of a one-add-on category are left out and told in
// `problems`.
SetReading ParseSet(std::string_view bytes);

// The sets in `setsFolder`: "Last run" first, then the others by name without
// regard to case. None when the folder is missing.
std::vector<std::string> ListSets(const std::filesystem::path& setsFolder);

// The name of the set that saving `name` would replace (the file names match
// without regard to case, as Windows sees them); "" when there is none.
std::string SetReplacedBy(const std::filesystem::path& setsFolder, std::string_view name);

struct SetSaved {
    std::vector<std::string> leftOut; // add-ons whose names a set file cannot hold
};

// Not done: nothing was written.
using SetSave = Outcome<SetSaved>;

// Writes the set atomically and flushed, replacing the set SetReplacedBy names;
// makes the folder when it is missing. Refuses a name SetNameFault refuses.
SetSave SaveSet(const std::filesystem::path& setsFolder, std::string_view name,
                const std::vector<AddonKey>& addons);

// Saves what is installed as "Last run"; with nothing installed the previous
// "Last run" stays and nothing is written.
SetSave SaveLastRun(const std::filesystem::path& setsFolder, const InstalledAddons& installed);

// The set `name` as ParseSet reads it; a file that cannot be read gives no add-on
// and says so.
SetReading ReadSet(const std::filesystem::path& setsFolder, std::string_view name);

// Deletes the set's file.
Outcome<> DeleteSet(const std::filesystem::path& setsFolder, std::string_view name);

// Gives set `from` the name `to`, replacing the set SetReplacedBy(to) names when
// that is another set. When not done, both sets stay as they were.
Outcome<> RenameSet(const std::filesystem::path& setsFolder, std::string_view from,
                    std::string_view to);

} // namespace quorvel
