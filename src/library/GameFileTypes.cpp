#include "library/GameFileTypes.h"

#include "platform/NameFolding.h"

namespace quorvel {

std::optional<std::size_t> GameFileMaskIndex(std::string_view fileName) {
    for (std::size_t index = 0; index < kGameFileMasks.size(); ++index) {
        const std::string_view extension = kGameFileMasks[index].substr(1); // ".TPC"
        if (EndsWithIgnoringCase(fileName, extension))
            return index;
    }
    return std::nullopt;
}

} // namespace quorvel
