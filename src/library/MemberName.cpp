#include "library/MemberName.h"

#include "platform/NameFolding.h"

#include <algorithm>
#include <array>
#include <string>

namespace quorvel {
namespace {

// A colon would name a drive ("C:NAME") or a data stream ("NAME:STREAM") on
// Windows, so it separates like a folder part on every system alike.
constexpr std::string_view kSeparators = "/\\:";

// Windows drops a trailing dot or blank from a name it creates, so "EXTRA.SPT."
// would land as EXTRA.SPT and be recorded under a name it does not have; and it
// refuses these characters outright. Such names are skipped there rather than
// renamed, as a name the add-on does not use is of no use to the game.
constexpr std::string_view kRefusedOnWindows = "<>\"|?*";

bool windowsCanHold(std::string_view name) {
    const bool control = std::any_of(name.begin(), name.end(),
                                     [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    return !control && name.back() != '.' && name.back() != ' ' &&
           name.find_first_of(kRefusedOnWindows) == std::string_view::npos &&
           !NamesWindowsDevice(name);
}

#ifdef _WIN32
constexpr bool kWindowsNameRules = true;
#else
constexpr bool kWindowsNameRules = false;
#endif

} // namespace

// Writing to such a name would send the bytes to the device ("COM1.TXT" is the
// serial port).
bool NamesWindowsDevice(std::string_view name) {
    static constexpr std::array<std::string_view, 32> kDeviceNames{
        "CON",         "PRN",        "AUX",         "NUL",         "CONIN$",      "CONOUT$",
        "COM0",        "COM1",       "COM2",        "COM3",        "COM4",        "COM5",
        "COM6",        "COM7",       "COM8",        "COM9",        "LPT0",        "LPT1",
        "LPT2",        "LPT3",       "LPT4",        "LPT5",        "LPT6",        "LPT7",
        "LPT8",        "LPT9",       "COM\xC2\xB9", "COM\xC2\xB2", "COM\xC2\xB3", "LPT\xC2\xB9",
        "LPT\xC2\xB2", "LPT\xC2\xB3"};
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.remove_suffix(1);
    const std::string upper = UpperCase(base);
    return std::find(kDeviceNames.begin(), kDeviceNames.end(), upper) != kDeviceNames.end();
}

bool IsBareFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(kSeparators) == std::string_view::npos &&
           (!kWindowsNameRules || windowsCanHold(name));
}

std::optional<std::string> BareMemberName(std::string_view storedName) {
    const std::size_t lastSeparator = storedName.find_last_of(kSeparators);
    const std::string_view bare =
        lastSeparator == std::string_view::npos ? storedName : storedName.substr(lastSeparator + 1);
    if (!IsBareFileName(bare))
        return std::nullopt;
    return std::string(bare);
}

} // namespace quorvel
