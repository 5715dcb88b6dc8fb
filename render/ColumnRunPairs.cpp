#include "render/ColumnRunPairs.h"

#include "render/ColumnRunLanes.h"
#include "render/QuotientTable.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// A window of up to this many 16-bit values, plus half its count, sums to less than 2^31: the
// sums fit signed 32-bit lanes and convert to double as they are.
constexpr std::int32_t kTallestArea = 32767;

constexpr int kPairLanes = 2 * kChannelsPerPixel;

// Channels of equal reach share the rows that enter and leave their windows.
struct ReachGroup {
    std::int32_t reach;
    std::int32_t lanes[kPairLanes];  // -1 in the group's lanes of both pixels
};

// What the vector steps read and write, as plain arrays: the AVX2 code below calls nothing
// inline from a header, so no AVX2 copy of such a function can stand in for the plain one.
struct PairSweep {
    ColumnRunLanes<PF_Pixel16>* lanes;
    std::int32_t count, height;
    const std::uint16_t* const* pixelRows;
    const std::uint8_t* const* maskRows;
    const std::uint8_t* rowFlags;
    std::uint8_t* destinationTop;  // the band's first pixel in the area's first row
    std::ptrdiff_t destinationRowBytes;
    std::uint32_t* sums;
    std::int32_t *counts, *scannedUpTo, *runStart;
    ReachGroup groups[kChannelsPerPixel];
    int groupCount;
    std::int32_t reach[kPairLanes], alphaLanes[kPairLanes], ownLanes[kPairLanes];
    // By two bits, one for each pixel: -1 in the lanes of the pixels whose bit is set.
    std::int32_t pixelLanes[4][kPairLanes];
    // By window count: reciprocals in float where every window holds at most
    // QuotientTable::kLongestFloatDivisor values (floatReciprocals), in double otherwise.
    const float* floatReciprocals;
    const double* reciprocals;
};

// The tables PairSweep points to.
struct ReciprocalTables {
    std::vector<float> floats;
    std::vector<double> doubles;
};

PairSweep pairSweepOf(ColumnRunLanes<PF_Pixel16>& lanes, ReciprocalTables& tables) {
    const BlurTask<BoxWindowSet>& task = lanes.task;
    PairSweep sweep{};
    sweep.lanes = &lanes;
    sweep.count = lanes.count;
    sweep.height = lanes.height;
    sweep.pixelRows = lanes.pixelRows.data();
    sweep.maskRows = lanes.maskRows.data();
    sweep.rowFlags = task.mask.rowFlags;
    sweep.destinationTop = reinterpret_cast<std::uint8_t*>(task.destination->data) +
                           std::ptrdiff_t(task.area.top) * task.destination->rowbytes +
                           std::ptrdiff_t(task.area.left + lanes.first) * sizeof(PF_Pixel16);
    sweep.destinationRowBytes = task.destination->rowbytes;
    sweep.sums = lanes.sums.data();
    sweep.counts = lanes.counts.data();
    sweep.scannedUpTo = lanes.scannedUpTo.data();
    sweep.runStart = lanes.runStart.data();
    std::int32_t longestWindow = 0;
    for (int lane = 0; lane < kPairLanes; ++lane) {
        const int c = lane % kChannelsPerPixel;
        for (unsigned bits = 0; bits < 4; ++bits) {
            sweep.pixelLanes[bits][lane] = (bits >> (lane / kChannelsPerPixel)) & 1u ? -1 : 0;
        }
        sweep.reach[lane] = lanes.reach[c];
        sweep.alphaLanes[lane] = c == kAlphaChannel ? -1 : 0;
        sweep.ownLanes[lane] = lanes.ownValue[c] ? -1 : 0;
        if (lanes.ownValue[c]) continue;
        longestWindow = std::max(longestWindow, std::min(2 * lanes.reach[c] + 1, lanes.height));
        ReachGroup* group = std::find_if(sweep.groups, sweep.groups + sweep.groupCount,
                                         [&](const ReachGroup& g) { return g.reach == lanes.reach[c]; });
        if (group == sweep.groups + sweep.groupCount) {
            group->reach = lanes.reach[c];
            ++sweep.groupCount;
        }
        group->lanes[lane] = -1;
    }
    // Entry 0 serves lanes whose windows are empty or that keep no window; their means are not written.
    const std::size_t entries = static_cast<std::size_t>(longestWindow) + 1;
    if (longestWindow <= static_cast<std::int32_t>(QuotientTable::kLongestFloatDivisor)) {
        tables.floats.assign(entries, 0.0f);
        for (std::uint32_t n = 1; n < entries; ++n) tables.floats[n] = QuotientTable::roundedUpFloatReciprocal(n);
        sweep.floatReciprocals = tables.floats.data();
    } else {
        tables.doubles.assign(entries, 0.0);
        for (std::uint32_t n = 1; n < entries; ++n) tables.doubles[n] = QuotientTable::roundedUpReciprocal(n);
        sweep.reciprocals = tables.doubles.data();
    }
    return sweep;
}

}  // namespace

