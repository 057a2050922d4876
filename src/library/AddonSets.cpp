#include "library/AddonSets.h"

#include "config/AddonCategory.h"
#include "config/RecordKeys.h"
#include "library/MemberName.h"
#include "platform/FileOperations.h"
#include "platform/FolderListing.h"
#include "platform/NameFolding.h"
#include "platform/NameText.h"
#include "platform/Windows1252.h"

#include <algorithm>
#include <array>
#include <optional>
#include <system_error>
#include <unordered_set>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

constexpr std::string_view kForbiddenCharacters = "\\/:*?\"<>|";
constexpr std::string_view kBlanks = " \t";

std::size_t characterCount(std::string_view text) {
    return std::size_t(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string_view trimmed(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(kBlanks);
    if (begin == std::string_view::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(kBlanks) - begin + 1);
}

void appendUtf8(std::string& text, char32_t c) {
    if (c < 0x80) {
        text += char(c);
    } else if (c < 0x800) {
        text += char(0xC0 | (c >> 6));
        text += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += char(0xE0 | (c >> 12));
        text += char(0x80 | ((c >> 6) & 0x3F));
        text += char(0x80 | (c & 0x3F));
    } else {
        text += char(0xF0 | (c >> 18));
        text += char(0x80 | ((c >> 12) & 0x3F));
        text += char(0x80 | ((c >> 6) & 0x3F));
        text += char(0x80 | (c & 0x3F));
    }
}

// Notepad's "Unicode" is UTF-16 little-endian; a lone surrogate becomes U+FFFD.
std::string fromUtf16(std::string_view bytes, bool littleEndian) {
    const auto unit = [&](std::size_t i) {
        const auto lo = static_cast<unsigned char>(bytes[i + (littleEndian ? 0 : 1)]);
        const auto hi = static_cast<unsigned char>(bytes[i + (littleEndian ? 1 : 0)]);
        return char32_t(hi << 8 | lo);
    };
    std::string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char32_t first = unit(i);
        const bool high = first >= 0xD800 && first < 0xDC00;
        if (high && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) < 0xE000) {
            appendUtf8(text, 0x10000 + ((first - 0xD800) << 10) + (unit(i + 2) - 0xDC00));
            i += 2;
        } else {
            appendUtf8(text, first >= 0xD800 && first < 0xE000 ? 0xFFFD : first);
        }
    }
    return text;
}

struct Utf8Lead {
    std::size_t length; // 0: no character starts with this byte
    int secondLow, secondHigh;
};

// The lead byte bounds the second byte too, which rules out overlong forms,
// surrogates and code points past U+10FFFF.
Utf8Lead utf8Lead(unsigned char lead) {
    if (lead < 0x80)
        return {1, 0, 0};
    if (lead >= 0xC2 && lead <= 0xDF)
        return {2, 0x80, 0xBF};
    if (lead >= 0xE0 && lead <= 0xEF)
        return {3, lead == 0xE0 ? 0xA0 : 0x80, lead == 0xED ? 0x9F : 0xBF};
    if (lead >= 0xF0 && lead <= 0xF4)
        return {4, lead == 0xF0 ? 0x90 : 0x80, lead == 0xF4 ? 0x8F : 0xBF};
    return {0, 0, 0};
}

bool isUtf8(std::string_view bytes) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    for (std::size_t i = 0; i < bytes.size();) {
        const Utf8Lead lead = utf8Lead(at(i));
        if (lead.length == 0 || i + lead.length > bytes.size())
            return false;
        if (lead.length > 1 && (at(i + 1) < lead.secondLow || at(i + 1) > lead.secondHigh))
            return false;
        for (std::size_t k = 2; k < lead.length; ++k)
            if ((at(i + k) & 0xC0) != 0x80)
                return false;
        i += lead.length;
    }
    return true;
}

// Notepad's "ANSI" on a Western Windows.
std::string fromWindows1252(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char byte : bytes)
        appendUtf8(text, Windows1252Character(static_cast<unsigned char>(byte)));
    return text;
}

std::string asUtf8(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return std::string(bytes.substr(3));
    if (bytes.starts_with("\xFF\xFE"))
        return fromUtf16(bytes.substr(2), true);
    if (bytes.starts_with("\xFE\xFF"))
        return fromUtf16(bytes.substr(2), false);
    const bool asciiUtf16 = bytes.size() >= 2 && bytes.size() % 2 == 0;
    if (asciiUtf16 && bytes[0] != '\0' && bytes[1] == '\0')
        return fromUtf16(bytes, true);
    if (asciiUtf16 && bytes[0] == '\0' && bytes[1] != '\0')
        return fromUtf16(bytes, false);
    return isUtf8(bytes) ? std::string(bytes) : fromWindows1252(bytes);
}

