// The row stream's shortcuts in arithmetic, checked over every value they meet.

#include "render/DepthConversion.h"
#include "render/RowKernelSet.h"

#include "render/QuotientTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

TEST(StreamArithmeticTest, EveryByteWidensAsTheDriverWidensIt) {
    for (int v = 0; v < 256; ++v) {
        const auto byte = static_cast<std::uint8_t>(v);
        EXPECT_EQ(widenTo16Bits(byte), StreamDepth<PF_Pixel8>::toRow(byte)) << v;
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

}  // namespace
