// The blur functions through a real host: against a direct computation, the rules for
// selection and transparency, threads, and how errors and cancels end a call.
#include "render/Blur.h"
#include "tests/render/BlurTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>

namespace {

struct BlurCase {
    double aspect;
    ChannelRadii radii;
    std::int32_t repeatCount;
};

template <class Pixel>
bool closeEnough(const Pixel& actual, const Pixel& expected) {
    if constexpr (std::is_same<Pixel, PF_PixelFloat>::value) {
        for (int c = 0; c < 4; ++c) {
            const float a = channelOf(actual, c), e = channelOf(expected, c);
            if (!(std::fabs(a - e) <= 1e-5f * std::max(1.0f, std::fabs(e)))) return false;
        }
        return true;
    } else {
        return samePixel(actual, expected);
    }
}

template <class Pixel>
std::string describe(const Pixel& pixel) {
    std::ostringstream text;
    for (int c = 0; c < 4; ++c) text << (c ? " " : "(") << +channelOf(pixel, c);
    text << ")";
    return text.str();
}

// Every pixel of the destination world, inside the area or not, against the reference.
template <class Pixel>
void expectWorldsMatch(const TestWorld<Pixel>& actual, const TestWorld<Pixel>& expected, const std::string& what) {
    int mismatches = 0;
    for (A_long y = 0; y < actual.height() && mismatches < 3; ++y) {
        for (A_long x = 0; x < actual.width() && mismatches < 3; ++x) {
            if (!closeEnough(actual.at(x, y), expected.at(x, y))) {
                ADD_FAILURE() << what << " at (" << x << ", " << y << "): " << describe(actual.at(x, y))
                              << " expected " << describe(expected.at(x, y));
                ++mismatches;
            }
        }
    }
    EXPECT_TRUE(actual.paddingIntact()) << what;
}

template <class Pixel>
void checkAgainstReference(vmhost::Host& host, A_long worldWidth, A_long worldHeight, const PF_LRect& area,
                           const std::vector<BlurCase>& cases, bool gaussianOnly, unsigned seed) {
    std::mt19937 random(seed);
    for (const BlurVariant<Pixel>& variant : blurVariants<Pixel>()) {
        if (gaussianOnly && variant.kind != KernelKind::Gaussian) continue;
        for (std::size_t i = 0; i < cases.size(); ++i) {
            const BlurCase& blur = cases[i];
            BlurScene<Pixel> scene(worldWidth, worldHeight, area);
            fillRandom(scene.source, random, 0.15);
            scene.mask = makeRandomRunMask(&host.inData(), area.right - area.left, area.bottom - area.top, random);
            scene.prepareTargets();

            TestWorld<Pixel> expected = scene.destination;
            TestWorld<Pixel> expectedScratch = scene.scratch;
            referenceBlur(scene.source, expected, expectedScratch, area, scene.mask, variant.kind,
                          variant.keepDivision, blur.aspect, blur.radii, blur.repeatCount);

            ASSERT_EQ(PF_Err_NONE, scene.run(variant, &host.inData(), blur.aspect, blur.radii, blur.repeatCount));
            expectWorldsMatch(scene.destination, expected, variant.name + " case " + std::to_string(i));
        }
    }
}

TEST(BlurTest, MatchesTheDirectComputation) {
    vmhost::Host host(hostWithWorkers(3));
    const std::vector<BlurCase> cases = {
        {0.0, {3, 5, 2, 8}, 1},
        {1.5, {1, 4, 7, 2.5}, 2},
        {-2.0, {6, 6, 6, 6}, 3},
        {0.0, {2.2, 1, 9, 3}, 4},
    };
    // The area leaves a frame of the world around it that must stay untouched.
    const PF_LRect area = {2, 3, 39, 27};
    checkAgainstReference<PF_Pixel16>(host, 41, 29, area, cases, false, 1);
    checkAgainstReference<PF_PixelFloat>(host, 41, 29, area, cases, false, 2);
}

TEST(BlurTest, WideKernelsWithTailsMatchTheDirectComputation) {
    vmhost::Host host(hostWithWorkers(2));
    // Aspect 11 stretches the horizontal radii past 100 (Gaussian tails); the vertical ones stay small.
    const std::vector<BlurCase> cases = {
        {11.0, {12, 10, 14, 1}, 1},
        {11.0, {25, 9, 1, 12}, 2},
    };
    const PF_LRect area = {0, 0, 320, 9};
    checkAgainstReference<PF_Pixel16>(host, 320, 9, area, cases, false, 3);
    checkAgainstReference<PF_PixelFloat>(host, 320, 9, area, cases, false, 4);
}

template <class Pixel>
void checkRadiusOneAndEmptySelection(vmhost::Host& host) {
    std::mt19937 random(5);
    const PF_LRect area = {0, 0, 19, 11};
    for (const BlurVariant<Pixel>& variant : blurVariants<Pixel>()) {
        for (int repeat = 1; repeat <= 4; ++repeat) {
            BlurScene<Pixel> scene(19, 11, area);
            fillRandom(scene.source, random, 0.2);
            scene.mask = makeRandomRunMask(&host.inData(), 19, 11, random);
            scene.prepareTargets();
            const TestWorld<Pixel> before = scene.destination;
            ASSERT_EQ(PF_Err_NONE, scene.run(variant, &host.inData(), 0.0, {1, 1, 1, 1}, repeat));
            expectWorldsMatch(scene.destination, before, variant.name + " radius 1");

            // Nothing selected: every line is skipped and nothing at all is written.
            scene.mask = makeMask(&host.inData(), 19, 11, [](std::int32_t, std::int32_t) { return false; });
            scene.prepareTargets();
            const TestWorld<Pixel> untouched = scene.destination;
            ASSERT_EQ(PF_Err_NONE, scene.run(variant, &host.inData(), 0.0, {9, 9, 9, 9}, repeat));
            expectWorldsMatch(scene.destination, untouched, variant.name + " nothing selected");
            expectWorldsMatch(scene.scratch, untouched, variant.name + " nothing selected, scratch");
        }
    }
}

TEST(BlurTest, RadiusOneAndAnEmptySelectionChangeNothing) {
    vmhost::Host host(hostWithWorkers(2));
    checkRadiusOneAndEmptySelection<PF_Pixel16>(host);
    checkRadiusOneAndEmptySelection<PF_PixelFloat>(host);
}

// Rows of four pixels: selected, selected, unselected, selected.
template <class Pixel>
void checkKeepDivision(vmhost::Host& host, BlurDirection direction) {
    const bool horizontal = direction == BlurDirection::Horizontal;
    const A_long width = horizontal ? 4 : 1, height = horizontal ? 1 : 4;
    const PF_LRect area = {0, 0, width, height};
    const Pixel values[4] = {pixelOf<Pixel>(1, 1, 1, 1), pixelOf<Pixel>(1, 0.8, 0.8, 0.8),
                             pixelOf<Pixel>(1, 0.5, 0.5, 0.5), pixelOf<Pixel>(0.5, 0, 0.2, 0.1)};
    for (const BlurVariant<Pixel>& variant : blurVariants<Pixel>()) {
        BlurScene<Pixel> scene(width, height, area);
        for (int i = 0; i < 4; ++i) (horizontal ? scene.source.at(i, 0) : scene.source.at(0, i)) = values[i];
        scene.mask = makeMask(&host.inData(), width, height,
                              [&](std::int32_t x, std::int32_t y) { return (horizontal ? x : y) != 2; });
        scene.prepareTargets();
        ASSERT_EQ(PF_Err_NONE, scene.run(variant, &host.inData(), 0.0, {50, 50, 50, 50}, 1));
        const Pixel& fourth = horizontal ? scene.destination.at(3, 0) : scene.destination.at(0, 3);
        if (variant.keepDivision) {
            EXPECT_TRUE(samePixel(fourth, values[3])) << variant.name << ": " << describe(fourth);
        } else {
            for (int c = 0; c < 4; ++c) {
                EXPECT_GT(channelOf(fourth, c), channelOf(values[3], c)) << variant.name << " channel " << c;
            }
        }
        const Pixel& third = horizontal ? scene.destination.at(2, 0) : scene.destination.at(0, 2);
        EXPECT_TRUE(samePixel(third, markerPixel<Pixel>())) << variant.name;
    }
}

TEST(BlurTest, KeepDivisionDoesNotReachAcrossUnselectedPixels) {
    vmhost::Host host(hostWithWorkers(2));
    for (BlurDirection direction : {BlurDirection::Horizontal, BlurDirection::Vertical}) {
        checkKeepDivision<PF_Pixel16>(host, direction);
        checkKeepDivision<PF_PixelFloat>(host, direction);
    }
}

// [opaque, transparent, transparent, transparent] with a window of one pixel either side.
template <class Pixel>
void checkTransparentNeighbours(vmhost::Host& host) {
    const PF_LRect area = {0, 0, 4, 1};
    const Pixel opaque = pixelOf<Pixel>(0.75, 0.2, 0.4, 0.6);
    const Pixel transparent = pixelOf<Pixel>(0, 0.9, 0.1, 0.3);
    for (const BlurVariant<Pixel>& variant : blurVariants<Pixel>()) {
        BlurScene<Pixel> scene(4, 1, area);
        scene.source.at(0, 0) = opaque;
        for (A_long x = 1; x < 4; ++x) scene.source.at(x, 0) = transparent;
        scene.mask = makeMask(&host.inData(), 4, 1, [](std::int32_t, std::int32_t) { return true; });
        scene.prepareTargets();
        ASSERT_EQ(PF_Err_NONE, scene.run(variant, &host.inData(), 0.0, {2, 2, 2, 2}, 1));
        const TestWorld<Pixel>& out = scene.destination;

        // Only transparent pixels besides itself: alpha blurred, colour its own.
        EXPECT_LT(channelOf(out.at(0, 0), 0), channelOf(opaque, 0)) << variant.name;
        EXPECT_GT(channelOf(out.at(0, 0), 0), ChannelOf<Pixel>(0)) << variant.name;
        // A transparent pixel next to the opaque one takes its colour from it alone.
        EXPECT_GT(channelOf(out.at(1, 0), 0), ChannelOf<Pixel>(0)) << variant.name;
        for (int c = 1; c < 4; ++c) {
            EXPECT_EQ(channelOf(out.at(0, 0), c), channelOf(opaque, c)) << variant.name;
            EXPECT_EQ(channelOf(out.at(1, 0), c), channelOf(opaque, c)) << variant.name;
        }
        // Transparent pixels among transparent ones stay transparent and keep their colour.
        for (A_long x : {2, 3}) EXPECT_TRUE(samePixel(out.at(x, 0), transparent)) << variant.name << " x " << x;
    }
}

TEST(BlurTest, TransparentPixelsGiveNoColour) {
    vmhost::Host host(hostWithWorkers(2));
    checkTransparentNeighbours<PF_Pixel16>(host);
    checkTransparentNeighbours<PF_PixelFloat>(host);
}

TEST(BlurTest, FloatAgreesWith16BitWithinQuantisation) {
    vmhost::Host host(hostWithWorkers(2));
    std::mt19937 random(6);
    const PF_LRect area = {0, 0, 150, 24};
    BlurScene<PF_Pixel16> deep(150, 24, area);
    BlurScene<PF_PixelFloat> real(150, 24, area);
    fillRandom(deep.source, random, 0.1);
    for (A_long y = 0; y < 24; ++y) {
        for (A_long x = 0; x < 150; ++x) {
            for (int c = 0; c < 4; ++c) {
                setChannel(real.source.at(x, y), c, channelOf(deep.source.at(x, y), c) / 32768.0f);
            }
        }
    }
    deep.mask = makeRandomRunMask(&host.inData(), 150, 24, random);
    real.mask = deep.mask;
    const std::vector<BlurCase> cases = {{0.0, {4, 7, 3, 12}, 1}, {3.0, {30, 2, 9, 40}, 3}};
    for (std::size_t v = 0; v < 4; ++v) {
        for (const BlurCase& blur : cases) {
            deep.prepareTargets();
            real.prepareTargets();
            ASSERT_EQ(PF_Err_NONE,
                      deep.run(blurVariants<PF_Pixel16>()[v], &host.inData(), blur.aspect, blur.radii, blur.repeatCount));
            ASSERT_EQ(PF_Err_NONE, real.run(blurVariants<PF_PixelFloat>()[v], &host.inData(), blur.aspect, blur.radii,
                                            blur.repeatCount));
            // Integer passes round (or truncate) once or twice per pass.
            const double tolerance = 2.0 * (blur.repeatCount + 1);
            double worst = 0;
            for (A_long y = 0; y < 24; ++y) {
                for (A_long x = 0; x < 150; ++x) {
                    if (deep.mask.row(y)[x] == 0) continue;
                    for (int c = 0; c < 4; ++c) {
                        const double difference = std::fabs(channelOf(real.destination.at(x, y), c) * 32768.0 -
                                                            channelOf(deep.destination.at(x, y), c));
                        worst = std::max(worst, difference);
                    }
                }
            }
            EXPECT_LE(worst, tolerance) << blurVariants<PF_Pixel16>()[v].name << " repeat " << blur.repeatCount;
        }
    }
}

template <class Pixel>
std::vector<TestWorld<Pixel>> blurWithWorkers(int workers) {
    vmhost::Host host(hostWithWorkers(workers));
    std::mt19937 random(7);
    const PF_LRect area = {1, 2, 60, 45};
    std::vector<TestWorld<Pixel>> results;
    for (const BlurVariant<Pixel>& variant : blurVariants<Pixel>()) {
        BlurScene<Pixel> scene(61, 47, area);
        fillRandom(scene.source, random, 0.1);
        scene.mask = makeRandomRunMask(&host.inData(), 59, 43, random);
        scene.prepareTargets();
        EXPECT_EQ(PF_Err_NONE, scene.run(variant, &host.inData(), -0.5, {5, 3, 11, 2}, 3));
        results.push_back(scene.destination);
    }
    return results;
}

template <class Pixel>
void expectBitIdentical(const std::vector<TestWorld<Pixel>>& a, const std::vector<TestWorld<Pixel>>& b, int workers) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        bool same = true;
        for (A_long y = 0; y < a[i].height(); ++y) {
            for (A_long x = 0; x < a[i].width(); ++x) same = same && samePixel(a[i].at(x, y), b[i].at(x, y));
        }
        EXPECT_TRUE(same) << blurVariants<Pixel>()[i].name << " with " << workers << " workers";
    }
}