// Everything in here has internal linkage, so no AVX2 code can stand in for a plain function
// elsewhere.
#if defined(__GNUC__) && !defined(__clang__) && (defined(__x86_64__) || defined(__i386__))
#define VELUMIXER_AVX2_COLUMN_RUNS 1
#include <immintrin.h>
#pragma GCC push_options
#pragma GCC target("avx2")
namespace {
namespace avx2 {

[[gnu::always_inline]] inline __m256i loadLanes(const std::int32_t* lanes) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lanes));
}
[[gnu::always_inline]] inline void storeLanes(std::int32_t* lanes, __m256i v) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(lanes), v);
}

// Two pixels' channels, one to a lane.
[[gnu::always_inline]] inline __m256i widenPair(const std::uint16_t* pixels) {
    return _mm256_cvtepu16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels)));
}

// All ones in every lane of a pixel whose alpha is 0: its colour channels do not count.
[[gnu::always_inline]] inline __m256i transparent(__m256i pair) {
    return _mm256_shuffle_epi32(_mm256_cmpeq_epi32(pair, _mm256_setzero_si256()), 0);
}

// All ones in the lanes of a pixel whose mask byte is set.
[[gnu::always_inline]] inline __m256i selectedPair(const std::uint8_t* mask) {
    std::uint16_t bytes;
    std::memcpy(&bytes, mask, sizeof bytes);
    const __m128i spread = _mm_shuffle_epi8(_mm_cvtsi32_si128(bytes), _mm_setr_epi8(0, 0, 0, 0, 1, 1, 1, 1, 0, 0, 0,
                                                                                     0, 0, 0, 0, 0));
    return _mm256_cmpgt_epi32(_mm256_cvtepu8_epi32(spread), _mm256_setzero_si256());
}

// A pixel counts for the alpha channel always, for a colour channel unless it is transparent.
[[gnu::always_inline]] inline __m256i counted(__m256i transparent, __m256i alphaLanes) {
    return _mm256_or_si256(_mm256_xor_si256(transparent, _mm256_set1_epi32(-1)), alphaLanes);
}

// floor((sum + n / 2) / n) by the reciprocal of n, as QuotientTable::quotient takes it.
[[gnu::always_inline]] inline __m256i means(const PairSweep& sweep, __m256i sums, __m256i counts) {
    const __m256i rounded = _mm256_add_epi32(sums, _mm256_srli_epi32(counts, 1));
    if (sweep.floatReciprocals != nullptr) {
        const __m256 reciprocals = _mm256_mask_i32gather_ps(_mm256_setzero_ps(), sweep.floatReciprocals, counts,
                                                            _mm256_castsi256_ps(_mm256_set1_epi32(-1)), 4);
        return _mm256_cvttps_epi32(_mm256_mul_ps(_mm256_cvtepi32_ps(rounded), reciprocals));
    }
    // Four lanes at a time (the masked gather: the plain one leaves GCC 12 warning of its undefined start).
    auto half = [&](__m128i x, __m128i n) {
        const __m256d reciprocals = _mm256_mask_i32gather_pd(_mm256_setzero_pd(), sweep.reciprocals, n,
                                                             _mm256_castsi256_pd(_mm256_set1_epi32(-1)), 8);
        return _mm256_cvttpd_epi32(_mm256_mul_pd(_mm256_cvtepi32_pd(x), reciprocals));
    };
    const __m128i low = half(_mm256_castsi256_si128(rounded), _mm256_castsi256_si128(counts));
    const __m128i high = half(_mm256_extracti128_si256(rounded, 1), _mm256_extracti128_si256(counts, 1));
    return _mm256_set_m128i(high, low);
}

// The steps of one row over the band. The lane constants and the rows each reach group reads
// are taken once per row into locals: the stores of the steps may alias any memory, so
// nothing read through the sweep would stay in a register across them.
template <int Groups>
class RowSweep {
public:
    RowSweep(const PairSweep& sweep, std::int32_t y) : sweep_(sweep), y_(y) {
        const std::uint8_t* above = y > 0 && sweep.rowFlags[y - 1] != 0 ? sweep.maskRows[y - 1] : nullptr;
        mask_ = sweep.maskRows[y];
        above_ = above;
        own_ = sweep.pixelRows[y];
        to_ = reinterpret_cast<std::uint16_t*>(sweep.destinationTop + y * sweep.destinationRowBytes);
        for (int g = 0; g < Groups; ++g) {
            // A row above 0 leaves no window (runs start at 0 or below), one below the area enters none.
            const std::int32_t leavingRow = y - sweep.groups[g].reach - 1, enteringRow = y + sweep.groups[g].reach;
            leaving_[g] = leavingRow >= 0 ? sweep.pixelRows[leavingRow] : nullptr;
            entering_[g] = enteringRow < sweep.height ? sweep.pixelRows[enteringRow] : nullptr;
            enteringMask_[g] = enteringRow < sweep.height ? sweep.maskRows[enteringRow] : nullptr;
        }
    }

