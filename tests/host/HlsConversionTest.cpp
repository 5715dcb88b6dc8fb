// RGBtoHLS scales: hue in degrees, lightness and saturation 0..1, all 16.16.

#include <gtest/gtest.h>

#include "host/Host.h"

namespace {

constexpr PF_Fixed kOne = 65536;

struct Expected {
    A_u_char r, g, b;
    double hueDegrees, lightness, saturation;
};

// Values worked out by hand from L = (max+min)/2 and the two saturation rules.
const Expected kColours[] = {
    {255, 0, 0, 0, 0.5, 1},         // red
    {0, 255, 0, 120, 0.5, 1},       // green
    {0, 0, 255, 240, 0.5, 1},       // blue
    {255, 255, 0, 60, 0.5, 1},      // yellow
    {0, 255, 255, 180, 0.5, 1},     // cyan
    {255, 0, 255, 300, 0.5, 1},     // magenta
    {255, 255, 255, 0, 1, 0},       // white
    {0, 0, 0, 0, 0, 0},             // black
    {128, 128, 128, 0, 128.0 / 255, 0},                             // grey
    {200, 100, 100, 0, 300.0 / 510, 100.0 / 210},                   // light: S = d / (2 - max - min)
    {100, 50, 50, 0, 150.0 / 510, 50.0 / 150},                      // dark: S = d / (max + min)
    {255, 128, 0, 60 * 128.0 / 255, 255.0 / 510, 1},                // orange
    {255, 0, 1, 360 - 60.0 / 255, 0.5, 1},                          // just below a full turn
    {1, 0, 0, 0, 1.0 / 510, 1},                                     // darkest red: still fully saturated
};

::testing::AssertionResult near(double expected, PF_Fixed actual) {
    const double wanted = expected * kOne;
    if (actual >= wanted - 1 && actual <= wanted + 1) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected " << wanted << " got " << actual;
}

TEST(RgbToHls, UsesDegreesAndUnitFractionsInFixedPoint) {
    vmhost::Host host{vmhost::HostConfig::checking()};
    for (const Expected& c : kColours) {
        SCOPED_TRACE(::testing::Message() << int(c.r) << "," << int(c.g) << "," << int(c.b));
        PF_Pixel pixel{255, c.r, c.g, c.b};
        PF_Fixed hls[3] = {-1, -1, -1};
        ASSERT_EQ(PF_Err_NONE, host.utils()->colorCB.RGBtoHLS(host.inData().effect_ref, &pixel, hls));
        EXPECT_TRUE(near(c.hueDegrees, hls[0]));
        EXPECT_TRUE(near(c.lightness, hls[1]));
        EXPECT_TRUE(near(c.saturation, hls[2]));
        EXPECT_GE(hls[0], 0);
        EXPECT_LT(hls[0], 360 * kOne);
    }
}

TEST(RgbToHls, IgnoresAlphaAndRefusesBadArguments) {
    vmhost::Host host{vmhost::HostConfig::checking()};
    auto* rgbToHls = host.utils()->colorCB.RGBtoHLS;
    PF_Pixel opaque{255, 10, 200, 30}, clear{0, 10, 200, 30};
    PF_Fixed a[3], b[3];
    ASSERT_EQ(PF_Err_NONE, rgbToHls(host.inData().effect_ref, &opaque, a));
    ASSERT_EQ(PF_Err_NONE, rgbToHls(host.inData().effect_ref, &clear, b));
    EXPECT_EQ(a[0], b[0]);
    EXPECT_EQ(a[1], b[1]);
    EXPECT_EQ(a[2], b[2]);

    EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, rgbToHls(nullptr, &opaque, a));
    EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, rgbToHls(host.inData().effect_ref, nullptr, a));
    EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, rgbToHls(host.inData().effect_ref, &opaque, nullptr));
}

}  // namespace
