#include "library/MemberName.h"

#include <algorithm>
#include <cctype>
#include <iterator>
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

// Windows opens these as devices whatever follows them ("COM1.TXT" is the serial
// port), so writing such a member would send its bytes to the device.
bool namesDevice(std::string_view name) {
    std::string base(name.substr(0, name.find('.')));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    for (char& c : base)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    static constexpr std::string_view kDevices[] = {"CON", "PRN",    "AUX",
                                                    "NUL", "CONIN$", "CONOUT$"};
    if (std::find(std::begin(kDevices), std::end(kDevices), base) != std::end(kDevices))
        return true;
    return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
           base[3] >= '1' && base[3] <= '9';
}

bool windowsCanHold(std::string_view name) {
    const bool control = std::any_of(name.begin(), name.end(),
                                     [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    return !control && name.back() != '.' && name.back() != ' ' &&
           name.find_first_of(kRefusedOnWindows) == std::string_view::npos && !namesDevice(name);
}

#ifdef _WIN32
constexpr bool kWindowsNameRules = true;
#else
constexpr bool kWindowsNameRules = false;
#endif

} // namespace

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
