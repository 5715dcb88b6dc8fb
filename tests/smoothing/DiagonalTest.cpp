// Diagonal lines: edge touches along one-pixel diagonals, chain ramps along thicker ones.
#include "SmoothingFixture.h"

namespace {

TEST_F(SmoothingTest, AOnePixelDiagonalIsTouchedAlongItsLength) {
    // No two-pixel edge piece, so no chain: each vertical edge piece gives both of its pixels
    // a tenth of the other (6553): white beside the line 229, line pixels touched from both
    // sides 25, then 48. The two end pixels are spikes, averaged with their four white edge
    // neighbours at 11468 each: (4 x 255 x 44 + 25 x 254 + 216) / 433 = 118.
    EXPECT_EQ((Greys{
                  {255, 255, 255, 255, 255, 255, 255, 255, 255},
                  {255, 118, 229, 255, 255, 255, 255, 255, 255},
                  {255, 229, 48, 229, 255, 255, 255, 255, 255},
                  {255, 255, 229, 48, 229, 255, 255, 255, 255},
                  {255, 255, 255, 229, 48, 229, 255, 255, 255},
                  {255, 255, 255, 255, 229, 118, 255, 255, 255},
                  {255, 255, 255, 255, 255, 255, 255, 255, 255},
              }),
              greyLevels(smoothed(Picture<PF_Pixel8>({
                  "WWWWWWWWW",
                  "WKWWWWWWW",
                  "WWKWWWWWW",
                  "WWWKWWWWW",
                  "WWWWKWWWW",
                  "WWWWWKWWW",
                  "WWWWWWWWW",
              }))));
}

TEST_F(SmoothingTest, DiagonalChainsRampFromAThirdAlongTheLine) {
    // Two pixels wide: at each end a horizontal edge piece meets the diagonal run of the line's
    // right (or left) edge. Four chain steps (n = 3, rampStep 11702) inside the five-row line:
    // the first ramp takes 15993 then 4394 (a third, falling), the upward chain's second ramp
    // restores its colour pixels with 26916 then 15214.
    // Top end: (2, 1) black takes 15993 toward white (62), then its own step's 16383 (110);
    // (3, 2) takes 4394 (17), then a touch from its right (41).
    EXPECT_EQ((Greys{
                  {255, 255, 255, 255, 255, 255, 255, 255, 255, 255},
                  {255, 115, 110, 229, 255, 255, 255, 255, 255, 255},
                  {255, 229, 25, 41, 229, 255, 255, 255, 255, 255},
                  {255, 255, 229, 25, 25, 229, 255, 255, 255, 255},
                  {255, 255, 255, 235, 40, 25, 229, 255, 255, 255},
                  {255, 255, 255, 255, 240, 111, 115, 255, 255, 255},
                  {255, 255, 255, 255, 255, 255, 255, 255, 255, 255},
              }),
              greyLevels(smoothed(Picture<PF_Pixel8>({
                  "WWWWWWWWWW",
                  "WKKWWWWWWW",
                  "WWKKWWWWWW",
                  "WWWKKWWWWW",
                  "WWWWKKWWWW",
                  "WWWWWKKWWW",
                  "WWWWWWWWWW",
              }))));

    // Far above 100 % the ramp step is 0 and a chain's ramp never ends: the image's edge ends
    // the walk. The top chain reaches (5, 4) at a third (85), touched afterwards (102), and
    // nothing lands past the right edge (the fixture checks the row padding).
    const Greys steep = greyLevels(smoothed(
        Picture<PF_Pixel8>({"WWWWWWW", "WKKWWWW", "WWKKWWW", "WWWKKWW", "WWWWKKW", "WWWWWKK", "WWWWWWW"}),
        [](EdgeSmoothSettings& s) { s.strength = 10000000; }));
    EXPECT_EQ(102, steep[4][5]);
    for (const auto& row : steep) {
        for (int grey : row) EXPECT_NE(-1, grey);
    }
}

}  // namespace
