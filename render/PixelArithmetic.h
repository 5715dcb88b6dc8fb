#pragma once
// The per-pixel operations of the edge smoothing pass in the three depths: whether two pixels
// differ, blending one pixel into another, and 8-bit thresholds converted to the depth.
// The integer depths are exact to the last bit, rounding included.

#include "hostapi/HostApi.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#if defined(__SSE4_1__)
#include <smmintrin.h>
#endif

// A threshold of 8-bit channel units in the other depths.
inline std::uint32_t threshold16(std::uint32_t eightBitUnits) {
    return static_cast<std::uint32_t>(std::uint64_t(eightBitUnits) * 32768u / 255u);
}
inline float thresholdFloat(std::uint32_t eightBitUnits) { return static_cast<float>(eightBitUnits) / 255.0f; }

namespace pixel_arithmetic_detail {

// Thresholds beyond the largest channel sum all mean "never differ by colour".
inline std::int32_t integerThreshold(std::uint32_t threshold) {
    return threshold > 0x7fffffffu ? 0x7fffffff : static_cast<std::int32_t>(threshold);
}

inline std::int32_t distance(std::int32_t a, std::int32_t b) { return std::abs(a - b); }
inline float distance(float a, float b) { return std::fabs(a - b); }

template <class Sum, class Pixel>
bool differ(const Pixel& p, const Pixel& q, Sum threshold) {
    if (p.alpha == 0 || q.alpha == 0) {
        if (p.alpha == q.alpha) return false;  // transparent pixels are alike whatever their colours
        const Pixel& visible = p.alpha == 0 ? q : p;
        return Sum(visible.alpha) + Sum(visible.red) + Sum(visible.green) + Sum(visible.blue) > threshold;
    }
    if (p.alpha == q.alpha && p.red == q.red && p.green == q.green && p.blue == q.blue) return false;
    return distance(Sum(p.alpha), Sum(q.alpha)) + distance(Sum(p.red), Sum(q.red)) +
               distance(Sum(p.green), Sum(q.green)) + distance(Sum(p.blue), Sum(q.blue)) >
           threshold;
}

// 8-bit and 16-bit blending share their arithmetic; every product is unsigned 32-bit.
template <class Channel>
Channel mixChannel(Channel d, Channel s, std::uint32_t sw, std::uint32_t dw) {
    return static_cast<Channel>((std::uint32_t(s) * sw + std::uint32_t(d) * dw + 32768u) >> 16);
}

// Pixels of different alphas: out of line, so that the common case inlines where it is used.
template <class Pixel>
[[gnu::noinline]] void mixIntegerAlphas(Pixel& dst, const Pixel& src, std::uint32_t w) {
    using Channel = decltype(dst.alpha);
    const std::uint32_t iw = 65535u - w;
    const std::uint32_t dstAlpha = dst.alpha;
    const std::uint32_t srcAlpha = src.alpha;
    if (srcAlpha == 0) {
        dst.alpha = static_cast<Channel>((iw * dstAlpha + 32768u) >> 16);
    } else if (dstAlpha == 0) {
        dst = src;
        dst.alpha = static_cast<Channel>((srcAlpha * w + 32768u) >> 16);
    } else {
        // k is the source's share of the resulting alpha, so the colours mix as if premultiplied.
        const std::uint32_t k =
            w == 0 ? 0u
                   : static_cast<std::uint32_t>(
                         65535.0f / (static_cast<float>(iw * dstAlpha) / static_cast<float>(srcAlpha * w) + 1.0f) +
                         0.5f);
        dst.red = mixChannel(dst.red, src.red, k, 65535u - k);
        dst.green = mixChannel(dst.green, src.green, k, 65535u - k);
        dst.blue = mixChannel(dst.blue, src.blue, k, 65535u - k);
        dst.alpha = static_cast<Channel>((srcAlpha * w + 32768u + iw * dstAlpha) >> 16);
    }
}

// Equal alphas: each colour channel is mixChannel'ed with w and 65535 - w.
template <class Pixel>
[[gnu::always_inline]] inline void mixEqualAlphas(Pixel& dst, const Pixel& src, std::uint32_t w) {
    const std::uint32_t iw = 65535u - w;
    dst.red = mixChannel(dst.red, src.red, w, iw);
    dst.green = mixChannel(dst.green, src.green, w, iw);
    dst.blue = mixChannel(dst.blue, src.blue, w, iw);
}

#if defined(__SSE4_1__)
// The four channels of an 8-bit pixel in one register, with the same wrapping 32-bit products
// and the same low byte kept. The alpha comes out as it was: a * w + a * (65535 - w) + 32768
// is a * 65536 + (32768 - a), whose top half is a.
[[gnu::always_inline]] inline void mixEqualAlphas(PF_Pixel8& dst, const PF_Pixel8& src, std::uint32_t w) {
    std::int32_t d, s;
    std::memcpy(&d, &dst, sizeof d);
    std::memcpy(&s, &src, sizeof s);
    const __m128i products =
        _mm_add_epi32(_mm_mullo_epi32(_mm_cvtepu8_epi32(_mm_cvtsi32_si128(s)), _mm_set1_epi32(std::int32_t(w))),
                      _mm_mullo_epi32(_mm_cvtepu8_epi32(_mm_cvtsi32_si128(d)),
                                      _mm_set1_epi32(std::int32_t(65535u - w))));
    const __m128i mixed = _mm_srli_epi32(_mm_add_epi32(products, _mm_set1_epi32(32768)), 16);
    const __m128i lowBytes = _mm_shuffle_epi8(mixed, _mm_setr_epi8(0, 4, 8, 12, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                                                                   -1, -1, -1));
    const std::int32_t out = _mm_cvtsi128_si32(lowBytes);
    std::memcpy(&dst, &out, sizeof out);
}
#endif

template <class Pixel>
[[gnu::always_inline]] inline void mixInteger(Pixel& dst, const Pixel& src, std::uint32_t w) {
    if (dst.alpha != src.alpha) {
        mixIntegerAlphas(dst, src, w);
        return;
    }
    mixEqualAlphas(dst, src, w);
}

}  // namespace pixel_arithmetic_detail

