// RGBtoHLS scales: hue in degrees, lightness and saturation 0..1, all 16.16.

#include <gtest/gtest.h>

#include "host/HlsConversion.h"
#include "host/Host.h"

#include <algorithm>
#include <cstdint>

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

// The conversion in plain 64-bit arithmetic: each value the nearest 16.16 number to its
// ratio, halves rounded up, the hue from the dominant channel's sixth of the circle.
std::int64_t nearestQuotient(std::int64_t num, std::int64_t den) {
    const std::int64_t twice = 2 * num + den;
    const std::int64_t q = twice / (2 * den);
    return (twice % (2 * den) < 0) ? q - 1 : q;
}

vmhost::HlsFixed referenceHls(int r, int g, int b) {
    const int maxC = std::max({r, g, b}), minC = std::min({r, g, b});
    const int sum = maxC + minC, delta = maxC - minC;
    vmhost::HlsFixed hls{0, static_cast<std::int32_t>(nearestQuotient(sum * std::int64_t{kOne}, 510)), 0};
    if (delta == 0) return hls;
    const int saturationDen = sum <= 255 ? sum : 510 - sum;
    hls.saturation = static_cast<std::int32_t>(nearestQuotient(delta * std::int64_t{kOne}, saturationDen));
    const int sixths = maxC == r ? 0 * delta + g - b : maxC == g ? 2 * delta + b - r : 4 * delta + r - g;
    std::int64_t hue = nearestQuotient(sixths * 60 * std::int64_t{kOne}, delta);
    if (hue < 0) hue += 360 * kOne;
    if (hue >= 360 * kOne) hue -= 360 * kOne;
    hls.hue = static_cast<std::int32_t>(hue);
    return hls;
}

TEST(RgbToHls, EveryColourMatchesThePlainArithmetic) {
    int mismatches = 0;
    for (int r = 0; r < 256; ++r) {
        for (int g = 0; g < 256; ++g) {
            for (int b = 0; b < 256; ++b) {
                const vmhost::HlsFixed expected = referenceHls(r, g, b);
                const vmhost::HlsFixed actual = vmhost::rgbToHls(static_cast<std::uint8_t>(r),
                                                                 static_cast<std::uint8_t>(g),
                                                                 static_cast<std::uint8_t>(b));
                if (actual.hue == expected.hue && actual.lightness == expected.lightness &&
                    actual.saturation == expected.saturation) {
                    continue;
                }
                if (++mismatches <= 5) {
                    ADD_FAILURE() << r << "," << g << "," << b << ": got " << actual.hue << " " << actual.lightness
                                  << " " << actual.saturation << ", expected " << expected.hue << " "
                                  << expected.lightness << " " << expected.saturation;
                }
            }
        }
    }
    EXPECT_EQ(0, mismatches);
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
