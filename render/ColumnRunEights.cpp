#include "render/ColumnRunEights.h"

#include "render/PixelTraits.h"
#include "render/QuotientTable.h"
#include "render/WorldPixels.h"

#include <algorithm>
#include <cstring>
#include <vector>

// The vector steps are built with GCC for x86 (its target pragma below); elsewhere the pass
// goes a pixel at a time.
#if defined(__GNUC__) && !defined(__clang__) && (defined(__x86_64__) || defined(__i386__))
#define VELUMIXER_AVX2_COLUMN_RUNS 1
#endif

namespace {

constexpr std::int32_t kColumnsPerStep = 8;

}  // namespace

#ifdef VELUMIXER_AVX2_COLUMN_RUNS
namespace {

// A window of up to this many 16-bit values, plus half its count, sums to less than 2^31: the
// sums fit signed 32-bit lanes and convert to double as they are.
constexpr std::int32_t kTallestArea = 32767;

// What the vector steps read and write, as plain data: the AVX2 code below calls nothing
// inline from a header, so no AVX2 copy of such a function can stand in for the plain one.
// Window state lies channel by channel, eight columns to a vector (in the lane order the
// steps use), for the channels that keep windows.
struct EightSweep {
    std::int32_t columns, height;  // columns: a multiple of eight
    const std::uint16_t* const* pixelRows;
    const std::uint8_t* const* maskRows;
    const std::uint8_t* rowFlags;
    std::uint8_t* destinationTop;  // the band's first pixel in the area's first row
    std::ptrdiff_t destinationRowBytes;
    int windowChannels[kChannelsPerPixel];  // the channels that keep windows, then their count
    int windowChannelCount;
    std::int32_t reach[kChannelsPerPixel];
    std::int32_t* sums;     // [windowChannelCount][columns]
    std::int32_t* counts;   // the same
    std::int32_t* scanned;  // the same: the last row of the run each window has reached
    std::int32_t* runStart;  // [columns]
    // By window count: reciprocals in float where every window holds at most
    // QuotientTable::kLongestFloatDivisor values (floatReciprocals), in double otherwise.
    const float* floatReciprocals;
    const double* reciprocals;
};

// The arrays EightSweep points to.
struct EightSweepStorage {
    std::vector<const std::uint16_t*> pixelRows;
    std::vector<const std::uint8_t*> maskRows;
    std::vector<std::int32_t> sums, counts, scanned, runStart;
    std::vector<float> floatReciprocals;
};

EightSweep eightSweepOf(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t columns,
                        EightSweepStorage& storage) {
    EightSweep sweep{};
    sweep.columns = columns;
    sweep.height = task.area.bottom - task.area.top;
    storage.pixelRows.resize(static_cast<std::size_t>(sweep.height));
    storage.maskRows.resize(static_cast<std::size_t>(sweep.height));
    for (std::int32_t j = 0; j < sweep.height; ++j) {
        storage.pixelRows[j] = reinterpret_cast<const std::uint16_t*>(
            worldPixel<PF_Pixel16>(*task.source, task.area.left + first, task.area.top + j));
        storage.maskRows[j] = task.mask.row(j) + first;
    }
    sweep.pixelRows = storage.pixelRows.data();
    sweep.maskRows = storage.maskRows.data();
    sweep.rowFlags = task.mask.rowFlags;
    sweep.destinationTop = reinterpret_cast<std::uint8_t*>(
        worldPixel<PF_Pixel16>(*task.destination, task.area.left + first, task.area.top));
    sweep.destinationRowBytes = task.destination->rowbytes;
    std::int32_t longestWindow = 0;
    for (int c = 0; c < kChannelsPerPixel; ++c) {
        sweep.reach[c] = std::max(task.kernels[c] - 1, 0);
        // A window of one pixel copies the pixel's own value where it counts.
        if (sweep.reach[c] == 0) continue;
        sweep.windowChannels[sweep.windowChannelCount++] = c;
        longestWindow = std::max(longestWindow, std::min(2 * sweep.reach[c] + 1, sweep.height));
    }
    const std::size_t lanes = static_cast<std::size_t>(sweep.windowChannelCount) * columns;
    storage.sums.assign(lanes, 0);
    storage.counts.assign(lanes, 0);
    storage.scanned.assign(lanes, -1);
    storage.runStart.assign(static_cast<std::size_t>(columns), -1);
    sweep.sums = storage.sums.data();
    sweep.counts = storage.counts.data();
    sweep.scanned = storage.scanned.data();
    sweep.runStart = storage.runStart.data();
    // Entry 0 serves lanes whose windows are empty; their means are not written.
    if (longestWindow <= static_cast<std::int32_t>(QuotientTable::kLongestFloatDivisor)) {
        const std::size_t entries = static_cast<std::size_t>(longestWindow) + 1;
        storage.floatReciprocals.assign(entries, 0.0f);
        for (std::uint32_t n = 1; n < entries; ++n) {
            storage.floatReciprocals[n] = QuotientTable::roundedUpFloatReciprocal(n);
        }
        sweep.floatReciprocals = storage.floatReciprocals.data();
    } else {
        // The pass's own table: it knows every window count, which never exceeds the area's height.
        sweep.reciprocals = task.quotients->reciprocals();
    }
    return sweep;
}

}  // namespace

