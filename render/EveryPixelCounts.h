#pragma once
// Whether every pixel of a frame counts in every window of every blur pass: none transparent,
// and none that a pass could turn transparent or non-finite (float: alpha at least 1e-30,
// every value finite and within +-1e30; a mean of such values stays so). With every pixel
// selected as well, every pass writes every pixel, a window's count only depends on where it
// lies in its line, and nothing needs to be set up in the pass buffers beforehand.

#include "hostapi/HostApi.h"
#include "render/PixelTraits.h"
#include "render/SelectionMask.h"

#include <cmath>

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
