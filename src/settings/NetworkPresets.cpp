#include "settings/NetworkPresets.h"

namespace quorvel {

std::size_t PresetForStoredRate(std::string_view aiPlaneUpdateRate) {
    // The text is compared, not its number: "0350" is no match.
    for (std::size_t i = 0; i + 1 < kNetworkPresets.size(); ++i)
        if (aiPlaneUpdateRate == kNetworkPresets[i].aiPlaneUpdateRate)
            return i;
    return kNetworkPresets.size() - 1;
}

bool WriteNetworkPreset(GameIniFile& file, std::size_t preset) {
    const NetworkPreset& values = kNetworkPresets.at(preset);
    bool written = file.write(kAiPlaneUpdateRate, values.aiPlaneUpdateRate);
    written &= file.write(kPlayerPlaneUpdateRate, values.playerPlaneUpdateRate);
    written &= file.write(kClockSyncRate, values.clockSyncRate);
    return written;
}

} // namespace quorvel
