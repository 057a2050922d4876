#include "platform/IniFile.h"

#include "platform/FileOperations.h"
#include "platform/FolderListing.h"
#include "platform/NameFolding.h"

#include <algorithm>
#include <optional>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace quorvel {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineBreaks = "\r\n";

// One line of the file as byte offsets into its text, line ending excluded.
struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0; // start of the following line
};

// Lines end at a CR, an LF or a CR LF pair, as the Windows profile functions read
// them: a file of CR-only endings has lines too. The empty lines that runs of
// endings make hold nothing.
std::vector<Line> splitLines(const std::string& text) {
    std::vector<Line> lines;
    std::size_t pos =
        text.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0 ? kByteOrderMark.size() : 0;
    while (pos < text.size()) {
        const std::size_t stop = std::min(text.find_first_of(kLineBreaks, pos), text.size());
        std::size_t next = stop;
        if (next < text.size())
            next += text.compare(next, 2, "\r\n") == 0 ? 2 : 1;
        lines.push_back({pos, stop, next});
        pos = next;
    }
    return lines;
}

std::pair<std::size_t, std::size_t> trimmed(const std::string& text, std::size_t begin,
                                            std::size_t end) {
    while (begin < end && kBlanks.find(text[begin]) != std::string_view::npos)
        ++begin;
    while (end > begin && kBlanks.find(text[end - 1]) != std::string_view::npos)
        --end;
    return {begin, end};
}

std::string_view view(const std::string& text, std::pair<std::size_t, std::size_t> range) {
    return std::string_view(text).substr(range.first, range.second - range.first);
}

// The section name of a header line "[name]", blanks inside the brackets dropped.
std::optional<std::string_view> sectionName(const std::string& text, const Line& line) {
    const auto [begin, end] = trimmed(text, line.begin, line.end);
    if (begin == end || text[begin] != '[')
        return std::nullopt;
    const std::size_t close = text.find(']', begin);
    if (close == std::string::npos || close >= end)
        return std::nullopt;
    return view(text, trimmed(text, begin + 1, close));
}

// Where a key line's name and value lie; nothing for lines that hold no key.
struct KeyLine {
    std::pair<std::size_t, std::size_t> name;
    std::pair<std::size_t, std::size_t> value;
    std::size_t lineEnd; // trailing blanks included
};

std::optional<KeyLine> keyLine(const std::string& text, const Line& line) {
    const auto [begin, end] = trimmed(text, line.begin, line.end);
    if (begin == end || text[begin] == ';' || text[begin] == '[')
        return std::nullopt;
    const std::size_t equals = text.find('=', begin);
    if (equals == std::string::npos || equals >= end)
        return std::nullopt;
    return KeyLine{trimmed(text, begin, equals), trimmed(text, equals + 1, end), line.end};
}

// The place of a key in the text: the section's header line, its last key line and
// the key's own line, as far as they exist.
struct KeyPlace {
    std::optional<std::size_t> sectionHeader;
    std::optional<std::size_t> lastLineOfSection;
    std::optional<KeyLine> key;
};

KeyPlace findKey(const std::string& text, const std::vector<Line>& lines, std::string_view section,
                 std::string_view key) {
    KeyPlace place;
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const auto name = sectionName(text, lines[i])) {
            if (place.sectionHeader) // only the first section of that name counts
                break;
            inSection = EqualsIgnoringCase(*name, section);
            if (inSection)
                place.sectionHeader = place.lastLineOfSection = i;
            continue;
        }
        if (!inSection)
            continue;
        const auto found = keyLine(text, lines[i]);
        if (!found)
            continue;
        place.lastLineOfSection = i;
        if (EqualsIgnoringCase(view(text, found->name), key)) {
            place.key = found;
            return place;
        }
    }
    return place;
}

// The file's own line ending, as its first line break shows it.
std::string lineEndingOf(const std::string& text) {
    const std::size_t brk = text.find_first_of(kLineBreaks);
    if (brk == std::string::npos)
        return "\r\n"; // profile files are Windows files
    if (text[brk] == '\n')
        return "\n";
    return text.compare(brk, 2, "\r\n") == 0 ? "\r\n" : "\r";
}

bool hasLineBreak(std::string_view text) {
    return text.find_first_of(kLineBreaks) != std::string_view::npos;
}

std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

} // namespace

std::string ReadIniValueIn(const std::string& text, std::string_view section,
                           std::string_view key) {
    const auto place = findKey(text, splitLines(text), section, key);
    if (!place.key)
        return {};
    const std::string_view value = unquoted(view(text, place.key->value));
    return std::string(value.substr(0, kMaxIniValueLength));
}

bool SetIniValueIn(std::string& text, std::string_view section, std::string_view key,
                   std::string_view value) {
    if (hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(value))
        return false;
    const std::vector<Line> lines = splitLines(text);
    const std::string eol = lineEndingOf(text);
    const auto place = findKey(text, lines, section, key);

    if (place.key) {
        // The old value goes with its trailing blanks: left behind, they would pile
        // up, one more with each write that ends in a blank (typing "A B" key by key).
        const std::size_t begin = place.key->value.first;
        text.replace(begin, place.key->lineEnd - begin, value);
    } else if (place.sectionHeader) {
        const Line& last = lines[*place.lastLineOfSection];
        std::string insertion = std::string(key) + "=" + std::string(value) + eol;
        if (last.next == last.end) // the section's last line has no line ending
            insertion = eol + insertion;
        text.insert(last.next, insertion);
    } else {
        if (!text.empty() && kLineBreaks.find(text.back()) == std::string_view::npos)
            text += eol;
        text += "[" + std::string(section) + "]" + eol + std::string(key) + "=" +
                std::string(value) + eol;
    }
    return true;
}

std::string ReadIniValue(const fs::path& file, std::string_view section, std::string_view key) {
    const auto content = ReadWholeFile(ResolvePath(file));
    return content ? ReadIniValueIn(*content, section, key) : std::string();
}

bool WriteIniValue(const fs::path& file, std::string_view section, std::string_view key,
                   std::string_view value) {
    if (file.empty())
        return false;
    const fs::path actual = ResolvePath(file);
    std::optional<std::string> text = ReadIniFileForWriting(actual);
    return text && SetIniValueIn(*text, section, key, value) &&
           ReplaceFileAtomically(actual, *text);
}

std::optional<std::string> ReadIniFileForWriting(const fs::path& file) {
    std::error_code ec;
    const bool exists = fs::exists(fs::symlink_status(file, ec));
    auto content = ReadWholeFile(file);
    if (exists && !content)
        return std::nullopt; // never replace a file that could not be read
    return content.value_or(std::string());
}

std::string_view TakeLine(std::string_view& text) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    return line;
}

} // namespace quorvel
