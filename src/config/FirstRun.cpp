#include "config/FirstRun.h"

#include "config/PathVariables.h"
#include "platform/IniFile.h"

namespace quorvel {
namespace {

constexpr std::string_view kSection = "CONFIGURATION";
constexpr std::string_view kKey = "BACKUPS";

} // namespace

bool FirstRunWindowDue() {
    return ReadIniValue(ConfigFile(), kSection, kKey) != "1";
}

bool StoreFirstRunFlag(bool doNotShowAgain) {
    return WriteIniValue(ConfigFile(), kSection, kKey, doNotShowAgain ? "1" : "0");
}

} // namespace quorvel
