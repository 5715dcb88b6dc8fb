// Coverage ramps and the shape percent that sizes them.
#include "host/Host.h"
#include "render/BlendRamp.h"
#include "render/EdgeRunMeasures.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

template <class Weight>
std::vector<Weight> weightsOf(BlendRamp<Weight> ramp) {
    std::vector<Weight> weights;
    while (!ramp.done() && weights.size() < 100) weights.push_back(ramp.next());
    return weights;
}

using IntRamp = BlendRamp<std::uint32_t>;
using FloatRamp = BlendRamp<float>;
using Weights = std::vector<std::uint32_t>;

TEST(BlendRampTest, WeightsFallLinearlyAndTheLastTakesTheTriangleLeft) {
    // rampStep(3, 50) = 3276700 / 200 = 16383; each pixel gets the ramp's value halfway through
    // it, the last the area under what is left: 1 x 1 / (2 x 16383) = 0.
    EXPECT_EQ(16383u, rampStep<std::uint32_t>(3, 50));
    EXPECT_EQ((Weights{24576, 8193, 0}), weightsOf(IntRamp::stepRamp(3, 50, 0)));

    // The open ramp of a line end of length 1 at strength 70 starts at full weight and falls
    // twice as fast: 2 x 23405.
    EXPECT_EQ((Weights{42130, 3745}), weightsOf(IntRamp::openRamp(1, 70, 0)));

    // Shape percents of 0 or below count as 1: the ramp ends on its first pixel,
    // 32767 x 32767 / (2 x 819175) = 655.
    EXPECT_EQ(819175u, rampStep<std::uint32_t>(3, -16));
    EXPECT_EQ((Weights{655}), weightsOf(IntRamp::stepRamp(3, -16, 0)));

    // Chain ramps start at a third and at a half.
    EXPECT_EQ((Weights{15993, 4394}), weightsOf(IntRamp(21844, rampStep<std::uint32_t>(3, 70), 0)));

    // At very low strengths the open ramp's first step overshoots a full 65535, whose square
    // needs 64 bits: 65535 x 65535 / (2 x 3276700) = 655.
    EXPECT_EQ((Weights{655}), weightsOf(IntRamp::openRamp(1, 1, 0)));
    // A step of 0 (strengths far above 100) never ends the ramp; the walk's image edge does.
    IntRamp endless = IntRamp::stepRamp(1, 5000000, 0);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(32767u, endless.next());
    EXPECT_FALSE(endless.done());

    // Float ramps run on 0..1 with the same shape: 0.5 falls by 0.25 per pixel.
    EXPECT_FLOAT_EQ(0.25f, rampStep<float>(3, 50));
    const std::vector<float> floats = weightsOf(FloatRamp::stepRamp(3, 50, 0));
    ASSERT_EQ(2u, floats.size());
    EXPECT_FLOAT_EQ(0.375f, floats[0]);
    EXPECT_FLOAT_EQ(0.125f, floats[1]);
}

TEST(BlendRampTest, CurvesBendTheRampBetweenItsEnds) {
    for (float t : {0.0f, 0.3f, 1.0f}) EXPECT_FLOAT_EQ(t, rampCurve(t, 0));
    EXPECT_FLOAT_EQ(0.027f, rampCurve(0.3f, 100));
    EXPECT_FLOAT_EQ(1.0f - 0.343f, rampCurve(0.3f, -100));
    EXPECT_FLOAT_EQ(0.3125f, rampCurve(0.5f, 50));
    for (int c : {-100, -30, 30, 100}) {
        EXPECT_FLOAT_EQ(0.0f, rampCurve(0.0f, c));
        EXPECT_FLOAT_EQ(1.0f, rampCurve(1.0f, c));
    }
    // 24576 / 32767 cubed, of 32767: 13824; 8193 gives 512.
    EXPECT_EQ((Weights{13824, 512, 0}), weightsOf(IntRamp::stepRamp(3, 50, 100)));
}

TEST(ShapePercentTest, LongEvenStepsAreSmoothedMostAndLoneBlocksLeast) {
    vmhost::Host host{vmhost::HostConfig::checking()};
    const void* suite = nullptr;
    ASSERT_EQ(0, host.basicSuite()->AcquireSuite(kPFWorldSuite, kPFWorldSuiteVersion1, &suite));
    {
        EdgeFlagMap flags;  // no flags: no lone blocks anywhere
        ASSERT_EQ(PF_Err_NONE,
                  flags.create(*static_cast<const PF_WorldSuite1*>(suite), host.inData().effect_ref, 8, 8));
        EXPECT_EQ(50, shapePercent(flags, 70, 3, 3, StepSide::Left, 4, 4));
        EXPECT_EQ(83, shapePercent(flags, 70, 3, 1, StepSide::Right, 4, 4));
        EXPECT_EQ(0, shapePercent(flags, 70, 3, 6, StepSide::Up, 4, 4));
        EXPECT_EQ(-16, shapePercent(flags, 70, 3, 7, StepSide::Down, 4, 4));
        EXPECT_EQ(50, shapePercent(flags, 70, 1, 1, StepSide::Left, 4, 4));
    }
    host.basicSuite()->ReleaseSuite(kPFWorldSuite, kPFWorldSuiteVersion1);
}

}  // namespace