// True when the sum of the absolute channel differences exceeds the threshold; a transparent
// pixel is compared by the other pixel's channel sum alone.
inline bool pixelsDiffer(const PF_Pixel8& p, const PF_Pixel8& q, std::uint32_t threshold) {
    return pixel_arithmetic_detail::differ(p, q, pixel_arithmetic_detail::integerThreshold(threshold));
}
inline bool pixelsDiffer(const PF_Pixel16& p, const PF_Pixel16& q, std::uint32_t threshold) {
    return pixel_arithmetic_detail::differ(p, q, pixel_arithmetic_detail::integerThreshold(threshold));
}
inline bool pixelsDiffer(const PF_PixelFloat& p, const PF_PixelFloat& q, float threshold) {
    return pixel_arithmetic_detail::differ(p, q, threshold);
}

// Moves dst toward src by the weight w (0..65535, or 0..1 in float), respecting both alphas.
inline void mixPixel(PF_Pixel8& dst, const PF_Pixel8& src, std::uint32_t w) {
    pixel_arithmetic_detail::mixInteger(dst, src, w);
}
inline void mixPixel(PF_Pixel16& dst, const PF_Pixel16& src, std::uint32_t w) {
    pixel_arithmetic_detail::mixInteger(dst, src, w);
}
inline void mixPixel(PF_PixelFloat& dst, const PF_PixelFloat& src, float w) {
    const float iw = 1.0f - w;
    if (dst.alpha == src.alpha) {
        dst.red = w * src.red + iw * dst.red;
        dst.green = w * src.green + iw * dst.green;
        dst.blue = w * src.blue + iw * dst.blue;
        return;
    }
    const float a = iw * dst.alpha;
    if (src.alpha == 0.0f) {
        dst.alpha = a;
        return;
    }
    // With nothing left of dst the source colour is taken whole; the quotient would be 0/0 at w = 0.
    const float k = a == 0.0f ? 1.0f : 1.0f / (a / (src.alpha * w) + 1.0f);
    dst.red = k * src.red + (1.0f - k) * dst.red;
    dst.green = k * src.green + (1.0f - k) * dst.green;
    dst.blue = k * src.blue + (1.0f - k) * dst.blue;
    dst.alpha = a + w * src.alpha;
}
