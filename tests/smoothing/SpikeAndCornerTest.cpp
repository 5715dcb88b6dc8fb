// Single pixels that stick out, and the corners and notches the ramps would round off.
#include "SmoothingFixture.h"

namespace {

TEST_F(SmoothingTest, ALoneSpikeIsAveragedWithTheEdgeNeighboursThereAre) {
    // Unlike all eight neighbours: the mean of itself (65535) and four whites (11468 each),
    // (4 x 255 x 44 + 216) / 433 = 104.
    EXPECT_EQ((Greys{
                  {255, 255, 255, 255, 255},
                  {255, 255, 255, 255, 255},
                  {255, 255, 104, 255, 255},
                  {255, 255, 255, 255, 255},
                  {255, 255, 255, 255, 255},
              }),
              greyLevels(smoothed(Picture<PF_Pixel8>({"WWWWW", "WWWWW", "WWKWW", "WWWWW", "WWWWW"}))));

    // On the top border only three neighbours count. The spike is touched from both sides
    // first (25, then 48): (3 x 255 x 44 + 48 x 254 + 194) / 388 = 118.
    EXPECT_EQ((Greys{{255, 229, 118, 229, 255}, {255, 255, 255, 255, 255}, {255, 255, 255, 255, 255}}),
              greyLevels(smoothed(Picture<PF_Pixel8>({"WWKWW", "WWWWW", "WWWWW"}))));

    // The end of a two-pixel line differs from three edge neighbours and all four diagonal
    // ones: that is a corner, not a spike, and only the steps' ramps (16383: 64) reach it.
    EXPECT_EQ((Greys{{255, 255, 255, 255, 255, 255},
                     {255, 255, 255, 255, 255, 255},
                     {255, 255, 64, 64, 255, 255},
                     {255, 255, 255, 255, 255, 255}}),
              greyLevels(smoothed(Picture<PF_Pixel8>({"WWWWWW", "WWWWWW", "WWKKWW", "WWWWWW"}))));
}

TEST_F(SmoothingTest, CornersAndNotchesAreRestoredTowardTheirSource) {
    // The block's top-right corner (5, 2) is touched diagonally by a lone pixel. The ramp from
    // above takes it to 85 like the other corners, then a three-quarter restore (E2) brings it
    // back to (85 x 16384 + 32768) >> 16 = 21.
    EXPECT_EQ((Greys{
                  {255, 255, 255, 255, 255, 255, 255, 255},
                  {255, 255, 255, 240, 196, 150, 118, 255},
                  {255, 255, 85, 0, 0, 21, 158, 255},
                  {255, 255, 21, 0, 0, 21, 219, 255},
                  {255, 255, 85, 0, 0, 85, 255, 255},
                  {255, 255, 255, 255, 255, 255, 255, 255},
              }),
              greyLevels(smoothed(Picture<PF_Pixel8>({
                  "WWWWWWWW",
                  "WWWWWWKW",
                  "WWKKKKWW",
                  "WWKKKKWW",
                  "WWKKKKWW",
                  "WWWWWWWW",
              }))));

    // The tip (2, 1) of a two-pixel tooth between two diagonal steps: its step ramp takes it
    // to 64 (a = b = 1, k = 50: one pixel at 16383), then the notch restore B2 halfway back
    // to black: 32.
    EXPECT_EQ((Greys{{25, 173, 248, 255}, {229, 64, 32, 173}, {255, 248, 173, 82}, {255, 255, 255, 255}}),
              greyLevels(smoothed(Picture<PF_Pixel8>({"KWWW", "WKKW", "WWWK", "WWWW"}))));

    // The notch restore A1 brings (1, 2) from 64 halfway back to black: 32.
    EXPECT_EQ((Greys{{229, 25, 0, 0}, {25, 150, 196, 240}, {229, 32, 64, 173}, {255, 248, 117, 138}}),
              greyLevels(smoothed(Picture<PF_Pixel8>({"WKKK", "KWWW", "WKKW", "WWWK"}))));
}

TEST_F(SmoothingTest, TransparentNeighboursBlendByAlpha) {
    // White pixels over a transparent row. The left pair's touch lends the transparent pixel
    // white at alpha 25 and fades the white one to 229; the right white pixel takes the
    // transparent colour on a one-pixel step ramp (21065): alpha (44470 x 255 + 32768) >> 16 = 173.
    // Then the left touch of (1, 0) mixes white at 6553 into its alpha-25 white: 48.
    Picture<PF_Pixel8> out = smoothed(Picture<PF_Pixel8>({"W.W", "...", "..."}));
    EXPECT_EQ((PF_Pixel8{229, 255, 255, 255}), out.at(0, 0));
    EXPECT_EQ((PF_Pixel8{48, 255, 255, 255}), out.at(1, 0));
    EXPECT_EQ((PF_Pixel8{173, 255, 255, 255}), out.at(2, 0));
    for (int y = 1; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) EXPECT_EQ((PF_Pixel8{0, 0, 0, 0}), out.at(x, y));
    }

    // The 2 x 2 red example: only the red pixel's flag is set (right, down, diagonal), and the
    // edge touches alone act: out(1, 0) = (25, 255, 0, 0), out(0, 0) = (229, 255, 0, 0).
    Picture<PF_Pixel8> red = smoothed(Picture<PF_Pixel8>({"R.", ".."}));
    EXPECT_EQ((PF_Pixel8{229, 255, 0, 0}), red.at(0, 0));
    EXPECT_EQ((PF_Pixel8{25, 255, 0, 0}), red.at(1, 0));
    EXPECT_EQ((PF_Pixel8{0, 0, 0, 0}), red.at(0, 1));
    EXPECT_EQ((PF_Pixel8{0, 0, 0, 0}), red.at(1, 1));
}

}  // namespace
