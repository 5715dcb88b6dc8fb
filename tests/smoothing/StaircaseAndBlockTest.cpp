// Staircases and blocks: the step ramps beside hard edges, shaped by the steps around them.
#include "SmoothingFixture.h"

namespace {

TEST_F(SmoothingTest, AStaircaseIsBlendedAcrossEachStep) {
    // Each riser is followed by a run of 2 on its own row (the step's first pixel differs only
    // diagonally), with nothing measured from the far end: k = 70, rampStep(2, 70) = 15603,
    // weights 24966, 9363, 78 on both sides of the riser. White left of a riser moves toward
    // black: (255 x 40569 + 32768) >> 16 = 158, then 219, then 255; black right of it toward
    // white: 97, 36, 0. The top step runs into the right border, which continues it: run 3,
    // rampStep(3, 70) = 11702, weights 26916, 15214, 3745 give 105, 59, 15.
    const Greys expected = {
        {255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255},
        {255, 255, 255, 255, 255, 255, 255, 219, 158, 105, 59, 15},
        {255, 255, 255, 255, 219, 158, 97, 36, 0, 0, 0, 0},
        {255, 219, 158, 97, 36, 0, 0, 0, 0, 0, 0, 0},
        {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    };
    EXPECT_EQ(expected, greyLevels(smoothed(Picture<PF_Pixel8>({
                            "WWWWWWWWWWWW",
                            "WWWWWWWWWKKK",
                            "WWWWWWKKKKKK",
                            "WWWKKKKKKKKK",
                            "KKKKKKKKKKKK",
                        }))));
}

TEST_F(SmoothingTest, ALoneTwoByTwoBlockKeepsSharperCornersThanALargerBlock) {
    // Every step of a lone 2 x 2 block has a = b = 1 and belongs to the block: k = 7,
    // rampStep(1, 7) = 234050, a one-pixel ramp of 32767 x 32767 / 468100 = 2293. Each block
    // pixel gets two of them toward white: 9, then 18.
    EXPECT_EQ((Greys{
                  {255, 255, 255, 255, 255, 255},
                  {255, 255, 255, 255, 255, 255},
                  {255, 255, 18, 18, 255, 255},
                  {255, 255, 18, 18, 255, 255},
                  {255, 255, 255, 255, 255, 255},
                  {255, 255, 255, 255, 255, 255},
              }),
              greyLevels(smoothed(Picture<PF_Pixel8>({
                  "WWWWWW",
                  "WWWWWW",
                  "WWKKWW",
                  "WWKKWW",
                  "WWWWWW",
                  "WWWWWW",
              }))));

    // A 3 x 3 block's sides measure a = b = 2: k = 50, rampStep(2, 50) = 21844, weights 21845
    // and 2731. Corners take two first weights (85, then 142), side middles two second ones
    // (11, then 21); the centre stays black.
    EXPECT_EQ((Greys{
                  {255, 255, 255, 255, 255, 255, 255},
                  {255, 255, 255, 255, 255, 255, 255},
                  {255, 255, 142, 21, 142, 255, 255},
                  {255, 255, 21, 0, 21, 255, 255},
                  {255, 255, 142, 21, 142, 255, 255},
                  {255, 255, 255, 255, 255, 255, 255},
                  {255, 255, 255, 255, 255, 255, 255},
              }),
              greyLevels(smoothed(Picture<PF_Pixel8>({
                  "WWWWWWW",
                  "WWWWWWW",
                  "WWKKKWW",
                  "WWKKKWW",
                  "WWKKKWW",
                  "WWWWWWW",
                  "WWWWWWW",
              }))));
}

TEST_F(SmoothingTest, PixelsBesideAnEdgePieceTakeASixthOfIt) {
    // White over red beside black over black: the edge piece between the columns is straight
    // (both rows differ across it, the right column is alike down), so the right column takes a
    // sixth (10922) of the left one, row by row: (255 x 10922 + 32768) >> 16 = 42.
    const Picture<PF_Pixel8> out = smoothed(Picture<PF_Pixel8>({"WK", "RK"}));
    EXPECT_EQ((PF_Pixel8{255, 255, 255, 255}), out.at(0, 0));
    EXPECT_EQ((PF_Pixel8{255, 42, 42, 42}), out.at(1, 0));
    EXPECT_EQ((PF_Pixel8{255, 255, 0, 0}), out.at(0, 1));
    EXPECT_EQ((PF_Pixel8{255, 42, 0, 0}), out.at(1, 1));
}

}  // namespace
