#pragma once

#include "library/InstalledAddons.h"
#include "library/KeptGameFiles.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// What add-ons are in a game folder: kept in the program folder while any are,
// so that a run that ends without Clear All (a kill, a crash, a power cut) can be
// cleaned up at the next start.
struct Ledger {
    std::filesystem::path gameFolder;
    InstalledAddons installed;
    AddonFileRecord addonFiles;
    KeptGameFiles kept; // the game's own files the add-ons replaced

    bool empty() const {
        return installed.inOrder().empty() && addonFiles.foldedNames().empty() && kept.empty();
    }
};

// The ledger's file in the program folder.
inline constexpr std::string_view kLedgerFileName = "INSTALLED.TXT";

// One "KEY=value" line a fact, readable by hand, beginning with the game folder;
// line breaks and backslashes in names are escaped.
std::string LedgerText(const Ledger& ledger);

// The ledgers `text` holds, each from its "GAME=" line on, an empty one dropped.
// Reads what makes sense of any bytes: CR LF line ends are taken, unknown lines
// and lines before the first game folder are passed over, an unknown category
// counts as the first.
std::vector<Ledger> ParseLedgers(std::string_view text);

// Writes the non-empty ledgers to `file` atomically and flushed; none removes the
// file. Returns whether the file now holds them.
bool SaveLedgers(const std::filesystem::path& file, const std::vector<const Ledger*>& ledgers);

// The ledgers in `file`; none when there is no such file or it holds none.
std::vector<Ledger> LoadLedgers(const std::filesystem::path& file);

} // namespace quorvel
