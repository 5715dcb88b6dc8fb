#pragma once
// RGB to HLS in the host's scales: hue in degrees [0, 360), lightness and
// saturation from 0 to 1, all as 16.16 fixed point.
//
// Inline: a keyed frame asks about a million colours, and a returned HlsFixed from a call
// into another file goes through memory.

#include <algorithm>
#include <cstdint>

namespace vmhost {

struct HlsFixed {
    std::int32_t hue;
    std::int32_t lightness;
    std::int32_t saturation;
};

namespace hls_detail {

// Nearest integer to num / den for den > 0, halves rounded up. Every numerator rgbToHls
// passes stays under 2^32 once doubled, so 32-bit division serves.
inline std::uint32_t roundedQuotient(std::uint32_t num, std::uint32_t den) { return (2 * num + den) / (2 * den); }

}  // namespace hls_detail

inline HlsFixed rgbToHls(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    using hls_detail::roundedQuotient;
    constexpr std::uint32_t kOne = 65536;
    constexpr std::int32_t kSixth = 60 * 65536;
    constexpr std::int32_t kFullTurn = 360 * 65536;

    const int r = red, g = green, b = blue;
    const int maxC = std::max({r, g, b});
    const int minC = std::min({r, g, b});
    const auto sum = static_cast<std::uint32_t>(maxC + minC);    // lightness × 510
    const auto delta = static_cast<std::uint32_t>(maxC - minC);  // chroma × 255

    const auto lightness = static_cast<std::int32_t>(roundedQuotient(sum * kOne, 510));
    if (delta == 0) return HlsFixed{0, lightness, 0};

    // The 255 scale cancels in both saturation ratios.
    const std::uint32_t saturationDen = (sum <= 255) ? sum : 510 - sum;
    const auto saturation = static_cast<std::int32_t>(roundedQuotient(delta * kOne, saturationDen));

    // The dominant channel gives the sixths (0, 2 or 4) and the difference of the other two.
    const bool redLeads = maxC == r;
    const bool greenLeads = !redLeads && maxC == g;
    const int sector = redLeads ? 0 : (greenLeads ? 2 : 4);
    const int diff = redLeads ? g - b : (greenLeads ? b - r : r - g);
    // sector + diff / delta sixths. The whole sixths are exact; as |diff| <= delta, the fraction
    // is rounded as (diff + delta) / delta, which is never negative, less one sixth.
    const auto shiftedDiff = static_cast<std::uint32_t>(diff + static_cast<int>(delta));
    std::int32_t hue = (sector - 1) * kSixth + static_cast<std::int32_t>(roundedQuotient(shiftedDiff * kSixth, delta));
    if (hue < 0) hue += kFullTurn;
    if (hue >= kFullTurn) hue -= kFullTurn;
    return HlsFixed{hue, lightness, saturation};
}

}  // namespace vmhost
