#pragma once
// The brightness lift as a lookup table per depth: 256 entries for 8 bits, 32769 for 16 bits
// and float (float values are quantised to 1/32768 and clipped to 0..1 by it).

#include "AEUtil/SharedArray.h"
#include "hostapi/HostApi.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

template <class Pixel>
struct BrightnessTable;

namespace brightness_detail {

// Entry value on a 0..full scale, clipped at full. Non-numbers and negatives (which the
// sliders never give) become 0 rather than undefined conversions.
inline double lifted(int i, double b, double gain, double curve, double full) {
    const double x = i * (1.0 + b * (gain - 1.0)) + full * std::pow(b, curve);
    if (x > full) return full;
    if (!(x >= 0.0)) return 0.0;
    return x;
}

}  // namespace brightness_detail

template <>
struct BrightnessTable<PF_Pixel8> {
    using Entry = std::uint8_t;
    static constexpr int kSize = 256;
    static Entry entry(int i, double b, double gain, double curve) {
        const double x = brightness_detail::lifted(i, b, gain, curve, 255.0);
        return x >= 255.0 ? 255 : static_cast<Entry>(std::trunc(x + 0.5));
    }
    static std::uint8_t lookup(const Entry* table, std::uint8_t v) { return table[v]; }
};

template <>
struct BrightnessTable<PF_Pixel16> {
    using Entry = std::uint16_t;
    static constexpr int kSize = 32769;
    static Entry entry(int i, double b, double gain, double curve) {
        const double x = brightness_detail::lifted(i, b, gain, curve, 32768.0);
        return x >= 32768.0 ? 32768 : static_cast<Entry>(std::trunc(x + 0.5));
    }
    // Values above white (which the host never gives) use the white entry.
    static std::uint16_t lookup(const Entry* table, std::uint16_t v) { return table[std::min<int>(v, 32768)]; }
};

template <>
struct BrightnessTable<PF_PixelFloat> {
    using Entry = float;
    static constexpr int kSize = 32769;
    static Entry entry(int i, double b, double gain, double curve) {
        const double x = (i / 32768.0) * (1.0 + b * (gain - 1.0)) + std::pow(b, curve);
        if (x > 1.0) return 1.0f;
        return static_cast<Entry>(x);
    }
    // A NaN has no entry to look up: it passes through as it is, so that it stays a local
    // fault of its pixel rather than an out-of-range index (infinities clip like any value).
    static float lookup(const Entry* table, float v) {
        if (std::isnan(v)) return v;
        const double index = std::trunc(static_cast<double>(v) * 32768.0 + 0.5);
        return table[static_cast<int>(std::clamp(index, 0.0, 32768.0))];
    }
};

template <class Pixel>
AEUtil::SharedArray<typename BrightnessTable<Pixel>::Entry> makeBrightnessTable(double b, double gain, double curve) {
    using Table = BrightnessTable<Pixel>;
    AEUtil::SharedArray<typename Table::Entry> table(new typename Table::Entry[Table::kSize]);
    for (int i = 0; i < Table::kSize; ++i) table[i] = Table::entry(i, b, gain, curve);
    return table;
}
