#include "cli/NumberText.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace vmcli {

namespace {

template <class T>
std::string shortest(T value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

}  // namespace

std::optional<long long> parseInteger(const std::string& text) {
    long long value = 0;
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+') ++begin;
    const auto result = std::from_chars(begin, end, value);
    if (begin == end || result.ec != std::errc() || result.ptr != end) return std::nullopt;
    return value;
}

namespace {

// A number too close to zero for a double ("1e-400") is zero, not out of
// range; one too large stays out of range.
std::optional<double> underflowedNumber(const char* begin, const char* end) {
    long double wide = 0;
    const auto result = std::from_chars(begin, end, wide, std::chars_format::general);
    if (result.ptr != end) return std::nullopt;
    if (result.ec == std::errc()) {
        if (std::fabs(wide) >= 1) return std::nullopt;
        return static_cast<double>(wide);
    }
    // Beyond even a long double: tiny when the exponent is negative.
    const std::string_view digits(begin, static_cast<std::size_t>(end - begin));
    if (digits.find("e-") == std::string_view::npos && digits.find("E-") == std::string_view::npos)
        return std::nullopt;
    return *begin == '-' ? -0.0 : 0.0;
}

}  // namespace

std::optional<double> parseNumber(const std::string& text) {
    double value = 0;
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (begin != end && *begin == '+') ++begin;
    if (begin == end) return std::nullopt;
    const auto result = std::from_chars(begin, end, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range && result.ptr == end) return underflowedNumber(begin, end);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string formatFloat(float value) {
    return shortest(value);
}

std::string formatDouble(double value) {
    return shortest(value);
}

std::string formatFixed(double value, int decimals) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return std::string(text, result.ptr);
}

}  // namespace vmcli
