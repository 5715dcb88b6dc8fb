// The blur functions through a real host against the direct computation, NaN and infinities
// included. The differential test holds them to the first blur everywhere else (identity
// radii, empty and full selections, repeat count 0, keep-division, transparency), with every
// worker count.
#include "tests/render/BlurTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>

namespace {

template <class Pixel>
std::string describe(const Pixel& pixel) {
    std::ostringstream text;
    for (int c = 0; c < 4; ++c) text << (c ? " " : "(") << +channelOf(pixel, c);
    return text.str() + ")";
}

// Every pixel of the world, inside the area or not; float results may differ in the last bits.
template <class Pixel>
void expectWorldsMatch(const TestWorld<Pixel>& actual, const TestWorld<Pixel>& expected, const std::string& what) {
    int mismatches = 0;
    for (A_long y = 0; y < actual.height(); ++y) {
        for (A_long x = 0; x < actual.width(); ++x) {
            bool close = samePixel(actual.at(x, y), expected.at(x, y));
            for (int c = 0; c < 4 && !close && std::is_same<Pixel, PF_PixelFloat>::value; ++c) {
                const double a = channelOf(actual.at(x, y), c), e = channelOf(expected.at(x, y), c);
                close = a == e || (std::isnan(a) && std::isnan(e)) ||
                        std::fabs(a - e) <= 1e-5 * std::max(1.0, std::fabs(e));
                if (!close) break;
            }
            if (!close && ++mismatches <= 3) {
                ADD_FAILURE() << what << " at (" << x << ", " << y << "): " << describe(actual.at(x, y)) << " expected "
                              << describe(expected.at(x, y));
            }
        }
    }
    EXPECT_TRUE(actual.paddingIntact()) << what;
}

struct BlurCase {
    A_long width, height;  // of the worlds; the area leaves a frame of 1 to 3 pixels
    double aspect;
    ChannelRadii radii;
    std::int32_t repeatCount;
};

// A few NaN and infinite channel values (alpha too) at random places of a float world.
void plantNonFinite(TestWorld<PF_PixelFloat>& world, std::mt19937& random) {
    const float values[] = {std::nanf(""), INFINITY, -INFINITY};
    std::uniform_int_distribution<A_long> x(0, world.width() - 1), y(0, world.height() - 1);
    std::uniform_int_distribution<int> channel(0, 3);
    for (int k = 0; k < 6; ++k) setChannel(world.at(x(random), y(random)), channel(random), values[k % 3]);
}

// With `nonFinite`, float sources also hold NaN and infinities: the direct computation
// lets them reach only the windows that hold them, and so must the effect.
template <class Pixel>
void checkAgainstReference(vmhost::Host& host, const BlurCase& blur, std::mt19937& random, bool nonFinite = false) {
    const PF_LRect area = {2, 1, blur.width - 1, blur.height - 3};
    for (const BlurVariant<Pixel>& variant : blurVariants<Pixel>()) {
        BlurScene<Pixel> scene(blur.width, blur.height, area);
        fillRandom(scene.source, random, 0.15);
        if constexpr (std::is_same<Pixel, PF_PixelFloat>::value) {
            if (nonFinite) plantNonFinite(scene.source, random);
        }
        scene.mask = makeRandomRunMask(&host.inData(), area.right - area.left, area.bottom - area.top, random);
        scene.prepareTargets();
        TestWorld<Pixel> expected = scene.destination, expectedScratch = scene.scratch;
        referenceBlur(scene.source, expected, expectedScratch, area, scene.mask, variant.kind, variant.keepDivision,
                      blur.aspect, blur.radii, blur.repeatCount);

        ASSERT_EQ(PF_Err_NONE, scene.run(variant, &host.inData(), blur.aspect, blur.radii, blur.repeatCount));
        std::ostringstream what;
        what << variant.name << " " << blur.width << "x" << blur.height << " repeat " << blur.repeatCount;
        expectWorldsMatch(scene.destination, expected, what.str());
    }
}

TEST(BlurTest, MatchesTheDirectComputation) {
    vmhost::Host host(hostWithWorkers(3));
    const BlurCase cases[] = {
        {41, 29, 0.0, {3, 5, 2, 8}, 1},
        {41, 29, 1.5, {1, 4, 7, 2.5}, 2},
        {41, 29, -2.0, {6, 6, 6, 6}, 3},
        {41, 29, 0.0, {2.2, 1, 9, 3}, 4},
        // Aspect 11 takes the horizontal radii past 100: Gaussians with a flat tail.
        {323, 12, 11.0, {12, 10, 14, 1}, 1},
        {323, 12, 11.0, {25, 9, 1, 12}, 2},
    };
    std::mt19937 random(1);
    for (const BlurCase& blur : cases) {
        checkAgainstReference<PF_Pixel16>(host, blur, random);
        checkAgainstReference<PF_PixelFloat>(host, blur, random);
        checkAgainstReference<PF_PixelFloat>(host, blur, random, true);
    }
}

}  // namespace
