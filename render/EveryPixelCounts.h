#pragma once
// Whether every pixel of a frame counts in every window of every blur pass: none transparent,
// and none that a pass could turn transparent or non-finite (float: alpha at least 1e-30,
// every value finite and within +-1e30; a mean of such values stays so). With every pixel
// selected as well, every pass writes every pixel, a window's count only depends on where it
// lies in its line, and nothing needs to be set up in the pass buffers beforehand.

#include "hostapi/HostApi.h"
#include "render/PixelTraits.h"
#include "render/SelectionMask.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

constexpr float kSmallestCountingAlpha = 1e-30f;
constexpr float kLargestCountingValue = 1e30f;

template <class Pixel>
bool pixelCounts(const Pixel& pixel) {
    if constexpr (std::is_same<Pixel, PF_PixelFloat>::value) {
        bool sane = pixel.alpha >= kSmallestCountingAlpha;
        for (float v : {pixel.alpha, pixel.red, pixel.green, pixel.blue}) sane &= std::fabs(v) <= kLargestCountingValue;
        return sane;  // NaN fails every comparison
    } else {
        return pixel.alpha != 0;
    }
}

// pixelCounts over a row, as integer minima and maxima that vectorise: a float's bits with the
// sign cleared order as its magnitude, NaN and infinity above every finite value, and a
// negative alpha's bits as a signed number below every positive one.
template <class Pixel>
bool everyPixelOfRowCounts(const Pixel* row, std::int32_t width) {
    if constexpr (std::is_same<Pixel, PF_PixelFloat>::value) {
        const auto bitsOf = [](float v) {
            std::int32_t bits;
            std::memcpy(&bits, &v, sizeof bits);
            return bits;
        };
        std::int32_t smallestAlpha = std::numeric_limits<std::int32_t>::max(), largestMagnitude = 0;
        for (std::int32_t x = 0; x < width; ++x) {
            const std::int32_t alpha = bitsOf(row[x].alpha);
            smallestAlpha = std::min(smallestAlpha, alpha);
            for (std::int32_t bits : {alpha, bitsOf(row[x].red), bitsOf(row[x].green), bitsOf(row[x].blue)}) {
                largestMagnitude = std::max(largestMagnitude, bits & 0x7fffffff);
            }
        }
        return width == 0 ||
               (smallestAlpha >= bitsOf(kSmallestCountingAlpha) && largestMagnitude <= bitsOf(kLargestCountingValue));
    } else {
        auto smallestAlpha = std::numeric_limits<typename PixelTraits<Pixel>::Channel>::max();
        for (std::int32_t x = 0; x < width; ++x) smallestAlpha = std::min(smallestAlpha, row[x].alpha);
        return smallestAlpha != 0;
    }
}

// Checks every pixel of `area` in `world` as a pixel task; `every` is false when one does not
// count. Returns the result of iterate_generic (then `every` is false too). Instantiated for
// PF_Pixel8, PF_Pixel16 and PF_PixelFloat.
template <class Pixel>
PF_Err checkEveryPixelCounts(PF_InData* inData, A_long iterations, const PF_EffectWorld& world, const PF_LRect& area,
                             bool& every);

// The same for the selected pixels of `area` only (the mask must have the area's size).
template <class Pixel>
PF_Err checkEverySelectedPixelCounts(PF_InData* inData, A_long iterations, const PF_EffectWorld& world,
                                     const PF_LRect& area, const SelectionMask& mask, bool& every);
