#include "platform/NameText.h"

namespace fs = std::filesystem;

namespace quorvel {

std::string NameText(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

fs::path NamePath(std::string_view text) {
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
