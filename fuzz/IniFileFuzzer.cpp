// Writes one value into an arbitrary settings file and checks that reading gives
// it back under the reading rules while every other key keeps its value.

#include "FuzzFolder.h"
#include "platform/IniFile.h"
#include "platform/NameFolding.h"

#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <utility>
#include <vector>

using namespace quorvel;

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view trim(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(kBlanks);
    if (begin == std::string_view::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(kBlanks) - begin + 1);
}

// What a read gives back for a written value: blanks dropped, matching quotes
// dropped, at most 254 bytes.
std::string asRead(std::string_view value) {
    value = trim(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value.substr(0, kMaxIniValueLength));
}

// Names the file format can hold: no line break, no blanks around them, a key
// that is not a comment or a header and holds no "=", a section without "]".
bool usableNames(std::string_view section, std::string_view key) {
    if (section.empty() || key.empty() || trim(section) != section || trim(key) != key)
        return false;
    if (section.find_first_of("]\r\n") != std::string_view::npos)
        return false;
    return key.find_first_of("=\r\n") == std::string_view::npos && key[0] != ';' && key[0] != '[';
}

// Every section and key named in the text, as the reader would see them.
std::vector<std::pair<std::string, std::string>> namedKeys(std::string_view text) {
    std::vector<std::pair<std::string, std::string>> keys;
    std::string section;
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        std::string_view line = trim(text.substr(0, lf));
        if (!line.empty() && line.back() == '\r')
            line = trim(line.substr(0, line.size() - 1));
        text = lf == std::string_view::npos ? std::string_view() : text.substr(lf + 1);
        if (line.starts_with('[') && line.find(']') != std::string_view::npos)
            section = trim(line.substr(1, line.find(']') - 1));
        else if (const std::size_t equals = line.find('='); equals != std::string_view::npos)
            keys.emplace_back(section, trim(line.substr(0, equals)));
    }
    return keys;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(16);
    const std::string key = input.ConsumeRandomLengthString(16);
    const std::string value = input.ConsumeRandomLengthString(300);
    const std::string content = input.ConsumeRemainingBytesAsString();
    if (!usableNames(section, key) || value.find_first_of("\r\n") != std::string::npos)
        return -1;

    const auto file = fuzz::WorkFolder() / "FUZZ.INI";
    fuzz::WriteBytes(file, content);
    std::vector<std::pair<std::string, std::string>> others;
    std::vector<std::string> before;
    for (const auto& [otherSection, otherKey] : namedKeys(content)) {
        if (EqualsIgnoringCase(otherSection, section) && EqualsIgnoringCase(otherKey, key))
            continue;
        others.emplace_back(otherSection, otherKey);
        before.push_back(ReadIniValue(file, otherSection, otherKey));
    }
    if (!WriteIniValue(file, section, key, value))
        std::abort(); // a writable file and a value without line breaks must be written
    if (ReadIniValue(file, section, key) != asRead(value))
        std::abort();
    for (std::size_t i = 0; i < others.size(); ++i)
        if (ReadIniValue(file, others[i].first, others[i].second) != before[i])
            std::abort();
    return 0;
}
