#pragma once
// The request record of the edge smoothing pass, filled by its caller.

#include "hostapi/HostApi.h"

#include <cstdint>

struct EdgeSmoothSettings {
    std::uint32_t threshold;  // sum of absolute channel differences, in 8-bit units
    std::uint32_t strength;   // percent; 0 copies only
    std::int32_t curve;       // ramp bend, -100..100; 0 keeps ramps linear
    std::uint32_t variant;    // only 0 is known
    // Read only by other variants.
    std::uint32_t red;
    std::uint32_t green;
    std::uint32_t blue;
    std::uint32_t refinementThreshold;
    std::uint32_t subVariant;
    std::uint32_t unused[2];

    PF_InData* inData;                   // effect reference and host suites
    std::uint32_t pixelFormat;           // 'argb', 'ae16' or 'ae32', of both worlds
    const PF_EffectWorld* source;        // read only
    PF_EffectWorld* destination;         // same size and format as the source
};

// The fixed values the render driver smooths with: threshold 10, strength 70, linear ramps,
// variant 0, white key. Leaves inData, pixelFormat and the worlds alone.
void setEdgeSmoothDefaults(EdgeSmoothSettings& settings);