std::optional<std::size_t> categoryOfFolderName(std::string_view word) {
    for (std::size_t i = 0; i < kCategoryCount; ++i)
        if (EqualsIgnoringCase(kAddonCategories[i].folderName, word))
            return i;
    return std::nullopt;
}

std::string categoryWords() {
    std::string words;
    for (std::size_t i = 0; i < kCategoryCount; ++i)
        words.append(i == 0                    ? ""
                     : i + 1 == kCategoryCount ? " or "
                                               : ", ")
            .append(kAddonCategories[i].folderName);
    return words;
}

// A value in matching quotes loses them, as the program's INI reading does.
std::string unquoted(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return lower;
}

class SetParser {
public:
    void line(std::size_t number, std::string_view row) {
        const std::string_view text = trimmed(row);
        if (text.empty() || text.front() == ';' || text.front() == '#' || text.front() == '[')
            return;
        const std::string where = "line " + std::to_string(number);
        const std::size_t equals = text.find('=');
        if (equals == std::string_view::npos) {
            problem(where + " is not CATEGORY=NAME");
            return;
        }
        const std::string_view word = trimmed(text.substr(0, equals));
        const auto category = categoryOfFolderName(word);
        if (!category) {
            problem(where + ": \"" + std::string(word) + "\" is no category (" + categoryWords() +
                    ")");
            return;
        }
        add(where, {*category, unquoted(trimmed(text.substr(equals + 1)))});
    }

    SetReading reading;

private:
    void problem(std::string text) { reading.problems.push_back(std::move(text)); }

    // Sets, not searches: a set of many thousand lines is read in one pass.
    void add(const std::string& where, AddonKey key) {
        if (key.name.empty()) {
            problem(where + ": no add-on name");
            return;
        }
        const std::string_view word = kAddonCategories[key.category].folderName;
        if (!ValueFits(*KindOf(kSetRecord, word), key.name)) {
            problem(where + ": \"" + key.name + "\" cannot name an add-on's archive");
            return;
        }
        const std::string shown = UpperCase(key.name);
        if (!seen_.insert(std::to_string(key.category) + '=' + key.name).second) {
            problem(where + ": " + shown + " is in the set twice");
            return;
        }
        const AddonCategory& category = kAddonCategories[key.category];
        std::optional<std::size_t>& first = firstOfCategory_[key.category];
        if (category.holdsOneAddon && first) {
            problem(where + ": " + shown + " is left out, only one " +
                    lowerCase(category.singularName) + " is installed at a time and " +
                    UpperCase(reading.addons[*first].name) + " comes first");
            return;
        }
        if (!first)
            first = reading.addons.size();
        reading.addons.push_back(std::move(key));
    }

    std::unordered_set<std::string> seen_;
    std::array<std::optional<std::size_t>, kCategoryCount> firstOfCategory_{};
};

fs::path setFile(const fs::path& setsFolder, std::string_view name) {
    const FolderListing listing(setsFolder);
    const std::string file = std::string(name) + std::string(kSetFileExtension);
    return InFolder(setsFolder, listing.find(file).value_or(file));
}

} // namespace

fs::path SetsFolder(const fs::path& programFolder) {
    return programFolder.empty() ? fs::path() : programFolder / kSetsFolderName;
}

std::string SetNameFault(std::string_view name) {
    if (name.empty())
        return "A set needs a name.";
    if (characterCount(name) > kLongestSetName)
        return "A set's name holds at most " + std::to_string(kLongestSetName) + " characters.";
    for (const char c : name) {
        if (kForbiddenCharacters.find(c) != std::string_view::npos)
            return std::string("A set's name cannot hold \"") + c +
                   "\": a file name holds none of \\ / : * ? \" < > |";
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return "A set's name cannot hold a control character, such as a tab.";
    }
    if (name.back() == '.' || name.back() == ' ')
        return "A set's name cannot end in a dot or a blank.";
    if (NamesWindowsDevice(name))
        return "Windows keeps the name " + UpperCase(name.substr(0, name.find('.'))) +
               " for a device.";
    return {};
}

std::vector<AddonKey> InstalledSet(const InstalledAddons& installed) {
    std::vector<AddonKey> addons;
    for (const InstalledAddon& addon : installed.inOrder())
        addons.push_back(addon.key);
    return addons;
}

SetFileText SetText(const std::vector<AddonKey>& addons) {
    SetFileText file;
    file.text = "; A Quorvel set of add-ons, put back from the top line down.\r\n"
                "; One add-on a line: CATEGORY=NAME, the category being one of\r\n"
                "; " +
                categoryWords() + ".\r\n[ADDONS]\r\n";
    for (const AddonKey& addon : addons) {
        if (addon.name.find_first_of("\r\n") != std::string::npos) {
            file.leftOut.push_back(addon.name);
            continue;
        }
        const bool quoted = trimmed(addon.name) != addon.name || unquoted(addon.name) != addon.name;
        file.text.append(kAddonCategories.at(addon.category).folderName)
            .append("=")
            .append(quoted ? "\"" + addon.name + "\"" : addon.name)
            .append("\r\n");
    }
    return file;
}

