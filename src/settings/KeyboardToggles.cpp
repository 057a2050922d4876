#include "settings/KeyboardToggles.h"

#include <string>
#include <vector>

namespace quorvel {
namespace {

IniEntry remappable(std::string_view key) {
    return {kRemappableKeysSection, key};
}

void blankGroup(GameIniFile& file, const KeyboardToggle& toggle) {
    for (const std::string_view key : toggle.keys)
        file.write(remappable(key), kBlankBinding);
}

void restoreGroup(GameIniFile& file, const KeyboardToggle& toggle) {
    const auto keys = toggle.keys.first(toggle.restoredKeys);
    // All of the copy is read before EAW.INI changes at all.
    std::vector<std::string> bindings;
    for (const std::string_view key : keys)
        bindings.push_back(file.readSecurityCopy(remappable(key)));
    for (std::size_t i = 0; i < keys.size(); ++i)
        file.write(remappable(keys[i]), bindings[i]);
}

} // namespace

bool ToggleReadsChecked(const GameIniFile& file, std::size_t toggle) {
    return file.read(remappable(kKeyboardToggles.at(toggle).keys.front())).empty();
}

bool ApplyToggle(GameIniFile& file, std::size_t toggle, bool checked, bool enemyTargetingChecked) {
    const KeyboardToggle& group = kKeyboardToggles.at(toggle);
    if (checked) {
        blankGroup(file, group);
        return toggle == kEnemyTargetingToggle;
    }
    if (toggle == kClosestEnemyToggle && enemyTargetingChecked)
        return true;
    restoreGroup(file, group);
    return false;
}

} // namespace quorvel
