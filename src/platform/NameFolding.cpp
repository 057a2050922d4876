#include "platform/NameFolding.h"

#include <algorithm>
#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#else
#include <unicode/uchar.h>
#include <unicode/utf8.h>
#endif

namespace quorvel {
namespace {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Plain ASCII names, nearly all of a game folder, need no table: every system
// maps just A-Z and a-z onto each other there.
std::string asciiMapped(std::string_view text, bool upper) {
    std::string mapped(text);
    const char from = upper ? 'a' : 'A';
    const char to = upper ? 'A' : 'a';
    std::transform(mapped.begin(), mapped.end(), mapped.begin(), [=](char c) {
        return (c >= from && c <= static_cast<char>(from + 25)) ? static_cast<char>(c - from + to)
                                                                : c;
    });
    return mapped;
}

#ifdef _WIN32

// The file system compares names through the system's upper-casing table, so
// folding and upper-casing are one and the same there.
constexpr bool kFoldsByUpperCasing = true;

std::string unicodeMapped(std::string_view text, bool) {
    const int length = static_cast<int>(text.size());
    const int wideLength =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
    // Not UTF-8, so no name the system has: its ASCII letters still fold, as
    // everywhere else.
    if (wideLength <= 0)
        return asciiMapped(text, true);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), wideLength);
    CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    const int narrowLength =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string mapped(static_cast<std::size_t>(narrowLength), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, mapped.data(), narrowLength, nullptr,
                        nullptr);
    return mapped;
}

#else

constexpr bool kFoldsByUpperCasing = false;

// Code point by code point, so that each character maps on its own (simple
// folding); a byte that starts no valid character is kept as it is.
std::string unicodeMapped(std::string_view text, bool upper) {
    std::string mapped;
    mapped.reserve(text.size());
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    std::int32_t at = 0;
    while (at < length) {
        const std::int32_t start = at;
        UChar32 c = 0;
        U8_NEXT(bytes, at, length, c);
        if (c < 0) {
            mapped.append(
                text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(at - start)));
            continue;
        }
        const UChar32 to = upper ? u_toupper(c) : u_foldCase(c, U_FOLD_CASE_DEFAULT);
        std::uint8_t encoded[U8_MAX_LENGTH];
        std::int32_t size = 0;
        U8_APPEND_UNSAFE(encoded, size, to); // a mapped code point always fits
        mapped.append(reinterpret_cast<const char*>(encoded), static_cast<std::size_t>(size));
    }
    return mapped;
}

#endif

std::string mapped(std::string_view text, bool upper) {
    return isAscii(text) ? asciiMapped(text, upper) : unicodeMapped(text, upper);
}

// The base letter of each of U+00C0 to U+017F, '*' where there is none (Æ, ß,
// the signs). Names on the game's disks come from Windows-1252, whose letters all
// lie here.
constexpr std::string_view kLatinBases = "AAAAAA*CEEEEIIIIDNOOOOO*OUUUUY**aaaaaa*ceeeeiiii"
                                         "dnooooo*ouuuuy*yAaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGg"
                                         "GgGgHhHhIiIiIiIiIi**JjKk*LlLlLlLlLlNnNnNn***OoOo"
                                         "Oo**RrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZz*";
constexpr char32_t kFirstLatinBase = 0xC0;
constexpr char32_t kFirstCombiningMark = 0x300;
constexpr char32_t kLastCombiningMark = 0x36F;

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Only two-byte characters carry the accents dropped; every other byte is kept.
std::string withoutAccents(std::string_view text) {
    std::string plain;
    plain.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto lead = static_cast<unsigned char>(text[at]);
        if (lead >= 0xC2 && lead <= 0xDF && at + 1 < text.size() &&
            isContinuation(static_cast<unsigned char>(text[at + 1]))) {
            const char32_t c = static_cast<char32_t>(
                ((lead & 0x1F) << 6) | (static_cast<unsigned char>(text[at + 1]) & 0x3F));
            if (c >= kFirstCombiningMark && c <= kLastCombiningMark) {
                ++at;
                continue;
            }
            if (c >= kFirstLatinBase && c - kFirstLatinBase < kLatinBases.size() &&
                kLatinBases[c - kFirstLatinBase] != '*') {
                plain += kLatinBases[c - kFirstLatinBase];
                ++at;
                continue;
            }
        }
        plain += text[at];
    }
    return plain;
}

} // namespace

std::string SearchFolded(std::string_view text) {
    return FoldCase(withoutAccents(text));
}

std::string FoldCase(std::string_view text) {
    return mapped(text, kFoldsByUpperCasing);
}

std::string UpperCase(std::string_view text) {
    return mapped(text, true);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return FoldCase(a) == FoldCase(b);
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    return FoldCase(text).ends_with(FoldCase(suffix));
}

std::unordered_set<std::string> FoldedNames(const std::vector<std::string>& names) {
    std::unordered_set<std::string> folded;
    for (const std::string& name : names)
        folded.insert(FoldCase(name));
    return folded;
}

} // namespace quorvel
