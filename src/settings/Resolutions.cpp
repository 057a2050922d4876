#include "settings/Resolutions.h"

namespace quorvel {

std::string StoredResolutionText(const GameIniFile& file) {
    return file.read(kWidth) + "x" + file.read(kHeight);
}

bool WriteResolution(GameIniFile& file, std::size_t item) {
    const Resolution& resolution = kResolutions.at(item);
    bool written = file.write(kWidth, resolution.width);
    written &= file.write(kHeight, resolution.height);
    return written;
}

} // namespace quorvel