TEST(BlurTest, ResultsDoNotDependOnTheNumberOfWorkers) {
    const auto deepAlone = blurWithWorkers<PF_Pixel16>(1);
    const auto realAlone = blurWithWorkers<PF_PixelFloat>(1);
    for (int workers : {2, 7}) {
        expectBitIdentical(deepAlone, blurWithWorkers<PF_Pixel16>(workers), workers);
        expectBitIdentical(realAlone, blurWithWorkers<PF_PixelFloat>(workers), workers);
    }
}

TEST(BlurTest, RepeatCountZeroCopiesTheSelectedPixels) {
    vmhost::Host host(hostWithWorkers(2));
    std::mt19937 random(8);
    const PF_LRect area = {0, 0, 13, 7};
    BlurScene<PF_Pixel16> scene(13, 7, area);
    fillRandom(scene.source, random, 0.3);
    scene.mask = makeRandomRunMask(&host.inData(), 13, 7, random);
    scene.prepareTargets();
    const TestWorld<PF_Pixel16> expected = scene.destination;
    for (A_long y = 0; y < 7; ++y) {
        for (A_long x = 0; x < 13; ++x) {
            if (scene.mask.row(y)[x] != 0) scene.destination.at(x, y) = PF_Pixel16{1, 2, 3, 4};
        }
    }
    ProgressMeter progress(&host.inData(), 2);
    ASSERT_EQ(PF_Err_NONE, scene.run(blurVariants<PF_Pixel16>()[0], &host.inData(), 0.0, {5, 5, 5, 5}, 0, &progress));
    expectWorldsMatch(scene.destination, expected, "repeat 0");
    EXPECT_EQ(0, host.interaction().progressCalls());
}

}  // namespace
