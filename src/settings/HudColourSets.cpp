#include "settings/HudColourSets.h"

#include "settings/ValueFormats.h"

#include <algorithm>

namespace quorvel {

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

bool WriteHudColourSet(GameIniFile& file, const HudColourSet& set, const StoredColourParts& parts) {
    bool written = true;
    for (std::size_t i = 0; i < parts.size(); ++i)
        if (parts[i])
            written &= file.write(set.parts[i], WholeNumberText(*parts[i]));
    return written;
}

int SwatchPart(int part) {
    return std::clamp(part, 0, 255);
}

} // namespace quorvel
