// The row stream's shortcuts in arithmetic, checked over every value they meet.

#include "render/DepthConversion.h"
#include "render/RowKernelSet.h"

#include <gtest/gtest.h>

namespace {

TEST(StreamArithmeticTest, EveryByteWidensAsTheDriverWidensIt) {
    for (int v = 0; v < 256; ++v) {
        const auto byte = static_cast<std::uint8_t>(v);
        EXPECT_EQ(widenTo16Bits(byte), StreamDepth<PF_Pixel8>::toRow(byte)) << v;
    }
}

}  // namespace
