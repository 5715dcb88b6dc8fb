#include "host/HlsConversion.h"

#include <algorithm>

namespace vmhost {

namespace {

constexpr std::int64_t kOne = 65536;
constexpr std::int64_t kFullTurn = 360 * kOne;

// Nearest integer to num / den for den > 0, halves rounded up; integer
// arithmetic keeps every platform's answer identical.
std::int64_t roundedQuotient(std::int64_t num, std::int64_t den) {
    const std::int64_t twice = 2 * num + den;
    const std::int64_t q = twice / (2 * den);
    return (twice % (2 * den) < 0) ? q - 1 : q;
}

}  // namespace

HlsFixed rgbToHls(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    const int r = red, g = green, b = blue;
    const int maxC = std::max({r, g, b});
    const int minC = std::min({r, g, b});
    const int sum = maxC + minC;    // lightness × 510
    const int delta = maxC - minC;  // chroma × 255

    HlsFixed hls{0, static_cast<std::int32_t>(roundedQuotient(sum * kOne, 510)), 0};
    if (delta == 0) return hls;

    // The 255 scale cancels in both saturation ratios.
    const int saturationDen = (sum <= 255) ? sum : 510 - sum;
    hls.saturation = static_cast<std::int32_t>(roundedQuotient(delta * kOne, saturationDen));

    int sector;  // 0, 2 or 4 sixths of the circle, from the dominant channel
    int diff;
    if (maxC == r) {
        sector = 0;
        diff = g - b;
    } else if (maxC == g) {
        sector = 2;
        diff = b - r;
    } else {
        sector = 4;
        diff = r - g;
    }
    std::int64_t hue = roundedQuotient((sector * delta + diff) * 60 * kOne, delta);
    if (hue < 0) hue += kFullTurn;
    if (hue >= kFullTurn) hue -= kFullTurn;
    hls.hue = static_cast<std::int32_t>(hue);
    return hls;
}

}  // namespace vmhost
