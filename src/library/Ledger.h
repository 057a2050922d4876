#pragma once

#include "library/InstalledAddons.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// What add-ons are in a game folder: kept in the program folder while any are,
// so that a run that ends without Clear All (a kill, a crash, a power cut) can be
// cleaned up at the next start.
struct Ledger {
    std::filesystem::path gameFolder;
    InstalledAddons installed;
    AddonFileRecord addonFiles;

    bool empty() const { return installed.inOrder().empty() && addonFiles.foldedNames().empty(); }
};

// The ledger's file in the program folder.
inline constexpr std::string_view kLedgerFileName = "INSTALLED.TXT";

// One "KEY=value" line a fact, readable by hand; line breaks and backslashes in
// names are escaped.
std::string LedgerText(const Ledger& ledger);

// Reads what makes sense of `text`: unknown lines are passed over, an unknown
// category counts as the first.
Ledger ParseLedger(std::string_view text);

// Writes the ledger to `file` atomically and flushed; an empty ledger removes the
// file. Returns whether the file now holds it.
bool SaveLedger(const std::filesystem::path& file, const Ledger& ledger);

// The ledger in `file`; nothing when there is none.
std::optional<Ledger> LoadLedger(const std::filesystem::path& file);

} // namespace quorvel
