#include "render/EdgeFlagRow8.h"

#include "render/EdgeFlagBlocks8.h"

#include <cstring>

std::uint32_t edgeFlagRow8ByFours(const PF_Pixel8* p, const PF_Pixel8* q, std::uint8_t* flags, int blockEnd,
                                  std::uint32_t threshold) {
    std::uint32_t any = 0;
    for (int x0 = 0; x0 < blockEnd; x0 += 4) {
        const std::uint32_t word = edgeFlagBlock8(p + x0, q + x0, threshold);
        std::memcpy(flags + x0, &word, sizeof word);
        any |= word;
    }
    return any;
}

// Two blocks of four in one 256-bit register. Everything in here has internal linkage, so no
// AVX2 code can stand in for a plain function elsewhere; what it calls from the headers above
// was compiled before the target changed.
#if defined(__GNUC__) && !defined(__clang__) && (defined(__x86_64__) || defined(__i386__))
#define VELUMIXER_AVX2_EDGE_FLAGS 1
#include <immintrin.h>
#pragma GCC push_options
#pragma GCC target("avx2")
namespace {
namespace avx2 {

// Eight pixels as pixelsDiffer sees them: a transparent pixel counts as all zero, so that
// against a visible one the difference is the visible pixel's channel sum.
[[gnu::always_inline]] inline __m256i load(const PF_Pixel8* p) {
    const __m256i pixels = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i clear = _mm256_cmpeq_epi32(_mm256_and_si256(pixels, _mm256_set1_epi32(0xff)),
                                             _mm256_setzero_si256());
    return _mm256_andnot_si256(clear, pixels);
}

// Lanes of all ones where the pixels differ: the sum of their byte distances lies above the
// threshold (never negative, so two transparent pixels, both zero, never differ).
[[gnu::always_inline]] inline __m256i differ(__m256i p, __m256i q, __m256i threshold) {
    const __m256i distance = _mm256_or_si256(_mm256_subs_epu8(p, q), _mm256_subs_epu8(q, p));
    // Bytes summed in pairs, then pairs in pairs: each pixel's four distances.
    const __m256i sums =
        _mm256_madd_epi16(_mm256_maddubs_epi16(distance, _mm256_set1_epi8(1)), _mm256_set1_epi16(1));
    return _mm256_cmpgt_epi32(sums, threshold);
}

std::uint32_t edgeFlagRow8(const PF_Pixel8* p, const PF_Pixel8* q, std::uint8_t* flags, int blockEnd,
                           std::uint32_t threshold) {
    const __m256i limit = _mm256_set1_epi32(pixel_arithmetic_detail::integerThreshold(threshold));
    std::uint32_t any = 0;
    int x0 = 0;
    // Eight pixels read p[x0 + 8] and q[x0 + 8], which the row has while x0 + 8 <= blockEnd.
    for (; x0 + 8 <= blockEnd; x0 += 8) {
        const __m256i here = load(p + x0), right = load(p + x0 + 1);
        const __m256i below = load(q + x0), belowRight = load(q + x0 + 1);
        // Equal pixels never differ: a block inside a flat area has no flags.
        const __m256i same = _mm256_and_si256(_mm256_cmpeq_epi32(here, right),
                                              _mm256_and_si256(_mm256_cmpeq_epi32(here, below),
                                                               _mm256_cmpeq_epi32(right, belowRight)));
        if (_mm256_movemask_epi8(same) == -1) {
            std::memset(flags + x0, 0, 8);
            continue;
        }
        const __m256i bits = _mm256_or_si256(
            _mm256_or_si256(_mm256_and_si256(differ(here, right, limit), _mm256_set1_epi32(FlagRight)),
                            _mm256_and_si256(differ(here, below, limit), _mm256_set1_epi32(FlagDown))),
            _mm256_or_si256(_mm256_and_si256(differ(here, belowRight, limit), _mm256_set1_epi32(FlagDiagonal)),
                            _mm256_and_si256(differ(below, right, limit), _mm256_set1_epi32(FlagAntiDiagonal))));
        // Within each 128-bit lane: 32-bit lanes to bytes, so each lane's low word holds its block.
        const __m256i halves = _mm256_packs_epi32(bits, bits);
        const __m256i bytes = _mm256_packus_epi16(halves, halves);
        const std::uint64_t both = static_cast<std::uint64_t>(
            _mm_cvtsi128_si64(_mm_unpacklo_epi32(_mm256_castsi256_si128(bytes), _mm256_extracti128_si256(bytes, 1))));
        const std::uint64_t word = both & diagonalsCountedInPairs(both);
        any |= static_cast<std::uint32_t>(word) | static_cast<std::uint32_t>(word >> 32);
        std::memcpy(flags + x0, &word, sizeof word);
    }
    if (x0 < blockEnd) any |= edgeFlagRow8ByFours(p + x0, q + x0, flags + x0, blockEnd - x0, threshold);
    return any;
}

}  // namespace avx2
}  // namespace
#pragma GCC pop_options
#endif

EdgeFlagRow8 edgeFlagRow8ForThisProcessor() {
#ifdef VELUMIXER_AVX2_EDGE_FLAGS
    if (__builtin_cpu_supports("avx2")) return avx2::edgeFlagRow8;
#endif
    return edgeFlagRow8ByFours;
}
