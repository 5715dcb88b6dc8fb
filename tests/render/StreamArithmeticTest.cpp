// The row stream's shortcuts in arithmetic, checked over every value they meet.

#include "render/DepthConversion.h"
#include "render/RowKernelSet.h"

#include "render/QuotientTable.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// 8-bit frames widen and narrow on the way through the stream as the driver's conversions do,
// channel by channel and as rows of whole pixels, for every value.
TEST(StreamArithmeticTest, EightBitValuesWidenAndNarrowAsTheDriverConvertsThem) {
    const RowKernels<PF_Pixel8> kernels = rowKernelsForThisProcessor<PF_Pixel8>();
    std::vector<std::uint8_t> bytes(65536);
    std::vector<std::uint16_t> values(bytes.size());
    for (std::size_t v = 0; v < 256; ++v) bytes[v] = static_cast<std::uint8_t>(v);
    kernels.widenValues(bytes.data(), values.data(), 256);
    std::vector<std::uint16_t> alpha(64), red(64), green(64), blue(64);
    std::uint16_t* channels[] = {alpha.data(), red.data(), green.data(), blue.data()};
    kernels.loadPixels(bytes.data(), channels, 64);
    for (std::size_t v = 0; v < 256; ++v) {
        const auto byte = static_cast<std::uint8_t>(v);
        EXPECT_EQ(widenTo16Bits(byte), values[v]) << v;
        EXPECT_EQ(widenTo16Bits(byte), channels[v % 4][v / 4]) << v;
    }
    for (std::size_t v = 0; v < values.size(); ++v) values[v] = static_cast<std::uint16_t>(v);
    kernels.narrowValues(values.data(), bytes.data(), static_cast<std::int32_t>(values.size()));
    std::vector<std::uint8_t> pixels(values.size());
    const std::uint16_t* const rows[] = {values.data(), values.data() + 16384, values.data() + 32768,
                                         values.data() + 49152};
    kernels.storePixels(rows, pixels.data(), 16384);
    for (std::size_t v = 0; v < values.size(); ++v) {
        const std::uint8_t expected = narrowTo8Bits(static_cast<std::uint16_t>(v));
        EXPECT_EQ(expected, bytes[v]) << v;
        EXPECT_EQ(expected, pixels[4 * (v % 16384) + v / 16384]) << v;
    }
}

// Every mean of up to QuotientTable::kLongestFloatDivisor 16-bit values, rounded (box windows)
// and truncated (a Gaussian's flat tail), through the float reciprocal, as the loops of this
// processor compute it.
TEST(StreamArithmeticTest, FloatQuotientsAreExactForShortWindows) {
    const RowKernels<PF_Pixel16> kernels = rowKernelsForThisProcessor<PF_Pixel16>();
    const std::int32_t longest = static_cast<std::int32_t>(QuotientTable::kLongestFloatDivisor);
    const std::vector<std::uint16_t> zeros(static_cast<std::size_t>(longest) * 65536, 0);
    std::vector<std::uint16_t> means(zeros.size());
    std::vector<std::int32_t> sums(zeros.size());
    for (std::int32_t n = 1; n <= longest; ++n) {
        const std::int32_t count = n * 65535 + 1;  // every sum of n values of 0 .. 65535
        for (const std::int32_t half : {n / 2, 0}) {
            for (std::int32_t s = 0; s < count; ++s) sums[s] = s;
            kernels.slideShortColumns(sums.data(), zeros.data(), zeros.data(), half,
                                      QuotientTable::roundedUpFloatReciprocal(static_cast<std::uint32_t>(n)),
                                      means.data(), count);
            std::int32_t wrong = 0, first = -1;
            for (std::int32_t s = 0; s < count; ++s) {
                if (means[s] != (s + half) / n) {
                    ++wrong;
                    if (first < 0) first = s;
                }
            }
            EXPECT_EQ(0, wrong) << "divisor " << n << ", half " << half << ", first at sum " << first;
        }
    }
}

}  // namespace