// Everything in here has internal linkage, so no AVX2 code can stand in for a plain function
// elsewhere.
#include <immintrin.h>
#pragma GCC push_options
#pragma GCC target("avx2")
namespace {
namespace avx2 {

// Eight columns' values in one vector of 32-bit lanes, in the order 0, 4, 1, 5, 2, 6, 3, 7:
// the order in which the two halves of eight pixels (four 64-bit pixels each) interleave.

[[gnu::always_inline]] inline __m256i loadLanes(const std::int32_t* lanes) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lanes));
}
[[gnu::always_inline]] inline void storeLanes(std::int32_t* lanes, __m256i v) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(lanes), v);
}

// Eight pixels as two vectors of four.
struct EightPixels {
    __m256i low, high;
};

[[gnu::always_inline]] inline EightPixels loadPixels(const std::uint16_t* pixels) {
    return {_mm256_loadu_si256(reinterpret_cast<const __m256i*>(pixels)),
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pixels + 4 * kChannelsPerPixel))};
}

// Channel c of eight pixels, in lane order.
[[gnu::always_inline]] inline __m256i channelOf(const EightPixels& pixels, int c) {
    const __m128i shift = _mm_cvtsi32_si128(16 * c);
    const __m256i low = _mm256_and_si256(_mm256_srl_epi64(pixels.low, shift), _mm256_set1_epi64x(0xFFFF));
    const __m256i high = _mm256_and_si256(_mm256_srl_epi64(pixels.high, shift), _mm256_set1_epi64x(0xFFFF));
    return _mm256_blend_epi32(low, _mm256_slli_epi64(high, 32), 0xAA);
}

// The inverse: `values` (lane order, below 2^16) into channel c of the pixels where `written`.
[[gnu::always_inline]] inline void putChannel(EightPixels& pixels, int c, __m256i values, __m256i written) {
    const __m128i shift = _mm_cvtsi32_si128(16 * c);
    const __m256i low16 = _mm256_set1_epi64x(0xFFFF);
    const __m256i lowValues = _mm256_sll_epi64(_mm256_and_si256(values, low16), shift);
    const __m256i lowWritten = _mm256_sll_epi64(_mm256_and_si256(written, low16), shift);
    const __m256i highValues = _mm256_sll_epi64(_mm256_and_si256(_mm256_srli_epi64(values, 32), low16), shift);
    const __m256i highWritten = _mm256_sll_epi64(_mm256_and_si256(_mm256_srli_epi64(written, 32), low16), shift);
    pixels.low = _mm256_blendv_epi8(pixels.low, lowValues, lowWritten);
    pixels.high = _mm256_blendv_epi8(pixels.high, highValues, highWritten);
}

// All ones in the lanes of the columns whose mask byte is set.
[[gnu::always_inline]] inline __m256i selectedLanes(const std::uint8_t* mask) {
    std::uint64_t bytes;
    std::memcpy(&bytes, mask, sizeof bytes);
    const __m128i ordered = _mm_shuffle_epi8(_mm_cvtsi64_si128(static_cast<long long>(bytes)),
                                             _mm_setr_epi8(0, 4, 1, 5, 2, 6, 3, 7, 0, 0, 0, 0, 0, 0, 0, 0));
    return _mm256_cmpgt_epi32(_mm256_cvtepu8_epi32(ordered), _mm256_setzero_si256());
}

// All ones where a pixel counts for channel c: always for alpha, for a colour where the
// pixel's alpha is not 0.
[[gnu::always_inline]] inline __m256i countsFor(const EightPixels& pixels, int c) {
    if (c == kAlphaChannel) return _mm256_set1_epi32(-1);
    return _mm256_xor_si256(_mm256_cmpeq_epi32(channelOf(pixels, kAlphaChannel), _mm256_setzero_si256()),
                            _mm256_set1_epi32(-1));
}

