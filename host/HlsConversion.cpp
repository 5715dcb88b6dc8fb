#include "host/HlsConversion.h"

#include <algorithm>

namespace vmhost {

namespace {

constexpr std::uint32_t kOne = 65536;
constexpr std::int32_t kSixthOfTurn = 60 * 65536;
constexpr std::int32_t kFullTurn = 360 * 65536;

// Nearest integer to num / den for den > 0, halves rounded up. Every numerator below stays
// under 2^32 once doubled, so 32-bit division serves: a frame of a keyed render makes
// about a million of these calls.
std::uint32_t roundedQuotient(std::uint32_t num, std::uint32_t den) { return (2 * num + den) / (2 * den); }

}  // namespace

HlsFixed rgbToHls(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    const int r = red, g = green, b = blue;
    const int maxC = std::max({r, g, b});
    const int minC = std::min({r, g, b});
    const std::uint32_t sum = static_cast<std::uint32_t>(maxC + minC);    // lightness × 510
    const std::uint32_t delta = static_cast<std::uint32_t>(maxC - minC);  // chroma × 255

    HlsFixed hls{0, static_cast<std::int32_t>(roundedQuotient(sum * kOne, 510u)), 0};
    if (delta == 0) return hls;

    // The 255 scale cancels in both saturation ratios.
    const std::uint32_t saturationDen = (sum <= 255) ? sum : 510 - sum;
    hls.saturation = static_cast<std::int32_t>(roundedQuotient(delta * kOne, saturationDen));

    // The dominant channel picks the sixths (0, 2 or 4) and the difference; chosen without
    // branches, which random colours would mispredict.
    const bool redLeads = maxC == r;
    const bool greenLeads = !redLeads && maxC == g;
    const int sector = redLeads ? 0 : (greenLeads ? 2 : 4);
    const int diff = redLeads ? g - b : (greenLeads ? b - r : r - g);
    // (sector + diff / delta) sixths. The whole sixths are exact; as |diff| <= delta, the
    // fraction is rounded from (diff + delta) / delta, which is never negative, less one sixth.
    const std::uint32_t shiftedDiff = static_cast<std::uint32_t>(diff + static_cast<int>(delta));
    std::int32_t hue = (sector - 1) * kSixthOfTurn +
                       static_cast<std::int32_t>(roundedQuotient(shiftedDiff * kSixthOfTurn, delta));
    if (hue < 0) hue += kFullTurn;
    if (hue >= kFullTurn) hue -= kFullTurn;
    hls.hue = hue;
    return hls;
}

}  // namespace vmhost
