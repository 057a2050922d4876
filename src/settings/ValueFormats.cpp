#include "settings/ValueFormats.h"

#include <algorithm>
#include <cctype>

namespace quorvel {
namespace {

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

// Enough digits for every range the editor uses, few enough that no int overflows.
constexpr std::size_t kMaxDigits = 9;

std::optional<long long> digitsValue(std::string_view digits) {
    digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.size() > kMaxDigits)
        return std::nullopt;
    long long value = 0;
    for (const char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

} // namespace

std::string FlagText(bool checked) {
    return checked ? "1" : "0";
}

bool ReadsAsChecked(std::string_view stored) {
    return stored == "1";
}

std::string WholeNumberText(int value) {
    return std::to_string(value);
}

std::string HundredthsText(int position) {
    const std::string cents = std::to_string(position % 100);
    return std::to_string(position / 100) + "." + (cents.size() < 2 ? "0" : "") + cents;
}

std::string CharacterCodeText(std::string_view singleByteText) {
    if (singleByteText.empty())
        return {};
    return std::to_string(static_cast<unsigned char>(singleByteText.front()));
}

std::optional<int> ReadWholeNumber(std::string_view stored, int min, int max) {
    const bool negative = !stored.empty() && stored.front() == '-';
    if (negative)
        stored.remove_prefix(1);
    if (stored.empty() || !allDigits(stored))
        return std::nullopt;
    const auto magnitude = digitsValue(stored);
    if (!magnitude)
        return std::nullopt;
    const long long value = negative ? -*magnitude : *magnitude;
    if (value < min || value > max)
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<int> ReadHundredths(std::string_view stored, int max) {
    const std::size_t point = stored.find('.');
    const std::string_view whole = stored.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : stored.substr(point + 1);
    if (whole.empty() && fraction.empty())
        return std::nullopt;
    if (!allDigits(whole) || !allDigits(fraction))
        return std::nullopt;
    const auto units = digitsValue(whole);
    if (!units)
        return std::nullopt;
    const auto digitAt = [&](std::size_t i) { return i < fraction.size() ? fraction[i] - '0' : 0; };
    long long hundredths = *units * 100 + digitAt(0) * 10 + digitAt(1);
    if (digitAt(2) >= 5)
        ++hundredths;
    if (hundredths > max)
        return std::nullopt;
    return static_cast<int>(hundredths);
}

std::optional<int> ReadCharacterCode(std::string_view stored) {
    return ReadWholeNumber(stored, 1, 255);
}

} // namespace quorvel
