#pragma once
// What the pixel operations need to know about one pixel depth. Pixel loops are written
// once over the pixel type and ask these traits; only the traits differ per depth.
//
// Every depth stores alpha, red, green, blue in that order, as four channels of one type,
// so a line of pixels can also be read as an array of channels with a step of 4.

#include "hostapi/HostApi.h"

#include <cmath>
#include <cstdint>
#include <cstring>

enum PixelChannel : int { kAlphaChannel = 0, kRedChannel = 1, kGreenChannel = 2, kBlueChannel = 3 };
constexpr int kChannelsPerPixel = 4;

template <class Pixel>
struct PixelTraits;

template <>
struct PixelTraits<PF_Pixel8> {
    using Channel = std::uint8_t;
    static bool isTransparent(Channel alpha) { return alpha == 0; }
    // The host's 8-bit value of a channel, as colour matching hands it to RGBtoHLS.
    static std::uint8_t toHostByte(Channel value) { return value; }
    static bool sameColor(const PF_Pixel8& a, const PF_Pixel8& b) {
        return a.red == b.red && a.green == b.green && a.blue == b.blue;
    }
};

template <>
struct PixelTraits<PF_Pixel16> {
    using Channel = std::uint16_t;
    static bool isTransparent(Channel alpha) { return alpha == 0; }
    // 0..32768 to 0..255 with rounding; values above the host's maximum count as full.
    static std::uint8_t toHostByte(Channel value) {
        const std::uint32_t scaled = (static_cast<std::uint32_t>(value) * 255 + 16384) >> 15;
        return static_cast<std::uint8_t>(scaled > 255 ? 255 : scaled);
    }
    static bool sameColor(const PF_Pixel16& a, const PF_Pixel16& b) {
        return a.red == b.red && a.green == b.green && a.blue == b.blue;
    }
};

template <>
struct PixelTraits<PF_PixelFloat> {
    using Channel = float;
    static bool isTransparent(Channel alpha) { return alpha == 0.0f; }
    // Float channels may leave 0..1 (superwhites, negative values); they are clamped so
    // that 1.5 matches as white rather than wrapping around to a dark byte. NaN counts as 0.
    static std::uint8_t toHostByte(Channel value) {
        if (!(value > 0.0f)) return 0;
        if (value >= 1.0f) return 255;
        return static_cast<std::uint8_t>(std::trunc(static_cast<double>(value) * 255.0 + 0.5));
    }
    // Bit patterns, so that equal-looking NaNs and signed zeros are told apart as the
    // host's own conversion would see them.
    static bool sameColor(const PF_PixelFloat& a, const PF_PixelFloat& b) {
        return std::memcmp(&a.red, &b.red, 3 * sizeof(float)) == 0;
    }
};

static_assert(sizeof(PF_Pixel8) == 4 * sizeof(PixelTraits<PF_Pixel8>::Channel), "four channels per pixel");
static_assert(sizeof(PF_Pixel16) == 4 * sizeof(PixelTraits<PF_Pixel16>::Channel), "four channels per pixel");
static_assert(sizeof(PF_PixelFloat) == 4 * sizeof(PixelTraits<PF_PixelFloat>::Channel), "four channels per pixel");