// floor((sum + n / 2) / n) by the reciprocal of n, as QuotientTable::quotient takes it.
[[gnu::always_inline]] inline __m256i means(const EightSweep& sweep, __m256i sums, __m256i counts) {
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

// One row's steps over the band, eight columns at a time.
class RowOfEights {
public:
    RowOfEights(const EightSweep& sweep, std::int32_t y) : sweep_(sweep), y_(y) {
        mask_ = sweep.maskRows[y];
        above_ = y > 0 && sweep.rowFlags[y - 1] != 0 ? sweep.maskRows[y - 1] : nullptr;
        to_ = reinterpret_cast<std::uint16_t*>(sweep.destinationTop + y * sweep.destinationRowBytes);
        for (int k = 0; k < sweep.windowChannelCount; ++k) {
            // A row above 0 leaves no window (runs start at 0 or below), one below the area enters none.
            const std::int32_t reach = sweep.reach[sweep.windowChannels[k]];
            const std::int32_t leavingRow = y - reach - 1, enteringRow = y + reach;
            leaving_[k] = leavingRow >= 0 ? sweep.pixelRows[leavingRow] : nullptr;
            entering_[k] = enteringRow < sweep.height ? sweep.pixelRows[enteringRow] : nullptr;
            enteringMask_[k] = enteringRow < sweep.height ? sweep.maskRows[enteringRow] : nullptr;
        }
    }

    void run() const {
        for (std::int32_t x = 0; x < sweep_.columns; x += kColumnsPerStep) {
            const __m256i selected = selectedLanes(mask_ + x);
            if (_mm256_testz_si256(selected, selected)) continue;
            // Runs start where the column was not selected in the row above (a row without its
            // flag is skipped, so it ends every run, as the pixel-at-a-time sweep sees it).
            const __m256i continued =
                above_ != nullptr ? _mm256_and_si256(selected, selectedLanes(above_ + x)) : _mm256_setzero_si256();
            const __m256i starts = _mm256_andnot_si256(continued, selected);
            const int startBits = _mm256_movemask_ps(_mm256_castsi256_ps(starts));
            if (startBits != 0) startRuns(x, startBits);
            step(x, selected, continued);
        }
    }

private:
    std::int32_t* lanesOf(std::int32_t* state, int k, std::int32_t x) const {
        return state + static_cast<std::size_t>(k) * sweep_.columns + x;
    }

    // The windows of the columns `starts` take the rows of their runs they reach from row y
    // on, as the pixel-at-a-time sweep does (bit i of `startBits` for lane i). Out of line: runs
    // start far less often than they go on; a vector argument would go through the stack.
    [[gnu::noinline]] void startRuns(std::int32_t x, int startBits) const {
        const __m256i laneBits = _mm256_setr_epi32(1, 2, 4, 8, 16, 32, 64, 128);
        const __m256i starts = _mm256_cmpeq_epi32(_mm256_and_si256(_mm256_set1_epi32(startBits), laneBits), laneBits);
        const __m256i runStart = loadLanes(sweep_.runStart + x);
        storeLanes(sweep_.runStart + x, _mm256_blendv_epi8(runStart, _mm256_set1_epi32(y_), starts));
        for (int k = 0; k < sweep_.windowChannelCount; ++k) {
            const int c = sweep_.windowChannels[k];
            __m256i sums = _mm256_andnot_si256(starts, loadLanes(lanesOf(sweep_.sums, k, x)));
            __m256i counts = _mm256_andnot_si256(starts, loadLanes(lanesOf(sweep_.counts, k, x)));
            __m256i scanned = _mm256_blendv_epi8(loadLanes(lanesOf(sweep_.scanned, k, x)), _mm256_set1_epi32(y_ - 1),
                                                 starts);
            const std::int32_t last = y_ + sweep_.reach[c] < sweep_.height ? y_ + sweep_.reach[c] : sweep_.height - 1;
            __m256i taking = starts;
            for (std::int32_t j = y_; j <= last; ++j) {
                taking = _mm256_and_si256(taking, selectedLanes(sweep_.maskRows[j] + x));
                if (_mm256_testz_si256(taking, taking)) break;
                const EightPixels pixels = loadPixels(sweep_.pixelRows[j] + kChannelsPerPixel * x);
                const __m256i enters = _mm256_and_si256(taking, countsFor(pixels, c));
                sums = _mm256_add_epi32(sums, _mm256_and_si256(channelOf(pixels, c), enters));
                counts = _mm256_sub_epi32(counts, enters);
                scanned = _mm256_blendv_epi8(scanned, _mm256_set1_epi32(j), taking);
            }
            storeLanes(lanesOf(sweep_.sums, k, x), sums);
            storeLanes(lanesOf(sweep_.counts, k, x), counts);
            storeLanes(lanesOf(sweep_.scanned, k, x), scanned);
        }
    }

    // The selected columns of x .. x + 7 in row y: windows of the columns that continue a run
    // slide on a row, and every selected pixel takes its means (or its own values in the
    // channels of one-pixel windows) where they count.
    [[gnu::always_inline]] void step(std::int32_t x, __m256i selected, __m256i continued) const {
        const std::size_t at = static_cast<std::size_t>(kChannelsPerPixel) * x;
        const __m256i runStart = loadLanes(sweep_.runStart + x);
        const EightPixels own = loadPixels(sweep_.pixelRows[y_] + at);
        EightPixels to = loadPixels(to_ + at);
        const __m256i ownCounts = countsFor(own, kRedChannel);
        for (int c = 0; c < kChannelsPerPixel; ++c) {
            if (sweep_.reach[c] != 0) continue;
            putChannel(to, c, channelOf(own, c),
                       c == kAlphaChannel ? selected : _mm256_and_si256(selected, ownCounts));
        }
        for (int k = 0; k < sweep_.windowChannelCount; ++k) {
            const int c = sweep_.windowChannels[k];
            const std::int32_t reach = sweep_.reach[c];
            __m256i sums = loadLanes(lanesOf(sweep_.sums, k, x));
            __m256i counts = loadLanes(lanesOf(sweep_.counts, k, x));
            __m256i scanned = loadLanes(lanesOf(sweep_.scanned, k, x));
            if (leaving_[k] != nullptr) {
                // Row y - reach - 1 leaves where it is in the run: y - reach > runStart.
                const EightPixels pixels = loadPixels(leaving_[k] + at);
                const __m256i leaves = _mm256_and_si256(
                    _mm256_and_si256(continued, _mm256_cmpgt_epi32(_mm256_set1_epi32(y_ - reach), runStart)),
                    countsFor(pixels, c));
                sums = _mm256_sub_epi32(sums, _mm256_and_si256(channelOf(pixels, c), leaves));
                counts = _mm256_add_epi32(counts, leaves);
            }
            if (entering_[k] != nullptr) {
                // Row y + reach enters where the window has reached the row before it and it is selected.
                const EightPixels pixels = loadPixels(entering_[k] + at);
                const __m256i reaches = _mm256_and_si256(
                    _mm256_and_si256(continued, selectedLanes(enteringMask_[k] + x)),
                    _mm256_cmpeq_epi32(scanned, _mm256_set1_epi32(y_ + reach - 1)));
                scanned = _mm256_blendv_epi8(scanned, _mm256_set1_epi32(y_ + reach), reaches);
                const __m256i enters = _mm256_and_si256(reaches, countsFor(pixels, c));
                sums = _mm256_add_epi32(sums, _mm256_and_si256(channelOf(pixels, c), enters));
                counts = _mm256_sub_epi32(counts, enters);
            }
            storeLanes(lanesOf(sweep_.sums, k, x), sums);
            storeLanes(lanesOf(sweep_.counts, k, x), counts);
            storeLanes(lanesOf(sweep_.scanned, k, x), scanned);
            const __m256i filled = _mm256_xor_si256(_mm256_cmpeq_epi32(counts, _mm256_setzero_si256()),
                                                    _mm256_set1_epi32(-1));
            putChannel(to, c, means(sweep_, sums, counts), _mm256_and_si256(selected, filled));
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to_ + at), to.low);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to_ + at + 4 * kChannelsPerPixel), to.high);
    }

    const EightSweep& sweep_;
    const std::int32_t y_;
    const std::uint8_t *mask_, *above_;
    std::uint16_t* to_;
    const std::uint16_t* leaving_[kChannelsPerPixel];
    const std::uint16_t* entering_[kChannelsPerPixel];
    const std::uint8_t* enteringMask_[kChannelsPerPixel];
};

void sweep(const EightSweep& sweep) {
    for (std::int32_t y = 0; y < sweep.height; ++y) {
        if (sweep.rowFlags[y] != 0) RowOfEights(sweep, y).run();
    }
}

}  // namespace avx2
}  // namespace
#pragma GCC pop_options
#endif

std::int32_t sweepColumnRunsByEights(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count) {
    const std::int32_t eights = count / kColumnsPerStep * kColumnsPerStep;
#ifdef VELUMIXER_AVX2_COLUMN_RUNS
    if (eights > 0 && task.area.bottom - task.area.top <= kTallestArea && __builtin_cpu_supports("avx2")) {
        EightSweepStorage storage;
        avx2::sweep(eightSweepOf(task, first, eights, storage));
        return eights;
    }
#endif
    (void)task, (void)first, (void)eights;
    return 0;
}
