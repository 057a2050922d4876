#include "library/Ledger.h"

#include "config/AddonCategory.h"
#include "platform/FileOperations.h"
#include "platform/NameText.h"

#include <system_error>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

std::string escaped(std::string_view value) {
    std::string text;
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
    return text;
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
    text.append(key).append("=").append(escaped(value)).append("\n");
}

std::size_t categoryNamed(const std::string& folderName) {
    for (std::size_t i = 0; i < kAddonCategories.size(); ++i)
        if (kAddonCategories[i].folderName == folderName)
            return i;
    return 0;
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
    }
    for (const std::string& name : ledger.addonFiles.foldedNames())
        line(text, "ADDONFILE", name);
    return text;
}

Ledger ParseLedger(std::string_view text) {
    Ledger ledger;
    std::vector<InstalledAddon> addons;
    std::vector<std::string> addonFiles;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view row = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        const std::size_t equals = row.find('=');
        if (equals == std::string_view::npos)
            continue;
        const std::string_view key = row.substr(0, equals);
        const std::string value = unescaped(row.substr(equals + 1));
        if (key == "GAME")
            ledger.gameFolder = NamePath(value);
        else if (key == "ADDON")
            addons.push_back({{categoryNamed(value), {}}, {}, {}, {}, false});
        else if (key == "ADDONFILE")
            addonFiles.push_back(value);
        else if (addons.empty())
            continue;
        else if (key == "NAME")
            addons.back().key.name = value;
        else if (key == "ARCHIVE")
            addons.back().archive = NamePath(value);
        else if (key == "REPLACED")
            addons.back().replaced = value;
        else if (key == "PARTLY")
            addons.back().partly = value == "1";
        else if (key == "WROTE")
            addons.back().writtenNames.push_back(value);
    }
    for (InstalledAddon& addon : addons)
        ledger.installed.add(std::move(addon));
    ledger.addonFiles.wrote(addonFiles);
    return ledger;
}

bool SaveLedger(const fs::path& file, const Ledger& ledger) {
    if (file.empty())
        return false;
    if (ledger.empty())
        return DeleteFileEntry(file);
    return ReplaceFileAtomically(file, LedgerText(ledger));
}

std::optional<Ledger> LoadLedger(const fs::path& file) {
    const auto text = file.empty() ? std::nullopt : ReadWholeFile(file);
    if (!text)
        return std::nullopt;
    return ParseLedger(*text);
}

} // namespace quorvel
