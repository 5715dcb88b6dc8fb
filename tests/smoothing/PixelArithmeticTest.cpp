// Comparing, blending and averaging single pixels in the three depths.
#include "Picture.h"
#include "render/PixelAccumulator.h"
#include "render/PixelArithmetic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

TEST(MixPixelTest, IntegerBlendsFollowBothAlphasToTheBit) {
    struct Case {
        const char* what;
        PF_Pixel8 dst;
        PF_Pixel8 src;
        std::uint32_t w;
        PF_Pixel8 expected;
    };
    const std::vector<Case> cases = {
        {"equal alphas, weight 0 keeps dst", {255, 10, 20, 30}, {255, 200, 100, 0}, 0, {255, 10, 20, 30}},
        {"equal alphas, full weight copies src", {255, 10, 20, 30}, {255, 200, 100, 0}, 65535, {255, 200, 100, 0}},
        // (10 x 32768 + 200 x 32767 + 32768) >> 16 = 105, and so on.
        {"equal alphas, half weight rounds", {255, 10, 20, 30}, {255, 200, 100, 0}, 32767, {255, 105, 60, 15}},
        // (32768 x 200 + 32768) >> 16 = 100.
        {"transparent src only lowers alpha", {200, 10, 20, 30}, {0, 99, 99, 99}, 32767, {100, 10, 20, 30}},
        // (255 x 32767 + 32768) >> 16 = 127.
        {"opaque src into transparent dst", {0, 1, 2, 3}, {255, 40, 50, 60}, 32767, {127, 40, 50, 60}},
        {"weight 0 into transparent dst takes src colours", {0, 1, 2, 3}, {255, 40, 50, 60}, 0, {0, 40, 50, 60}},
        {"weight 0 keeps a visible dst", {200, 10, 20, 30}, {255, 40, 50, 60}, 0, {200, 10, 20, 30}},
        // k = trunc(65535 / (32768 x 100 / (255 x 32767) + 1) + 0.5) = 47074, the source's share of
        // the new alpha (255 x 32767 + 32768 + 32768 x 100) >> 16 = 177.
        {"colours mix by alpha share", {100, 0, 0, 0}, {255, 255, 255, 255}, 32767, {177, 183, 183, 183}},
        // 65535 / (32768 x 155 / (128 x 32767) + 1) = 29640.8 rounds to 29641: colour 100, not 99.
        {"the colour share is rounded", {155, 0, 0, 0}, {128, 220, 220, 220}, 32767, {141, 100, 100, 100}},
        // The two edge touches of the 2 x 2 red example, a tenth each way.
        {"red touches transparent", {0, 0, 0, 0}, {255, 255, 0, 0}, 6553, {25, 255, 0, 0}},
        {"transparent touches red", {255, 255, 0, 0}, {0, 0, 0, 0}, 6553, {229, 255, 0, 0}},
    };
    for (const Case& c : cases) {
        PF_Pixel8 dst = c.dst;
        mixPixel(dst, c.src, c.w);
        EXPECT_EQ(c.expected, dst) << c.what;

        // The 16-bit blend is the same arithmetic on wider channels.
        PF_Pixel16 dst16{c.dst.alpha, c.dst.red, c.dst.green, c.dst.blue};
        mixPixel(dst16, PF_Pixel16{c.src.alpha, c.src.red, c.src.green, c.src.blue}, c.w);
        EXPECT_EQ(c.expected, (PF_Pixel8{A_u_char(dst16.alpha), A_u_char(dst16.red), A_u_char(dst16.green),
                                         A_u_char(dst16.blue)}))
            << c.what << " (16-bit)";
    }

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

TEST(MixPixelTest, FloatBlendsFollowTheSameRules) {
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
