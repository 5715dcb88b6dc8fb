// The row stream's shortcuts in arithmetic, checked over every value they meet.

#include "render/DepthConversion.h"
#include "render/RowKernelSet.h"

#include "render/QuotientTable.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
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

// Rows stored past the caches hold the bytes storePixels stores, whatever the row's alignment
// and length, and nothing beyond them changes.
template <class Pixel>
void checkUncachedStores() {
    using Channel = typename PixelTraits<Pixel>::Channel;
    using Row = typename StreamDepth<Pixel>::Row;
    const RowKernels<Pixel> kernels = rowKernelsForThisProcessor<Pixel>();
    std::mt19937 random(5);
    for (const std::int32_t width : {0, 1, 3, 63, 64, 65, 129, 300}) {
        std::vector<Row> rows(static_cast<std::size_t>(kChannelsPerPixel) * width);
        for (Row& v : rows) v = StreamDepth<Pixel>::toRow(static_cast<Channel>(random() % 200));
        const Row* channels[kChannelsPerPixel];
        for (int c = 0; c < kChannelsPerPixel; ++c) channels[c] = rows.data() + static_cast<std::size_t>(c) * width;
        for (std::size_t offset = 0; offset < 16; offset += alignof(Channel)) {
            const std::size_t bytes = sizeof(Pixel) * width + 64;
            std::vector<unsigned char> expected(bytes + 32, 0xA5), actual(bytes + 32, 0xA5);
            auto at = [&](std::vector<unsigned char>& buffer) {
                unsigned char* base = buffer.data() + (16 - reinterpret_cast<std::uintptr_t>(buffer.data()) % 16) % 16;
                return reinterpret_cast<Channel*>(base + offset);
            };
            kernels.storePixels(channels, at(expected), width);
            kernels.storePixelsUncached(channels, at(actual), width);
            EXPECT_EQ(expected, actual) << "width " << width << ", offset " << offset;
        }
    }
}

TEST(StreamArithmeticTest, RowsStoredPastTheCachesHoldTheSameBytes) {
    checkUncachedStores<PF_Pixel8>();
    checkUncachedStores<PF_Pixel16>();
    checkUncachedStores<PF_PixelFloat>();
}

// The narrow windows and the conversions of rows of whole pixels, as this processor's loops
// compute them (AVX2 where it has it) and as the baseline loops do, over random rows of every
// value: lengths around the vector blocks, both steps along a row, every window.
TEST(StreamArithmeticTest, BaselineLoopsAgreeWithThisProcessors) {
    using Kernels = RowKernels<PF_Pixel16>;
    using Kernels8 = RowKernels<PF_Pixel8>;
    const Kernels fast = rowKernelsForThisProcessor<PF_Pixel16>(), plain = baselineRowKernels<PF_Pixel16>();
    const Kernels8 fast8 = rowKernelsForThisProcessor<PF_Pixel8>(), plain8 = baselineRowKernels<PF_Pixel8>();
    std::mt19937 random(7);
    std::uniform_int_distribution<int> anyValue(0, 65535);
    for (const std::int32_t width : {0, 1, 7, 16, 17, 40, 63, 100, 257}) {
        std::vector<std::uint16_t> rows[3];
        for (auto& row : rows) {
            row.resize(static_cast<std::size_t>(width) + 16);
            for (auto& v : row) v = static_cast<std::uint16_t>(anyValue(random));
        }
        const std::uint16_t* taps[] = {rows[0].data(), rows[1].data(), rows[2].data()};
        // `run(kernels, kernels8, out)` with either set of loops must leave the same row.
        auto agree = [&](const std::string& what, auto run) {
            std::vector<std::uint16_t> expected(rows[0].size(), 7), actual(rows[0].size(), 7);
            run(plain, plain8, expected.data());
            run(fast, fast8, actual.data());
            EXPECT_EQ(expected, actual) << what << ", width " << width;
        };
        for (const std::int32_t step : {1, 4}) {
            for (std::int32_t reach = 1; reach <= kLongestNarrowReach; ++reach) {
                const std::int32_t n = 2 * reach + 1;
                const float reciprocal = QuotientTable::roundedUpFloatReciprocal(static_cast<std::uint32_t>(n));
                agree("box across, reach " + std::to_string(reach) + ", step " + std::to_string(step),
                      [&](const Kernels& kernels, const Kernels8&, std::uint16_t* out) {
                          kernels.narrowBoxMeans(taps[0], reach, step, n / 2, reciprocal, out, width);
                      });
            }
        }
        for (std::int32_t n = 1; n <= 2 * kLongestNarrowDown + 1; ++n) {
            const float reciprocal = QuotientTable::roundedUpFloatReciprocal(static_cast<std::uint32_t>(n));
            agree("box down, " + std::to_string(n) + " rows", [&](const Kernels& kernels, const Kernels8&,
                                                                  std::uint16_t* out) {
                kernels.narrowColumnMeans(taps, n, n / 2, reciprocal, out, width);
            });
        }
        std::vector<std::uint8_t> bytes(rows[0].size());
        for (auto& b : bytes) b = static_cast<std::uint8_t>(anyValue(random));
        agree("widened bytes", [&](const Kernels&, const Kernels8& kernels8, std::uint16_t* out) {
            kernels8.widenValues(bytes.data(), out, width);
        });
        agree("narrowed values", [&](const Kernels&, const Kernels8& kernels8, std::uint16_t* out) {
            // Two bytes to a value of `out`, compared as such.
            kernels8.narrowValues(taps[0], reinterpret_cast<std::uint8_t*>(out), width);
        });
    }
}

}  // namespace
