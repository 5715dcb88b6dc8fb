#pragma once
// One block of four 8-bit pixels of the edge flag map, all its comparisons at once: sixteen
// pixel comparisons in a handful of vector instructions, with the same outcome as
// pixelsDiffer for every pair.

#include "hostapi/HostApi.h"
#include "render/EdgeFlagMap.h"
#include "render/PixelArithmetic.h"

#include <cstdint>

#if defined(__SSE2__) || defined(_M_X64) || defined(__x86_64__)
#include <emmintrin.h>
#define VELUMIXER_EDGE_FLAGS_SSE2 1
#endif

// The diagonal bits that count in a block word whose right and down bits are set: those of
// the fourth pixel always, those of the first three once the block's right or down bits up
// to the next pixel (the first: up to its own right neighbour) show a difference.
inline std::uint32_t diagonalsCounted(std::uint32_t word) {
    constexpr std::uint32_t kDiagonals = FlagDiagonal | FlagAntiDiagonal;
    const std::uint32_t rightAndDown = word & 0x03030303u;
    std::uint32_t open = kDiagonals << 24;
    if ((rightAndDown & 0x00000303u) != 0) open |= kDiagonals;
    if ((rightAndDown & 0x00030303u) != 0) open |= kDiagonals << 8;
    if (rightAndDown != 0) open |= kDiagonals << 16;
    return open;
}

// The bits that count in two block words side by side (the first in the low half): the right
// and down bits, and the diagonal bits diagonalsCounted lets count, without a branch. A
// pixel's diagonals count where a right or down bit is set from the block's first pixel up
// to the pixel after it, or where it is the block's last pixel.
inline std::uint64_t diagonalsCountedInPairs(std::uint64_t words) {
    constexpr std::uint64_t kBytes = 0x0101010101010101u;
    const std::uint64_t rightOrDown = (words | words >> 1) & kBytes;
    // Or'ed into each later byte of its own block.
    std::uint64_t upTo = rightOrDown | (rightOrDown << 8 & 0xffffff00ffffff00u);
    upTo |= upTo << 16 & 0xffff0000ffff0000u;
    const std::uint64_t open = (upTo >> 8 & 0x00ffffff00ffffffu) | 0x0100000001000000u;
    return 0x0303030303030303u | open * (FlagDiagonal | FlagAntiDiagonal);
}

#if VELUMIXER_EDGE_FLAGS_SSE2

namespace edge_flag_detail {

// Lanes of all ones where the pixels p and q differ by pixelsDiffer's rule: a transparent
// pixel counts as all zero, so that against a visible one the difference is the visible
// pixel's channel sum, and two transparent pixels never differ.
inline __m128i differ8(__m128i p, __m128i q, __m128i threshold) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i alpha = _mm_set1_epi32(0xff);  // the first byte of a pixel
    const __m128i pClear = _mm_cmpeq_epi32(_mm_and_si128(p, alpha), zero);
    const __m128i qClear = _mm_cmpeq_epi32(_mm_and_si128(q, alpha), zero);
    const __m128i pv = _mm_andnot_si128(pClear, p);
    const __m128i qv = _mm_andnot_si128(qClear, q);
    const __m128i distance = _mm_or_si128(_mm_subs_epu8(pv, qv), _mm_subs_epu8(qv, pv));
    // Sums of the four bytes of each pixel: the even pixels and the odd ones in turn.
    const __m128i low = _mm_set_epi32(0, -1, 0, -1);
    const __m128i evenSums = _mm_sad_epu8(_mm_and_si128(distance, low), zero);
    const __m128i oddSums = _mm_sad_epu8(_mm_srli_epi64(distance, 32), zero);
    const __m128i sums = _mm_or_si128(evenSums, _mm_slli_epi64(oddSums, 32));
    const __m128i differs = _mm_cmpgt_epi32(sums, threshold);
    return _mm_andnot_si128(_mm_and_si128(pClear, qClear), differs);
}

inline __m128i loadPixels(const PF_Pixel8* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }

}  // namespace edge_flag_detail

// The flag word of pixels p[0..3] (row y) over q[0..3] (row y + 1); reads p[4] and q[4].
inline std::uint32_t edgeFlagBlock8(const PF_Pixel8* p, const PF_Pixel8* q, std::uint32_t threshold) {
    using namespace edge_flag_detail;
    const __m128i limit = _mm_set1_epi32(pixel_arithmetic_detail::integerThreshold(threshold));
    const __m128i here = loadPixels(p), right = loadPixels(p + 1);
    const __m128i below = loadPixels(q), belowRight = loadPixels(q + 1);
    const __m128i sameFour = _mm_and_si128(_mm_cmpeq_epi32(here, right),
                                           _mm_and_si128(_mm_cmpeq_epi32(here, below),
                                                         _mm_cmpeq_epi32(right, belowRight)));
    // Equal pixels never differ: a block inside a flat area has no flags.
    if (_mm_movemask_epi8(sameFour) == 0xffff) return 0;
    const __m128i flags = _mm_or_si128(
        _mm_or_si128(_mm_and_si128(differ8(here, right, limit), _mm_set1_epi32(FlagRight)),
                     _mm_and_si128(differ8(here, below, limit), _mm_set1_epi32(FlagDown))),
        _mm_or_si128(_mm_and_si128(differ8(here, belowRight, limit), _mm_set1_epi32(FlagDiagonal)),
                     _mm_and_si128(differ8(below, right, limit), _mm_set1_epi32(FlagAntiDiagonal))));
    const __m128i halves = _mm_packs_epi32(flags, flags);
    const __m128i bytes = _mm_packus_epi16(halves, halves);
    const std::uint32_t word = static_cast<std::uint32_t>(_mm_cvtsi128_si32(bytes));
    return word & (0x03030303u | diagonalsCounted(word));
}

#else

inline std::uint32_t edgeFlagBlock8(const PF_Pixel8* p, const PF_Pixel8* q, std::uint32_t threshold) {
    std::uint32_t word = 0;
    for (int k = 0; k < 4; ++k) {
        std::uint32_t f = 0;
        if (pixelsDiffer(p[k], p[k + 1], threshold)) f |= FlagRight;
        if (pixelsDiffer(p[k], q[k], threshold)) f |= FlagDown;
        if (pixelsDiffer(p[k], q[k + 1], threshold)) f |= FlagDiagonal;
        if (pixelsDiffer(q[k], p[k + 1], threshold)) f |= FlagAntiDiagonal;
        word |= f << (8 * k);
    }
    return word & (0x03030303u | diagonalsCounted(word));
}

#endif
