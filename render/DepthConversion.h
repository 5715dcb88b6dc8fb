#pragma once
// 8-bit frames blur in 16 bits: each channel is widened on the way in and narrowed on the way
// out, in integer arithmetic that returns every 8-bit value unchanged. As traits over the
// pixel type, so that code reading and writing frames of either integer depth is written once.

#include "hostapi/HostApi.h"

#include <algorithm>
#include <cstdint>

// v * 32768 / 255, rounded: 255 gives 32768.
inline std::uint16_t widenTo16Bits(std::uint8_t v) { return static_cast<std::uint16_t>((v * 32768u + 128u) / 255u); }

// v * 255 / 32768, rounded (a right shift by 15); values above 32768 give 255.
inline std::uint8_t narrowTo8Bits(std::uint16_t v) {
    return static_cast<std::uint8_t>(std::min(255u, (v * 255u + 16384u) >> 15));
}

template <class Pixel>
struct DepthConversion;

template <>
struct DepthConversion<PF_Pixel8> {
    static std::uint16_t toRow(std::uint8_t v) { return widenTo16Bits(v); }
    static std::uint8_t fromRow(std::uint16_t v) { return narrowTo8Bits(v); }
};

template <>
struct DepthConversion<PF_Pixel16> {
    static std::uint16_t toRow(std::uint16_t v) { return v; }
    static std::uint16_t fromRow(std::uint16_t v) { return v; }
};
