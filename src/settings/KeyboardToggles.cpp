#include "settings/KeyboardToggles.h"

#include <algorithm>
#include <string>

namespace quorvel {
namespace {

IniEntry remappable(std::string_view key) {
    return {kRemappableKeysSection, key};
}

bool blankGroup(GameIniFile& file, const KeyboardToggle& toggle) {
    bool written = true;
    for (const std::string_view key : toggle.keys)
        written &= file.write(remappable(key), kBlankBinding);
    return written;
}

bool restoreGroup(GameIniFile& file, const KeyboardToggle& toggle) {
    const auto keys = toggle.keys.first(toggle.restoredKeys);
    // All of the copy is read before EAW.INI changes at all.
    std::vector<std::string> bindings;
    for (const std::string_view key : keys)
        bindings.push_back(file.readSecurityCopy(remappable(key)));
    bool written = true;
    for (std::size_t i = 0; i < keys.size(); ++i)
        written &= file.write(remappable(keys[i]), bindings[i]);
    return written;
}

} // namespace

std::vector<std::string_view> DistinctToggleKeys() {
    std::vector<std::string_view> keys;
    for (const KeyboardToggle& toggle : kKeyboardToggles)
        for (const std::string_view key : toggle.keys)
            if (std::find(keys.begin(), keys.end(), key) == keys.end())
                keys.push_back(key);
    return keys;
}

bool ToggleReadsChecked(const GameIniFile& file, std::size_t toggle) {
    return file.read(remappable(kKeyboardToggles.at(toggle).keys.front())).empty();
}

ToggleOutcome ApplyToggle(GameIniFile& file, std::size_t toggle, bool checked,
                          bool enemyTargetingChecked) {
    const KeyboardToggle& group = kKeyboardToggles.at(toggle);
    if (checked)
        return {blankGroup(file, group), toggle == kEnemyTargetingToggle};
    if (toggle == kClosestEnemyToggle && enemyTargetingChecked)
        return {true, true};
    return {restoreGroup(file, group), false};
}

} // namespace quorvel
