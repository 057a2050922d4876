#include "platform/NameText.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace quorvel {
namespace {

#ifdef _WIN32
// A text that is not UTF-8 came from a file saved in the system's ANSI code page
// (Notepad's "ANSI"), or was cut inside a character: it is read in that code page,
// which gives every byte a character, rather than stopping the program.
fs::path ansiPath(std::string_view text) {
    const int length = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), wideLength);
    return fs::path(wide);
}

bool isUtf8(std::string_view text) {
    const int length = static_cast<int>(text.size());
    return text.empty() ||
           MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0) > 0;
}
#endif

} // namespace

std::string NameText(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

fs::path NamePath(std::string_view text) {
#ifdef _WIN32
    if (!isUtf8(text))
        return ansiPath(text);
#endif
    return fs::path(std::u8string(text.begin(), text.end()));
}

fs::path InFolder(const fs::path& folder, std::string_view name) {
    return folder / NamePath(name);
}

std::string JoinedNames(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

std::string FewNames(const std::vector<std::string>& names, std::size_t shown) {
    if (names.size() <= shown)
        return JoinedNames(names);
    return JoinedNames({names.begin(), names.begin() + static_cast<std::ptrdiff_t>(shown)}) +
           " and " + std::to_string(names.size() - shown) + " more";
}

} // namespace quorvel
