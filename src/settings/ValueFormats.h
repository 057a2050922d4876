#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// The texts the game expects in EAW.INI, and the rules for reading them back.
// A reader gives nothing for a text its control cannot show, rather than a guess.

// "1" for a checked box, "0" otherwise.
std::string FlagText(bool checked);

// Only the exact text "1" checks a box.
bool ReadsAsChecked(std::string_view stored);

// Decimal digits, no sign, no separators, no leading zeros.
std::string WholeNumberText(int value);

// A position in hundredths as a number with a point and two decimals, whatever
// the locale: 5 gives "0.05", 150 gives "1.50".
std::string HundredthsText(int position);

// The decimal code of the first byte of `singleByteText` ("42" for "*"); "" for
// an empty text, since no code can be taken.
std::string CharacterCodeText(std::string_view singleByteText);

// A whole number from `min` to `max`: optional minus sign and decimal digits only.
std::optional<int> ReadWholeNumber(std::string_view stored, int min, int max);

// A decimal number with a point, times 100 and rounded half up ("1.5" and "1.50"
// give 150, "0.05" gives 5), when the result lies from 0 to `max`.
std::optional<int> ReadHundredths(std::string_view stored, int max);

// A character code from 1 to 255 written as a whole number.
std::optional<int> ReadCharacterCode(std::string_view stored);

// The items "0" to "5" of the squadron and joystick lists; item n writes its text.
inline constexpr std::array<std::string_view, 6> kNumberItems{"0", "1", "2", "3", "4", "5"};

} // namespace quorvel
