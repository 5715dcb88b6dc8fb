#pragma once
// The loops of the row stream (RowStreamBlur) over whole rows, as compiled for one instruction
// set: the processor's best (AVX2 where it has it) is chosen at run time.
//
// Rows of a channel are 16-bit values for 8-bit and 16-bit frames (8-bit values widened as the
// render driver widens them) and float values held in doubles for float frames.

#include "render/DepthConversion.h"
#include "render/GaussKernel.h"
#include "render/PixelTraits.h"

#include <algorithm>
#include <cstdint>

template <class Pixel>
struct StreamDepth;

template <>
struct StreamDepth<PF_Pixel8> : DepthConversion<PF_Pixel8> {
    using Row = std::uint16_t;
    using Sum = std::int32_t;  // 16-bit values times weights up to 32768 in all: under 2^31
    // widenTo16Bits in steps that stay within 16 bits, so that a vector holds twice as many:
    // v * 32768 / 255 is v * 128 + (v + 1) * 128 / 255 (rounded down), and x / 255 for x up to
    // 32768 is (x + 1 + x / 256) / 256. The same value for every byte.
    static std::uint16_t toRow(std::uint8_t v) {
        const auto x = static_cast<std::uint16_t>((v + 1) << 7);
        return static_cast<std::uint16_t>((v << 7) + ((x + 1 + (x >> 8)) >> 8));
    }
    // narrowTo8Bits in 16-bit steps too: (v * 255 + 16384) >> 15 is (v * 510 + 32768) >> 16,
    // the high half of v * 510 plus one where its low half reaches 32768.
    static std::uint8_t fromRow(std::uint16_t v) {
        const auto high = static_cast<std::uint16_t>((static_cast<std::uint32_t>(v) * 510u) >> 16);
        const auto low = static_cast<std::uint16_t>(v * 510u);
        return static_cast<std::uint8_t>(std::min<std::uint16_t>(255, static_cast<std::uint16_t>(high + (low >> 15))));
    }
};

template <>
struct StreamDepth<PF_Pixel16> : DepthConversion<PF_Pixel16> {
    using Row = std::uint16_t;
    using Sum = std::int32_t;
};

// Float rows hold floats, as the pass-by-pass blur stores its results; sums run in double.
template <>
struct StreamDepth<PF_PixelFloat> {
    using Row = float;
    using Sum = double;
    static float toRow(float v) { return v; }
    static float fromRow(float v) { return v; }
};

// Rows are allocated this many values past their width: the Gaussian loops read whole blocks.
constexpr std::int32_t kRowOverhang = 32;
constexpr std::int32_t kLongestNarrowReach = 2;  // across
constexpr std::int32_t kLongestNarrowDown = 1;

template <class Pixel>
struct RowKernels {
    using Channel = typename PixelTraits<Pixel>::Channel;
    using Row = typename StreamDepth<Pixel>::Row;
    using Sum = typename StreamDepth<Pixel>::Sum;
    using Row16 = std::uint16_t;

    // Any depth. The four channel rows must not overlap.
    void (*loadPixels)(const Channel* pixels, Row* const* channels, std::int32_t width);
    void (*storePixels)(const Row* const* channels, Channel* pixels, std::int32_t width);
    // The same bytes, written past the caches where the row's alignment allows.
    void (*storePixelsUncached)(const Row* const* channels, Channel* pixels, std::int32_t width);
    // A row of `count` values (pixels with their channels interleaved) into one row, and back.
    void (*widenValues)(const Channel* values, Row* row, std::int32_t count);
    void (*narrowValues)(const Row* row, Channel* values, std::int32_t count);
    // sums[x] = the Gaussian peak over taps[0 .. 2 * reach] (the rows -reach .. reach away),
    // for integer rows across (float rows across use convolveDoubles below).
    void (*convolve)(const Row* const* taps, const std::uint16_t* weights, std::int32_t reach, Sum* sums,
                     std::int32_t width);
    // The same, for taps that are separate rows (vertical passes).
    void (*convolveRows)(const Row* const* taps, const std::uint16_t* weights, std::int32_t reach, Sum* sums,
                         std::int32_t width);

