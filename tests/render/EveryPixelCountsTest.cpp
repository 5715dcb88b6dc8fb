// The row check the blur's fast ways rest on: a float row counts exactly when each of its pixels
// does, at the edges of what counts. Integer rows (no transparent pixel) are held by the
// differential blur test, whose stream must stop at one transparent pixel anywhere.

#include "render/EveryPixelCounts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

TEST(EveryPixelCountsTest, FloatRowsCountExactlyWhenEachPixelDoes) {
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    const float smallest = kSmallestCountingAlpha, largest = kLargestCountingValue;
    struct Value {
        float v;
        bool countsAsAlpha, countsAsColour;
    };
    const Value values[] = {
        {0.5f, true, true},
        {0.0f, false, true},
        {-0.0f, false, true},
        {-0.5f, false, true},
        {std::numeric_limits<float>::denorm_min(), false, true},
        {smallest, true, true},
        {std::nextafter(smallest, 0.0f), false, true},
        {largest, true, true},
        {std::nextafter(largest, inf), false, false},
        {-largest, false, true},
        {-std::nextafter(largest, inf), false, false},
        {inf, false, false},
        {-inf, false, false},
        {nan, false, false},
        {-nan, false, false},
    };
    for (const Value& value : values) {
        for (int channel = 0; channel < 4; ++channel) {
            for (std::int32_t at : {0, 3, 6}) {
                std::vector<PF_PixelFloat> row(7, PF_PixelFloat{1.0f, 0.25f, 0.5f, 0.75f});
                float* channels[] = {&row[at].alpha, &row[at].red, &row[at].green, &row[at].blue};
                *channels[channel] = value.v;
                const bool expected = channel == 0 ? value.countsAsAlpha : value.countsAsColour;
                EXPECT_EQ(expected, pixelCounts(row[at])) << value.v << " in channel " << channel;
                EXPECT_EQ(expected, everyPixelOfRowCounts(row.data(), 7)) << value.v << " in channel " << channel;
            }
        }
    }
}

}  // namespace
