// Comparing, blending and averaging single pixels in the three depths.
#include "Picture.h"
#include "render/PixelAccumulator.h"
#include "render/PixelArithmetic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

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

TEST(MixPixelTest, FloatBlendsFollowBothAlphas) {
    PF_PixelFloat equal{1.0f, 0.2f, 0.4f, 0.6f};
    mixPixel(equal, PF_PixelFloat{1.0f, 1.0f, 0.0f, 0.6f}, 0.25f);
    EXPECT_FLOAT_EQ(0.4f, equal.red);
    EXPECT_FLOAT_EQ(0.3f, equal.green);
    EXPECT_FLOAT_EQ(0.6f, equal.blue);
    EXPECT_FLOAT_EQ(1.0f, equal.alpha);

    PF_PixelFloat fading{0.8f, 0.1f, 0.2f, 0.3f};
    mixPixel(fading, PF_PixelFloat{0.0f, 0.9f, 0.9f, 0.9f}, 0.5f);
    EXPECT_FLOAT_EQ(0.4f, fading.alpha);
    EXPECT_FLOAT_EQ(0.1f, fading.red);

    // a = 0.5 x 0.4 = 0.2 is left of dst; the source's share is 1 / (0.2 / 0.5 + 1) = 5/7.
    PF_PixelFloat shared{0.4f, 0.0f, 0.0f, 0.0f};
    mixPixel(shared, PF_PixelFloat{1.0f, 1.0f, 1.0f, 1.0f}, 0.5f);
    EXPECT_NEAR(5.0f / 7.0f, shared.red, 1e-6f);
    EXPECT_FLOAT_EQ(0.7f, shared.alpha);

    // Nothing of a transparent dst survives, so even a zero weight takes the source colour
    // rather than dividing 0 by 0.
    PF_PixelFloat empty{0.0f, 0.1f, 0.2f, 0.3f};
    mixPixel(empty, PF_PixelFloat{1.0f, 0.5f, 0.6f, 0.7f}, 0.0f);
    EXPECT_FLOAT_EQ(0.0f, empty.alpha);
    EXPECT_FLOAT_EQ(0.5f, empty.red);
    EXPECT_FALSE(std::isnan(empty.green));
}

TEST(PixelsDifferTest, ChannelSumsAgainstAStrictThreshold) {
    // Transparent pixels are alike whatever their colour channels hold.
    EXPECT_FALSE(pixelsDiffer(PF_Pixel8{0, 255, 0, 9}, PF_Pixel8{0, 0, 77, 0}, 10));
    EXPECT_FALSE(pixelsDiffer(PF_Pixel16{0, 32768, 0, 9}, PF_Pixel16{0, 0, 77, 0}, 1285));
    EXPECT_FALSE(pixelsDiffer(PF_PixelFloat{0, 1, 0, 0.5f}, PF_PixelFloat{0, 0, 0.3f, 0}, 10 / 255.0f));

    // A transparent pixel against opaque black: the channel sum 255 must exceed the threshold.
    const PF_Pixel8 clear{0, 0, 0, 0}, black{255, 0, 0, 0};
    EXPECT_TRUE(pixelsDiffer(clear, black, 10));
    EXPECT_TRUE(pixelsDiffer(black, clear, 254));
    EXPECT_FALSE(pixelsDiffer(black, clear, 255));

    struct Case {
        PF_Pixel8 p, q;
        bool differ;
    };
    for (const Case& c : std::vector<Case>{
             {{255, 100, 100, 100}, {255, 100, 100, 100}, false},
             {{255, 100, 100, 100}, {255, 103, 97, 104}, false},  // 3 + 3 + 4 = 10
             {{255, 100, 100, 100}, {255, 103, 97, 105}, true},   // 11
             {{250, 100, 100, 100}, {255, 100, 100, 105}, false},  // alpha counts too: 10
             {{249, 100, 100, 100}, {255, 100, 100, 105}, true},
         }) {
        EXPECT_EQ(c.differ, pixelsDiffer(c.p, c.q, 10)) << int(c.q.blue) << " / alpha " << int(c.p.alpha);
    }

    EXPECT_EQ(1285u, threshold16(10));
    EXPECT_FLOAT_EQ(10.0f / 255.0f, thresholdFloat(10));
    EXPECT_FALSE(pixelsDiffer(PF_Pixel16{32768, 1000, 1000, 1000}, PF_Pixel16{32768, 1500, 1500, 1285}, 1285));
    EXPECT_TRUE(pixelsDiffer(PF_Pixel16{32768, 1000, 1000, 1000}, PF_Pixel16{32768, 1500, 1500, 1286}, 1285));
    EXPECT_FALSE(pixelsDiffer(PF_PixelFloat{1, 0.5f, 0.5f, 0.5f}, PF_PixelFloat{1, 0.5f, 0.5f, 0.535f}, 10 / 255.0f));
    EXPECT_TRUE(pixelsDiffer(PF_PixelFloat{1, 0.5f, 0.5f, 0.5f}, PF_PixelFloat{1, 0.5f, 0.5f, 0.545f}, 10 / 255.0f));
}

TEST(PixelAccumulatorTest, EightBitMeansWeighColoursByAlpha) {
    // A transparent neighbour gives its alpha but no colour:
    // alpha (255 x 11468 + 255 x 65535 + 44235) / 88471 = 222, colour (11220 + 149) / 299 = 38.
    PixelAccumulator<PF_Pixel8> withClear;
    withClear.add(PF_Pixel8{255, 255, 255, 255}, 11468);
    withClear.add(PF_Pixel8{0, 255, 255, 255}, 11468);
    PF_Pixel8 centre{255, 0, 0, 0};
    withClear.add(centre, 65535);
    withClear.resolve(centre);
    EXPECT_EQ((PF_Pixel8{222, 38, 38, 38}), centre);

    // An alpha sum below 65536 leaves nothing to divide the colours by; they stay.
    PixelAccumulator<PF_Pixel8> faint;
    faint.add(PF_Pixel8{1, 200, 200, 200}, 100);
    PF_Pixel8 kept{9, 7, 8, 9};
    faint.resolve(kept);
    EXPECT_EQ((PF_Pixel8{1, 7, 8, 9}), kept);
}

}  // namespace