    // Integer rows: window sums and their means, (s + half) * reciprocal.
    void (*prefixSums)(const Row16* in, std::int32_t* prefix, std::int32_t width);
    void (*windowMeans)(const std::int32_t* high, const std::int32_t* low, const std::int32_t* halves,
                        const double* reciprocals, Row16* out, std::int32_t width);
    // The same for windows of at most QuotientTable::kLongestFloatDivisor values, by float
    // reciprocals (QuotientTable::roundedUpFloatReciprocal).
    void (*shortWindowMeans)(const std::int32_t* high, const std::int32_t* low, const std::int32_t* halves,
                             const float* reciprocals, Row16* out, std::int32_t width);
    void (*positionMeans)(const std::int32_t* sums, const std::int32_t* halves, const double* reciprocals,
                          Row16* out, std::int32_t width);
    void (*rowMeans)(const std::int32_t* sums, std::int32_t half, double reciprocal, Row16* out, std::int32_t width);
    // Box windows reaching kLongestNarrowReach places or fewer, summed directly rather than
    // through prefix sums: out[x] = the mean of in[x - reach * step], in[x - (reach - 1) * step],
    // .. in[x + reach * step] for x in [reach * step, width - reach * step), by the float
    // reciprocal of the window's count. `step` is 1 (a channel's row) or kChannelsPerPixel
    // (a row of interleaved pixels).
    void (*narrowBoxMeans)(const Row16* in, std::int32_t reach, std::int32_t step, std::int32_t half,
                           float reciprocal, Row16* out, std::int32_t width);
    // The same down the columns of `count` rows (at most 2 * kLongestNarrowDown + 1).
    void (*narrowColumnMeans)(const Row16* const* rows, std::int32_t count, std::int32_t half, float reciprocal,
                              Row16* out, std::int32_t width);
    void (*addRow)(std::int32_t* sums, const Row16* row, std::int32_t width);
    void (*subtractRow)(std::int32_t* sums, const Row16* row, std::int32_t width);
    void (*slideColumns)(std::int32_t* sums, const Row16* entering, const Row16* leaving, std::int32_t half,
                         double reciprocal, Row16* out, std::int32_t width);
    // The same for windows of at most QuotientTable::kLongestFloatDivisor values, by a float
    // reciprocal (QuotientTable::roundedUpFloatReciprocal).
    void (*slideShortColumns)(std::int32_t* sums, const Row16* entering, const Row16* leaving, std::int32_t half,
                              float reciprocal, Row16* out, std::int32_t width);
    void (*blendTail)(const Row16* peak, const Row16* flat, std::uint16_t tailTotal, Row16* out, std::int32_t width);

    // Integer rows of a selection (mask bytes, non-zero where selected): unselected values become
    // 0; counts of selected pixels slide as window sums do; partialWindows marks the selected
    // positions whose windows hold unselected pixels and clears the unselected ones.
    void (*keepSelected)(Row16* row, const std::uint8_t* selected, std::int32_t width);
    void (*selectedOnes)(const std::uint8_t* selected, Row16* ones, std::int32_t width);
    void (*addSelected)(std::int32_t* counts, const std::uint8_t* selected, std::int32_t width);
    void (*subtractSelected)(std::int32_t* counts, const std::uint8_t* selected, std::int32_t width);
    bool (*partialWindows)(const std::int32_t* countHigh, const std::int32_t* countLow, const std::int32_t* fullCounts,
                           const std::uint8_t* selected, Row16* out, std::uint8_t* partial, std::int32_t width);
    bool (*slideSelectedColumns)(std::int32_t* sums, std::int32_t* counts, const Row16* entering, const Row16* leaving,
                                 const std::uint8_t* selectedEntering, const std::uint8_t* selectedLeaving,
                                 std::int32_t half, double reciprocal, std::int32_t fullCount,
                                 const std::uint8_t* selected, Row16* out, std::uint8_t* partial, std::int32_t width);

    // Float rows: Gaussian results from the peak sums and the sums of the weights on the line;
    // box windows in double sums, their means by reciprocals.
    // Float rows across: the row once in double, and the Gaussian peaks over it.
    void (*widenFloats)(const float* in, double* out, std::int32_t width);
    void (*convolveDoubles)(const double* const* taps, const std::uint16_t* weights, std::int32_t reach, double* sums,
                            std::int32_t width);
    void (*gaussianMeansFloat)(const double* sums, const double* weightSums, float* out, std::int32_t width);
    void (*prefixSumsFloat)(const float* in, double* prefix, std::int32_t width);
    void (*windowMeansFloat)(const double* high, const double* low, const double* reciprocals, float* out,
                             std::int32_t width);
    void (*equalWindowMeansFloat)(const double* high, const double* low, double reciprocal, float* out,
                                  std::int32_t width);
    void (*rowMeansFloat)(const double* sums, double reciprocal, float* out, std::int32_t width);
    void (*addRowFloat)(double* sums, const float* row, std::int32_t width);
    void (*subtractRowFloat)(double* sums, const float* row, std::int32_t width);
    void (*slideColumnsFloat)(double* sums, const float* entering, const float* leaving, double reciprocal,
                              float* out, std::int32_t width);
};

// Instantiated for PF_Pixel8, PF_Pixel16 and PF_PixelFloat.
template <class Pixel>
RowKernels<Pixel> rowKernelsForThisProcessor();

// The loops as compiled for the baseline instruction set on any processor, for tests that
// hold them against this processor's.
template <class Pixel>
RowKernels<Pixel> baselineRowKernels();
