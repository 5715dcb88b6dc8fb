#pragma once
// Numbers to and from text without the C locale: the loaded effect sets the
// process locale, which must not change how "2.5" is read or printed.

#include <optional>
#include <string>

namespace vmcli {

// The whole text as a decimal integer; nullopt for anything else.
std::optional<long long> parseInteger(const std::string& text);
// The whole text as a decimal number ("4", "-2.5", "1e3"); nullopt for
// anything else, infinities and NaN included.
std::optional<double> parseNumber(const std::string& text);

// The shortest text that reads back as the same float: 0.05f gives "0.05".
std::string formatFloat(float value);
std::string formatDouble(double value);
// Fixed number of decimals: formatFixed(3.14159, 1) gives "3.1".
std::string formatFixed(double value, int decimals);

}  // namespace vmcli
