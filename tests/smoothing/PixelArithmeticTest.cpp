// Blending and averaging single pixels where the differential smoothing test cannot reach.
#include "Picture.h"
#include "render/PixelAccumulator.h"
#include "render/PixelArithmetic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace {

// The blends' arithmetic is held to the first pass's own copy by the differential smoothing
// test; here the 8-bit fast way is held to the 16-bit blend on inputs no picture reaches.
TEST(MixPixelTest, EightBitEqualAlphasKeepTheSixteenBitBlendsLowByte) {
    PF_Pixel16 full{32768, 32768, 32768, 32768};
    mixPixel(full, PF_Pixel16{32768, 32768, 32768, 32768}, 32767);
    EXPECT_EQ(32768, full.red) << "16-bit full scale stays exact";

    // Equal alphas, every pair of channel values, weights on the scale and past it (where the
    // products wrap): the 8-bit blend, four channels at once where the processor has them,
    // keeps the low byte of the 16-bit blend's channel by channel.
    for (const std::uint32_t w : {0u, 1u, 6553u, 21844u, 32767u, 32768u, 49151u, 65534u, 65535u, 70000u, ~0u}) {
        for (int d = 0; d < 256; ++d) {
            for (int s = 0; s < 256; ++s) {
                const auto byte = [](int v) { return A_u_char(v); };
                PF_Pixel8 dst{byte(s ^ d), byte(d), byte(255 - d), byte(s)};
                const PF_Pixel8 src{dst.alpha, byte(s), byte(d ^ 0x55), byte(255 - s)};
                PF_Pixel16 dst16{dst.alpha, dst.red, dst.green, dst.blue};
                mixPixel(dst, src, w);
                mixPixel(dst16, PF_Pixel16{src.alpha, src.red, src.green, src.blue}, w);
                const PF_Pixel8 expected{byte(dst16.alpha), byte(dst16.red), byte(dst16.green), byte(dst16.blue)};
                ASSERT_EQ(expected, dst) << "weight " << w << ", channels " << d << " and " << s;
            }
        }
    }
}

// Nothing of a transparent dst survives, so even a zero weight takes the source colour rather
// than dividing 0 by 0; and an 8-bit mean whose alpha sum is below 65536 leaves nothing to divide
// the colours by, so they stay. No picture of the differential test reaches either.
TEST(PixelArithmeticTest, EmptyDivisorsKeepAColour) {
    PF_PixelFloat empty{0.0f, 0.1f, 0.2f, 0.3f};
    mixPixel(empty, PF_PixelFloat{1.0f, 0.5f, 0.6f, 0.7f}, 0.0f);
    EXPECT_FLOAT_EQ(0.0f, empty.alpha);
    EXPECT_FLOAT_EQ(0.5f, empty.red);
    EXPECT_FALSE(std::isnan(empty.green));

    PixelAccumulator<PF_Pixel8> faint;
    faint.add(PF_Pixel8{1, 200, 200, 200}, 100);
    PF_Pixel8 kept{9, 7, 8, 9};
    faint.resolve(kept);
    EXPECT_EQ((PF_Pixel8{1, 7, 8, 9}), kept);
}

}  // namespace