SetReading ParseSet(std::string_view bytes) {
    const std::string text = asUtf8(bytes);
    SetParser parser;
    std::size_t number = 0;
    for (std::size_t begin = 0; begin < text.size();) {
        const std::size_t end = std::min(text.find_first_of("\r\n", begin), text.size());
        parser.line(++number, std::string_view(text).substr(begin, end - begin));
        begin = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return std::move(parser.reading);
}

std::vector<std::string> ListSets(const fs::path& setsFolder) {
    std::vector<std::string> names;
    if (setsFolder.empty())
        return names;
    const FolderListing listing(setsFolder);
    for (const std::string& file : listing.regularFiles()) {
        if (file.size() > kSetFileExtension.size() && EndsWithIgnoringCase(file, kSetFileExtension))
            names.push_back(file.substr(0, file.size() - kSetFileExtension.size()));
    }
    // The listing is in name order without regard to case already.
    const auto lastRun = std::find(names.begin(), names.end(), kLastRunSetName);
    if (lastRun != names.end())
        std::rotate(names.begin(), lastRun, lastRun + 1);
    return names;
}

std::string SetReplacedBy(const fs::path& setsFolder, std::string_view name) {
    const std::string file = std::string(name) + std::string(kSetFileExtension);
    const auto existing = FolderListing(setsFolder).find(file);
    if (!existing)
        return {};
    return existing->substr(0, existing->size() - kSetFileExtension.size());
}

SetSave SaveSet(const fs::path& setsFolder, std::string_view name,
                const std::vector<AddonKey>& addons) {
    if (std::string fault = SetNameFault(name); !fault.empty())
        return SetSave::NotDone(std::move(fault));
    if (!CreateFolder(setsFolder))
        return SetSave::NotDone("The folder " + NameText(setsFolder) + " could not be made.");
    SetFileText file = SetText(addons);
    if (!ReplaceFileAtomically(setFile(setsFolder, name), file.text))
        return SetSave::NotDone("The file of the set could not be written in " +
                                NameText(setsFolder) + ".");
    return SetSave::Done({std::move(file.leftOut)});
}

SetSave SaveLastRun(const fs::path& setsFolder, const InstalledAddons& installed) {
    if (installed.inOrder().empty())
        return SetSave::Done();
    return SaveSet(setsFolder, kLastRunSetName, InstalledSet(installed));
}

SetReading ReadSet(const fs::path& setsFolder, std::string_view name) {
    const auto bytes =
        setsFolder.empty() ? std::nullopt : ReadRecordFile(setFile(setsFolder, name), kSetRecord);
    if (!bytes)
        return {{}, {"The file of the set could not be read."}};
    return ParseSet(*bytes);
}

Outcome<> DeleteSet(const fs::path& setsFolder, std::string_view name) {
    if (setsFolder.empty() || !DeleteFileEntry(setFile(setsFolder, name)))
        return Outcome<>::NotDone("The file of the set could not be deleted.");
    return Outcome<>::Done();
}

namespace {

// Done when `ec` holds no error.
Outcome<> renamedUnless(const std::error_code& ec) {
    return ec ? Outcome<>::NotDone("The set could not be renamed: " + ec.message())
              : Outcome<>::Done();
}

} // namespace

Outcome<> RenameSet(const fs::path& setsFolder, std::string_view from, std::string_view to) {
    if (std::string fault = SetNameFault(to); !fault.empty())
        return Outcome<>::NotDone(std::move(fault));
    const fs::path source = setFile(setsFolder, from);
    const std::string replaced = SetReplacedBy(setsFolder, to);
    std::error_code ec;
    const fs::path target = InFolder(setsFolder, std::string(to) + std::string(kSetFileExtension));
    if (replaced.empty()) {
        RenameEntry(source, target, ec);
        return renamedUnless(ec);
    }
    if (setFile(setsFolder, replaced) == source) {
        // The same name in other letter case: through a name of its own, since a
        // file system that ignores case may take the rename for no change at all.
        const fs::path between = TemporaryNameBeside(source);
        std::error_code back;
        if (RenameEntry(source, between, ec) && !RenameEntry(between, target, ec))
            RenameEntry(between, source, back);
        return renamedUnless(ec);
    }
    // Over another set: its file takes the new content whole before the old name goes.
    const auto bytes = ReadWholeFile(source);
    if (!bytes || !ReplaceFileAtomically(setFile(setsFolder, replaced), *bytes))
        return Outcome<>::NotDone("The set could not be renamed: its file could not be copied.");
    if (!DeleteFileEntry(source))
        return Outcome<>::NotDone(
            "The set was copied to its new name, but its old file could not be deleted.");
    return Outcome<>::Done();
}

} // namespace quorvel
