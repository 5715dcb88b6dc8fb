#pragma once
// The depth table of the edge smoothing pass: what differs between its 8-bit, 16-bit and
// float versions besides the pixel operations, which overload on the pixel type.

#include "tests/render/baseline/PixelArithmetic.h"
#include "render/RenderParams.h"

#include <cstdint>

namespace baseline {

template <class Pixel>
struct EdgeSmoothDepth;

template <>
struct EdgeSmoothDepth<PF_Pixel8> {
    using Weight = std::uint32_t;
    using Threshold = std::uint32_t;
    static constexpr std::uint32_t kPixelFormat = kPixelFormat8;
    static Threshold threshold(std::uint32_t eightBitUnits) { return eightBitUnits; }
};

template <>
struct EdgeSmoothDepth<PF_Pixel16> {
    using Weight = std::uint32_t;
    using Threshold = std::uint32_t;
    static constexpr std::uint32_t kPixelFormat = kPixelFormat16;
    static Threshold threshold(std::uint32_t eightBitUnits) { return threshold16(eightBitUnits); }
};

template <>
struct EdgeSmoothDepth<PF_PixelFloat> {
    using Weight = float;
    using Threshold = float;
    static constexpr std::uint32_t kPixelFormat = kPixelFormat32;
    static Threshold threshold(std::uint32_t eightBitUnits) { return thresholdFloat(eightBitUnits); }
};

}  // namespace baseline
