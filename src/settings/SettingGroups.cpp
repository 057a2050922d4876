#include "settings/SettingGroups.h"

#include "settings/ValueFormats.h"

#include <algorithm>

namespace quorvel {

std::string StoredResolutionText(const GameIniFile& file) {
    return file.read(kWidth) + "x" + file.read(kHeight);
}

void WriteResolution(GameIniFile& file, std::size_t item) {
    const Resolution& resolution = kResolutions.at(item);
    file.write(kWidth, resolution.width);
    file.write(kHeight, resolution.height);
}

std::size_t PresetForStoredRate(std::string_view aiPlaneUpdateRate) {
    // The text is compared, not its number: "0350" is no match.
    for (std::size_t i = 0; i + 1 < kNetworkPresets.size(); ++i)
        if (aiPlaneUpdateRate == kNetworkPresets[i].aiPlaneUpdateRate)
            return i;
    return kNetworkPresets.size() - 1;
}

void WriteNetworkPreset(GameIniFile& file, std::size_t preset) {
    const NetworkPreset& values = kNetworkPresets.at(preset);
    file.write(kAiPlaneUpdateRate, values.aiPlaneUpdateRate);
    file.write(kPlayerPlaneUpdateRate, values.playerPlaneUpdateRate);
    file.write(kClockSyncRate, values.clockSyncRate);
}

StoredColourParts ReadHudColourSet(const GameIniFile& file, const HudColourSet& set) {
    StoredColourParts parts;
    for (std::size_t i = 0; i < parts.size(); ++i)
        parts[i] = ReadWholeNumber(file.read(set.parts[i]), 0, kColourPartMax);
    return parts;
}

bool IsComplete(const StoredColourParts& parts) {
    return std::all_of(parts.begin(), parts.end(),
                       [](const auto& part) { return part.has_value(); });
}

void WriteHudColourSet(GameIniFile& file, const HudColourSet& set, const StoredColourParts& parts) {
    for (std::size_t i = 0; i < parts.size(); ++i)
        if (parts[i])
            file.write(set.parts[i], WholeNumberText(*parts[i]));
}

int SwatchPart(int part) {
    return std::clamp(part, 0, 255);
}

} // namespace quorvel
