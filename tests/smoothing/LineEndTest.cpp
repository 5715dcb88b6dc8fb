// One-pixel lines: their open ends fade out over a length that grows with the line's.
#include "SmoothingFixture.h"

#include <string>

namespace {

TEST_F(SmoothingTest, ALineEndFadesOverItsCompressedLength) {
    struct Case {
        int length;                  // black pixels from the left border on row 2
        std::vector<int> fade;       // grey levels from the line's last pixel leftward
    };
    for (const Case& c : std::vector<Case>{
             // Two pixels are still a staircase step of run 1: 21065, 1872.
             {2, {82, 7}},
             // Longer lines are line ends of length n = length - 1, compressed above 5 to
             // 5 + (n - 5) / 2, on an open ramp from 65535 with step 2 x rampStep(n, 70).
             {4, {209, 118, 29}},                            // n 3: 53833, 30429, 7492
             {6, {225, 164, 103, 43, 1}},                    // n 5: step 15602
             {7, {225, 164, 103, 43, 1}},                    // n 6 counts as 5
             {10, {232, 187, 141, 96, 50, 8}},               // n 9 counts as 7
             {14, {237, 200, 164, 128, 91, 55, 18}},         // n 13 counts as 9
             {20, {241, 213, 185, 157, 129, 101, 73, 45, 17}},  // n 19 counts as 12
         }) {
        const int width = 24;
        std::vector<std::string> art(5, std::string(width, 'W'));
        art[2] = std::string(c.length, 'K') + std::string(width - c.length, 'W');

        Greys expected(5, std::vector<int>(width, 255));
        for (int x = 0; x < c.length; ++x) expected[2][x] = 0;
        for (std::size_t i = 0; i < c.fade.size(); ++i) expected[2][c.length - 1 - int(i)] = c.fade[i];
        EXPECT_EQ(expected, greyLevels(smoothed(Picture<PF_Pixel8>(art)))) << "length " << c.length;
    }
}

TEST_F(SmoothingTest, ALineEndFadeBendsByAThirdOfTheCurve) {
    // Length 10 as above, with curve 90: the open ramp bends by 30 only, so its first weight
    // 59684 (t = 0.9107) becomes (30 t^3 + 70 t) / 100 of full scale, 56629.
    struct Case {
        int curve;
        std::vector<int> fade;
    };
    for (const Case& c : std::vector<Case>{{90, {220, 161, 112, 71, 36, 6}}, {-90, {239, 206, 169, 125, 72, 13}}}) {
        std::vector<std::string> art(5, std::string(24, 'W'));
        art[2] = std::string(10, 'K') + std::string(14, 'W');
        const Greys greys =
            greyLevels(smoothed(Picture<PF_Pixel8>(art), [&](EdgeSmoothSettings& s) { s.curve = c.curve; }));
        for (std::size_t i = 0; i < c.fade.size(); ++i) {
            EXPECT_EQ(c.fade[i], greys[2][9 - i]) << "curve " << c.curve << ", pixel " << 9 - i;
        }
        EXPECT_EQ(0, greys[2][3]);
    }
}

TEST_F(SmoothingTest, AShortLineFadesFromBothEnds) {
    // Four pixels, n = 3 from either end: 53833, 30429, 7492 from each side; the middle two
    // pixels take 30429 and 7492 in either order and end alike.
    EXPECT_EQ((Greys{
                  {255, 255, 255, 255, 255, 255, 255, 255, 255, 255},
                  {255, 255, 255, 209, 134, 134, 209, 255, 255, 255},
                  {255, 255, 255, 255, 255, 255, 255, 255, 255, 255},
              }),
              greyLevels(smoothed(Picture<PF_Pixel8>({"WWWWWWWWWW", "WWWKKKKWWW", "WWWWWWWWWW"}))));
}

}  // namespace