    // The band's columns in pairs; a lone last column goes by itself.
    void run() const {
        const __m256i alphaLanes = loadLanes(sweep_.alphaLanes), ownLanes = loadLanes(sweep_.ownLanes);
        const __m256i reach = loadLanes(sweep_.reach);
        __m256i groupLanes[Groups > 0 ? Groups : 1];
        for (int g = 0; g < Groups; ++g) groupLanes[g] = loadLanes(sweep_.groups[g].lanes);
        const std::int32_t pairedEnd = sweep_.count & ~1;
        for (std::int32_t block = 0; block < pairedEnd; block += 16) {
            const std::int32_t length = pairedEnd - block < 16 ? pairedEnd - block : 16;
            const unsigned selected = selectedBits(mask_ + block, length);
            if (selected == 0) continue;
            const unsigned continued = above_ != nullptr ? selected & selectedBits(above_ + block, length) : 0u;
            // Runs start where the column was not selected in the row above (a row without its
            // flag is skipped, so it ends every run, as the pixel-at-a-time sweep sees it).
            for (unsigned starts = selected & ~continued; starts != 0; starts &= starts - 1) {
                sweep_.lanes->startRun(block + __builtin_ctz(starts), y_);
            }
            for (std::int32_t pair = 0; pair < length; pair += 2) {
                if (((selected >> pair) & 3u) == 0) continue;
                step(block + pair, (selected >> pair) & 3u, (continued >> pair) & 3u, alphaLanes, ownLanes, reach,
                     groupLanes);
            }
        }
        if (pairedEnd < sweep_.count && mask_[pairedEnd] != 0) sweep_.lanes->visit(pairedEnd, y_, to_);
    }

private:
    // Bit i set where mask[i] is, for i < length (at most 16).
    static unsigned selectedBits(const std::uint8_t* mask, std::int32_t length) {
        if (length == 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mask));
            return ~static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_setzero_si128()))) & 0xFFFFu;
        }
        unsigned bits = 0;
        for (std::int32_t i = 0; i < length; ++i) bits |= (mask[i] != 0 ? 1u : 0u) << i;
        return bits;
    }

    // All ones in the lanes of the pixels whose bit is set (bit 0: the first pixel).
    [[gnu::always_inline]] __m256i pairLanes(unsigned bits) const { return loadLanes(sweep_.pixelLanes[bits]); }

    // The pixels x and x + 1: `selected` has a bit for each selected one, `continued` for each
    // whose run went on from the row above (the others' windows have just been started).
    [[gnu::always_inline]] void step(std::int32_t x, unsigned selected, unsigned continued, __m256i alphaLanes,
                                     __m256i ownLanes, __m256i reach, const __m256i* groupLanes) const {
        const std::size_t at = static_cast<std::size_t>(kChannelsPerPixel) * x;
        const __m256i ones = _mm256_set1_epi32(-1);
        // The rows leaving and entering each lane's window, from the groups' loads.
        __m256i leaving = _mm256_setzero_si256(), leavingClear = _mm256_setzero_si256();
        __m256i entering = _mm256_setzero_si256(), enteringClear = _mm256_setzero_si256();
        __m256i enteringSelected = _mm256_setzero_si256();
        for (int g = 0; g < Groups; ++g) {
            if (leaving_[g] != nullptr) {
                const __m256i pair = widenPair(leaving_[g] + at);
                leaving = _mm256_blendv_epi8(leaving, pair, groupLanes[g]);
                leavingClear = _mm256_blendv_epi8(leavingClear, transparent(pair), groupLanes[g]);
            }
            if (entering_[g] != nullptr) {
                const __m256i pair = widenPair(entering_[g] + at);
                entering = _mm256_blendv_epi8(entering, pair, groupLanes[g]);
                enteringClear = _mm256_blendv_epi8(enteringClear, transparent(pair), groupLanes[g]);
                enteringSelected = _mm256_blendv_epi8(enteringSelected, selectedPair(enteringMask_[g] + x),
                                                      groupLanes[g]);
            }
        }

        // Lanes of pixels that continue a run and keep a window.
        const __m256i sliding = _mm256_andnot_si256(ownLanes, pairLanes(continued));
        __m256i sums = loadLanes(reinterpret_cast<const std::int32_t*>(sweep_.sums + at));
        __m256i counts = loadLanes(sweep_.counts + at);
        __m256i scanned = loadLanes(sweep_.scannedUpTo + at);
        const __m256i runStart = loadLanes(sweep_.runStart + at);
        // Row y - reach - 1 leaves where it is in the run: y - reach > runStart.
        const __m256i leavingRows = _mm256_sub_epi32(_mm256_set1_epi32(y_), reach);
        const __m256i leaves = _mm256_and_si256(_mm256_and_si256(sliding, _mm256_cmpgt_epi32(leavingRows, runStart)),
                                                counted(leavingClear, alphaLanes));
        sums = _mm256_sub_epi32(sums, _mm256_and_si256(leaving, leaves));
        counts = _mm256_add_epi32(counts, leaves);
        // Row y + reach enters where the window has reached the row before it and it is selected.
        const __m256i enteringRows = _mm256_add_epi32(_mm256_set1_epi32(y_), reach);
        const __m256i reaches =
            _mm256_and_si256(_mm256_and_si256(sliding, enteringSelected),
                             _mm256_cmpeq_epi32(scanned, _mm256_sub_epi32(enteringRows, _mm256_set1_epi32(1))));
        scanned = _mm256_blendv_epi8(scanned, enteringRows, reaches);
        const __m256i enters = _mm256_and_si256(reaches, counted(enteringClear, alphaLanes));
        sums = _mm256_add_epi32(sums, _mm256_and_si256(entering, enters));
        counts = _mm256_sub_epi32(counts, enters);
        storeLanes(reinterpret_cast<std::int32_t*>(sweep_.sums + at), sums);
        storeLanes(sweep_.counts + at, counts);
        storeLanes(sweep_.scannedUpTo + at, scanned);

        // Selected pixels take their windows' means where the windows hold a value that counts,
        // and in the channels of one-pixel windows their own values where these count.
        const __m256i own = widenPair(own_ + at);
        const __m256i values = _mm256_blendv_epi8(means(sweep_, sums, counts), own, ownLanes);
        const __m256i windowFilled = _mm256_xor_si256(_mm256_cmpeq_epi32(counts, _mm256_setzero_si256()), ones);
        const __m256i ownCounts = counted(transparent(own), alphaLanes);
        const __m256i written =
            _mm256_and_si256(pairLanes(selected), _mm256_blendv_epi8(windowFilled, ownCounts, ownLanes));
        // 32-bit lanes to 16 bits: each half packs to its low 64 bits, which the permute joins.
        const __m128i narrow =
            _mm256_castsi256_si128(_mm256_permute4x64_epi64(_mm256_packus_epi32(values, values), 0x08));
        const __m128i writes =
            _mm256_castsi256_si128(_mm256_permute4x64_epi64(_mm256_packs_epi32(written, written), 0x08));
        __m128i* target = reinterpret_cast<__m128i*>(to_ + at);
        _mm_storeu_si128(target, _mm_blendv_epi8(_mm_loadu_si128(target), narrow, writes));
    }

    const PairSweep& sweep_;
    const std::int32_t y_;
    const std::uint8_t *mask_, *above_;
    const std::uint16_t* own_;
    std::uint16_t* to_;
    const std::uint16_t* leaving_[Groups > 0 ? Groups : 1];
    const std::uint16_t* entering_[Groups > 0 ? Groups : 1];
    const std::uint8_t* enteringMask_[Groups > 0 ? Groups : 1];
};

template <int Groups>
void sweepRows(const PairSweep& sweep) {
    for (std::int32_t y = 0; y < sweep.height; ++y) {
        if (sweep.rowFlags[y] != 0) RowSweep<Groups>(sweep, y).run();
    }
}

void sweep(const PairSweep& sweep) {
    switch (sweep.groupCount) {
        case 0: return sweepRows<0>(sweep);
        case 1: return sweepRows<1>(sweep);
        case 2: return sweepRows<2>(sweep);
        case 3: return sweepRows<3>(sweep);
        default: return sweepRows<4>(sweep);
    }
}

}  // namespace avx2
}  // namespace
#pragma GCC pop_options
#endif

bool sweepColumnRunsByPairs(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count) {
#ifdef VELUMIXER_AVX2_COLUMN_RUNS
    if (task.area.bottom - task.area.top <= kTallestArea && __builtin_cpu_supports("avx2")) {
        ColumnRunLanes<PF_Pixel16> lanes(task, first, count);
        ReciprocalTables tables;
        avx2::sweep(pairSweepOf(lanes, tables));
        return true;
    }
#endif
    (void)task, (void)first, (void)count;
    return false;
}
