#pragma once

#include "config/PathVariables.h"
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
// Reads what makes sense of any bytes: CR LF line ends are taken; unknown keys,
// values their key may not hold (a name with a folder part, say) and lines before
// the first game folder are passed over. The folders it names are left empty:
// DeriveLedgerFolders works them out.
std::vector<Ledger> ParseLedgers(std::string_view text);

// Writes the non-empty ledgers to `file` atomically and flushed; none removes the
// file. Returns whether the file now holds them.
bool SaveLedgers(const std::filesystem::path& file, const std::vector<const Ledger*>& ledgers);

// The folders a ledger names are worked out from the program's own, never read:
// the kept files' folder from the backup folder and the game folder, each add-on's
// archive from its category's library folder and its name.
void DeriveLedgerFolders(Ledger& ledger, const PathVariables& paths);

// The ledgers in `file`, their folders derived from `paths`; none when there is no
// such file or it holds none.
std::vector<Ledger> LoadLedgers(const std::filesystem::path& file, const PathVariables& paths);

} // namespace quorvel
