// Coverage ramps. Their steps, shapes and bends are held to the first pass by the differential
// smoothing test; what its picture sizes never reach stays here.
#include "render/BlendRamp.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(BlendRampTest, AStepOfZeroNeverEndsTheRamp) {
    // The step rounds to 0 once k x (n + 1) passes 3276700 (at 100 percent, a staircase step of
    // 32767 pixels, far longer than any test picture): the ramp then stays at half weight and
    // the walk's image edge ends it.
    using IntRamp = BlendRamp<std::uint32_t>;
    EXPECT_EQ(0u, rampStep<std::uint32_t>(1, 5000000));
    IntRamp endless = IntRamp::stepRamp(1, 5000000, 0);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(32767u, endless.next());
    EXPECT_FALSE(endless.done());
}

}  // namespace
