// The three depths are one pass: on the same picture they agree up to each depth's rounding.
#include "SmoothingFixture.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

double channel(const PF_Pixel8& p, int c) { return (&p.alpha)[c] / 255.0; }
double channel(const PF_Pixel16& p, int c) { return (&p.alpha)[c] / 32768.0; }
double channel(const PF_PixelFloat& p, int c) { return (&p.alpha)[c]; }

// The largest difference of any channel, on the 0..1 scale.
template <class Pixel>
double largestDifference(const Picture<PF_Pixel8>& eightBit, const Picture<Pixel>& other) {
    double largest = 0;
    for (int y = 0; y < eightBit.height(); ++y) {
        for (int x = 0; x < eightBit.width(); ++x) {
            for (int c = 0; c < 4; ++c) {
                largest = std::max(largest, std::fabs(channel(eightBit.at(x, y), c) - channel(other.at(x, y), c)));
            }
        }
    }
    return largest;
}

TEST_F(SmoothingTest, TheThreeDepthsAgreeOnEveryShape) {
    const std::vector<std::vector<std::string>> pictures = {
        {"WWWWWWWWWWWW", "WWWWWWWWWKKK", "WWWWWWKKKKKK", "WWWKKKKKKKKK", "KKKKKKKKKKKK"},
        {"WWWWWW", "WWWWWW", "WWKKWW", "WWKKWW", "WWWWWW"},
        {"WWWWWWWWWWWWWWWW", "KKKKKKKKKKWWWWWW", "WWWWWWWWWWWWWWWW"},
        {"WWWWWWWWWW", "WKKWWWWWWW", "WWKKWWWWWW", "WWWKKWWWWW", "WWWWKKWWWW", "WWWWWKKWWW", "WWWWWWWWWW"},
        {"WWKWW", "WWWWW", "WKWKW", "WWKWW"},
        {"KWWW", "WKKW", "WWWK", "WWWW"},
        {"WWWWWWWW", "WWWWWWKW", "WWKKKKWW", "WWKKKKWW", "WWKKKKWW", "WWWWWWWW"},
        {"RRRBB", "RR.BB", "..GGG", "R.G.B"},
    };
    // Each depth rounds its own way at every blend, and the 8-bit spike mean divides by the
    // upper half of its alpha sum, which costs it up to 3.5 levels on a transparent spike
    // among coloured neighbours (the last picture). A different decision anywhere would show
    // as a difference of a tenth or more.
    const double tolerance = 4.0 / 255.0;
    for (const auto& art : pictures) {
        const Picture<PF_Pixel8> eightBit = smoothed(Picture<PF_Pixel8>(art));
        EXPECT_LE(largestDifference(eightBit, smoothed(Picture<PF_Pixel16>(art))), tolerance) << art[0];
        EXPECT_LE(largestDifference(eightBit, smoothed(Picture<PF_PixelFloat>(art))), tolerance) << art[0];
        EXPECT_FALSE(eightBit.samePixels(Picture<PF_Pixel8>(art))) << "every picture has edges to smooth";
    }
}

}  // namespace
