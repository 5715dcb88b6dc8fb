// The host's owning image: padded rows in every depth, conversions, and copies of worlds.

#include <gtest/gtest.h>

#include <stdexcept>

#include "host/Image.h"

namespace {

using vmhost::Image;

TEST(Image, PixelsOfEveryDepthSitInPaddedRows) {
    Image deep(PF_PixelFormat_ARGB64, 3, 2, 6, 0x11);
    EXPECT_EQ(3 * 8 + 6, deep.rowbytes());
    EXPECT_EQ(6, deep.rowPadding());
    EXPECT_EQ(static_cast<void*>(deep.row(1) + 2 * 8), static_cast<void*>(&deep.at<PF_Pixel16>(2, 1)));
    EXPECT_THROW(deep.at<PF_Pixel8>(0, 0), std::logic_error);
    EXPECT_THROW(deep.at<PF_Pixel16>(3, 0), std::out_of_range);
    EXPECT_THROW(Image(PF_PixelFormat_ARGB64, 2, 2, 3), std::invalid_argument) << "padding splits a channel";
    EXPECT_THROW(Image(PF_PixelFormat_BGRA32, 2, 2), std::invalid_argument);
    EXPECT_TRUE(deep.paddingHolds(0x11));
    deep.row(0)[3 * 8] = 0;
    EXPECT_FALSE(deep.paddingHolds(0x11));

    // 8-bit values survive a trip through 16 bits. How each rounds is in every hashed frame
    // (RenderTest.IntegerDepthsRenderTheSameBytesInEveryBuild).
    Image narrow(PF_PixelFormat_ARGB32, 4, 1, 5);
    const A_u_char values[4] = {0, 1, 128, 255};
    for (A_long x = 0; x < 4; ++x) narrow.at<PF_Pixel8>(x, 0) = {values[x], values[x], 0, 255};
    const Image widened = narrow.converted(PF_PixelFormat_ARGB64);
    const Image back = widened.converted(PF_PixelFormat_ARGB32, 8);
    EXPECT_TRUE(back.samePixels(narrow)) << "padding does not take part";
    EXPECT_FALSE(back.samePixels(widened));

    // Integer depths clip; floats keep what they are given.
    Image floats(PF_PixelFormat_ARGB128, 1, 1);
    floats.setNormalized(0, 0, {1.5f, -0.25f, 0.5f, 2.0f});
    EXPECT_FLOAT_EQ(1.5f, floats.at<PF_PixelFloat>(0, 0).alpha);
    const Image clipped = floats.converted(PF_PixelFormat_ARGB64);
    EXPECT_EQ(32768, clipped.at<PF_Pixel16>(0, 0).alpha);
    EXPECT_EQ(0, clipped.at<PF_Pixel16>(0, 0).red);
    EXPECT_EQ(16384, clipped.at<PF_Pixel16>(0, 0).green);
}

// The world view itself is what every frame lends the effect (FrameRender's and the effect's
// render tests see its pixels, origin and flags); a copy of a world is the benchmarks' input.
TEST(Image, ACopyOfAWorldKeepsItsPixelsRowbytesAndOrigin) {
    Image image(PF_PixelFormat_ARGB64, 5, 3, 4);
    image.setOrigin(-2, 7);
    for (A_long y = 0; y < 3; ++y)
        for (A_long x = 0; x < 5; ++x) image.at<PF_Pixel16>(x, y) = {A_u_short(x), A_u_short(y), 9, 32768};
    const Image copy = Image::copyOf(image.world(), PF_PixelFormat_ARGB64);
    EXPECT_TRUE(copy.samePixels(image));
    EXPECT_EQ(image.rowbytes(), copy.rowbytes());
    EXPECT_EQ(7, copy.originY());
    EXPECT_NE(image.row(0), copy.row(0));
}

}  // namespace
