#include "library/Ledger.h"

#include "config/AddonCategory.h"
#include "config/RecordKeys.h"
#include "library/AddonLibrary.h"
#include "platform/FileOperations.h"
#include "platform/IniFile.h"
#include "platform/NameText.h"

#include <optional>
#include <system_error>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

// Line breaks and backslashes escaped; a name without them, as nearly all are, is
// appended as it is.
void appendEscaped(std::string& text, std::string_view value) {
    if (value.find_first_of("\\\n\r") == std::string_view::npos) {
        text.append(value);
        return;
    }
    for (const char c : value) {
        if (c == '\\')
            text += "\\\\";
        else if (c == '\n')
            text += "\\n";
        else if (c == '\r')
            text += "\\r";
        else
            text += c;
    }
}

std::string unescaped(std::string_view text) {
    std::string value;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            value += text[i];
            continue;
        }
        const char next = text[++i];
        value += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return value;
}

void line(std::string& text, std::string_view key, std::string_view value) {
    text.append(key).append("=");
    appendEscaped(text, value);
    text.append("\n");
}

std::size_t categoryNamed(const std::string& folderName) {
    for (std::size_t i = 0; i < kAddonCategories.size(); ++i)
        if (kAddonCategories[i].folderName == folderName)
            return i;
    return 0;
}

// "<size> <crc> <name>": the name last, since it may hold blanks.
std::optional<MemberCheck> checkedName(const std::string& value) {
    const std::size_t second = value.find(' ', value.find(' ') + 1);
    const auto check = second == std::string::npos
                           ? std::nullopt
                           : ParseFileCheck(std::string_view(value).substr(0, second));
    if (!check || second + 1 == value.size())
        return std::nullopt;
    return MemberCheck{value.substr(second + 1), *check};
}

void readAddonLine(InstalledAddon& addon, std::string_view key, const std::string& value) {
    if (key == "NAME") {
        addon.key.name = value;
    } else if (key == "REPLACED") {
        addon.replaced = value;
    } else if (key == "PARTLY") {
        addon.partly = value == "1";
    } else if (key == "WROTE") {
        addon.writtenNames.push_back(value);
    } else if (key == "CHECK") {
        if (auto member = checkedName(value))
            addon.checks.push_back(std::move(*member));
    }
}

} // namespace

std::string LedgerText(const Ledger& ledger) {
    std::string text;
    line(text, "GAME", NameText(ledger.gameFolder));
    for (const InstalledAddon& addon : ledger.installed.inOrder()) {
        line(text, "ADDON", kAddonCategories.at(addon.key.category).folderName);
        line(text, "NAME", addon.key.name);
        line(text, "ARCHIVE", NameText(addon.archive));
        line(text, "REPLACED", addon.replaced);
        line(text, "PARTLY", addon.partly ? "1" : "0");
        for (const std::string& name : addon.writtenNames)
            line(text, "WROTE", name);
        for (const MemberCheck& member : addon.checks)
            line(text, "CHECK", FileCheckText(member.check) + " " + member.name);
    }
    for (const std::string& name : ledger.addonFiles.foldedNames())
        line(text, "ADDONFILE", name);
    if (!ledger.kept.empty())
        line(text, "KEPTIN", NameText(ledger.kept.folder));
    for (const MemberCheck& file : ledger.kept.files)
        line(text, "KEPT", FileCheckText(file.check) + " " + file.name);
    return text;
}

std::vector<Ledger> ParseLedgers(std::string_view text) {
    std::vector<Ledger> ledgers;
    std::vector<InstalledAddon> addons;
    std::vector<std::string> addonFiles;
    const auto finish = [&] {
        for (InstalledAddon& addon : addons)
            ledgers.back().installed.add(std::move(addon));
        ledgers.back().addonFiles.wrote(addonFiles);
        addons.clear();
        addonFiles.clear();
        if (ledgers.back().empty())
            ledgers.pop_back();
    };
    while (!text.empty()) {
        const std::string_view row = TakeLine(text);
        const std::size_t equals = row.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view key = row.substr(0, equals);
        const std::string value = unescaped(row.substr(equals + 1));
        const auto kind = KindOf(kLedgerRecord, key);
        // A game folder and an add-on begin their block whatever they hold, so that
        // the lines after them are never taken as another's: the game-folder rule
        // decides whether a folder is acted on, and an unknown category counts as the first.
        const bool beginsBlock = key == "GAME" || key == "ADDON";
        if (!kind || kind == ValueKind::Derived || (!beginsBlock && !ValueFits(*kind, value)))
            continue;
        if (key == "GAME") {
            if (!ledgers.empty())
                finish();
            ledgers.emplace_back().gameFolder = NamePath(value);
        } else if (ledgers.empty()) {
            continue;
        } else if (key == "ADDON") {
            addons.push_back({{categoryNamed(value), {}}, {}, {}, {}, false, {}});
        } else if (key == "ADDONFILE") {
            addonFiles.push_back(value);
        } else if (key == "KEPT") {
            if (auto file = checkedName(value))
                ledgers.back().kept.files.push_back(std::move(*file));
        } else if (!addons.empty()) {
            readAddonLine(addons.back(), key, value);
        }
    }
    if (!ledgers.empty())
        finish();
    return ledgers;
}

bool SaveLedgers(const fs::path& file, const std::vector<const Ledger*>& ledgers) {
    if (file.empty())
        return false;
    std::string text;
    for (const Ledger* ledger : ledgers)
        if (!ledger->empty())
            text += LedgerText(*ledger);
    return text.empty() ? DeleteFileEntry(file) : ReplaceFileAtomically(file, text);
}

void DeriveLedgerFolders(Ledger& ledger, const PathVariables& paths) {
    ledger.kept.folder = KeptFilesFolder(paths.BackupFolder, ledger.gameFolder);
    InstalledAddons derived;
    for (InstalledAddon addon : ledger.installed.inOrder()) {
        addon.archive =
            AddonArchivePath(paths.CategoryFolder.at(addon.key.category), addon.key.name);
        derived.add(std::move(addon));
    }
    ledger.installed = std::move(derived);
}

std::vector<Ledger> LoadLedgers(const fs::path& file, const PathVariables& paths) {
    const auto text = ReadRecordFile(file, kLedgerRecord);
    std::vector<Ledger> ledgers = text ? ParseLedgers(*text) : std::vector<Ledger>();
    for (Ledger& ledger : ledgers)
        DeriveLedgerFolders(ledger, paths);
    return ledgers;
}

} // namespace quorvel
