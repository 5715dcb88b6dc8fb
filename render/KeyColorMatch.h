#pragma once
// Selecting the pixels whose colour is close to one of the key colours. Colours are
// compared in the host's HLS space (RGBtoHLS, 16.16 fixed point): hue in degrees,
// lightness and saturation from 0 to 1.

#include "hostapi/HostApi.h"
#include "render/RenderParams.h"
#include "render/SelectionMask.h"

#include <cstdint>
#include <vector>

// One enabled key colour, ready for matching.
struct KeyHLS {
    std::int32_t hue;         // degrees, 16.16
    std::int32_t lightness;   // 0..1, 16.16
    std::int32_t saturation;  // 0..1, 16.16
    std::int32_t threshold;   // largest colorDistance that still matches
};
static_assert(sizeof(KeyHLS) == 16, "KeyHLS layout");

// The largest possible colorDistance: full lightness and saturation differences and half
// a turn of hue. A range of 100 percent therefore matches every colour.
constexpr double kLargestColorDistance = 27904.0;

// (|dS| + |dL| + (dHue >> 7)) >> 3, the hue difference wrapped around the colour circle.
std::int32_t colorDistance(const PF_Fixed pixelHls[3], const KeyHLS& key);

// The threshold of a Color Range in percent: trunc(range / 100 * 27904).
std::int32_t keyThreshold(double rangePercent);

// The entry of a key colour: the host's HLS of its stored bytes and its threshold.
// Returns the host's RGBtoHLS result.
PF_Err makeKeyHLS(PF_InData* inData, const KeyColor& key, KeyHLS& entry);

// Fills `mask` (reallocated when its size differs from the area's) with 255 where a pixel
// of `source` inside `area` matches any of `entries`, 0 elsewhere, and sets its flags.
// Transparent pixels never match. Returns the result of iterate_generic (or the first
// failing RGBtoHLS); the mask is then undefined. Instantiated for PF_Pixel8, PF_Pixel16
// and PF_PixelFloat.
template <class Pixel>
PF_Err buildKeyMask(SelectionMask& mask, PF_InData* inData, const PF_EffectWorld& source, const PF_LRect& area,
                    const std::vector<KeyHLS>& entries);
