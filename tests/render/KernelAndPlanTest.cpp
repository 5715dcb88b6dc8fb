// Gaussian kernels in fixed point, and the pass sequence of a blur call.
#include "render/BlurPlan.h"
#include "render/GaussKernel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

std::vector<int> weightsOf(const GaussKernel& kernel) {
    return std::vector<int>(kernel.weights.get(), kernel.weights.get() + kernel.count);
}

TEST(GaussKernelTest, FixedPointWeightsSumExactlyToOne) {
    // Truncation leaves 3 units short; they go to the centre (1) and the first side weight (2 x 1).
    EXPECT_EQ((std::vector<int>{12506, 8018, 2113}), weightsOf(makeGaussKernel(3, 9.0 / 8.0)));
    EXPECT_EQ((std::vector<int>{2886, 2856, 2770, 2632, 2450, 2235, 1998}), weightsOf(makeGaussKernel(7, 49.0)));
    for (std::int32_t size : {-3, 0, 1}) EXPECT_EQ(std::vector<int>{32768}, weightsOf(makeGaussKernel(size, 2.0)));

    for (std::int32_t size = 2; size <= 420; size += (size < 120 ? 1 : 37)) {
        for (double variance : {size * size / 8.0, double(size) * size, 0.3}) {
            const GaussKernel kernel = makeGaussKernel(size, variance);
            SCOPED_TRACE(testing::Message() << "size " << size << ", variance " << variance);
            std::int64_t sum = std::int64_t(2 * size - 1) * kernel.tail - kernel.weights[0];
            for (std::int32_t i = 0; i < kernel.count; ++i) sum += 2 * kernel.weights[i];
            EXPECT_EQ(32768, sum);
            EXPECT_EQ(std::min(size, 100), kernel.count);
            EXPECT_EQ((2 * size - 1) * kernel.tail, kernel.tailTotal);
            EXPECT_TRUE(size > 100 || kernel.tail == 0);
        }
    }

    // Beyond distance 99 every position weighs the tail, near the Gaussian's mean there.
    const int size = 300;
    const double variance = size * size / 8.0;
    const GaussKernel wide = makeGaussKernel(size, variance);
    double norm = -1.0, tailMean = 0.0;
    for (int i = 0; i < size; ++i) norm += 2 * std::exp(-0.5 * i * i / variance);
    for (int i = 100; i < size; ++i) tailMean += std::exp(-0.5 * i * i / variance) / norm / (size - 100);
    EXPECT_NEAR(tailMean * 32768, wide.tail, 1.0);
    for (int i = 1; i < 100; ++i) {
        EXPECT_NEAR(std::exp(-0.5 * i * i / variance) / norm * 32768, wide.weights[i] + wide.tail, 2.0) << i;
    }
}

TEST(BlurPlanTest, PassOrderAndRadii) {
    const auto H = BlurDirection::Horizontal, V = BlurDirection::Vertical;
    struct Case {
        double aspect, radius;
        std::int32_t repeat;
        std::vector<std::pair<BlurDirection, double>> passes;
    };
    const Case cases[] = {
        {0, 9, 1, {{H, 9}, {V, 9}}},
        {0, 9, 2, {{H, 9}, {V, 9}, {H, 3}}},
        {0, 8, 3, {{H, 8}, {V, 8}, {H, 4}, {V, 2}}},
        {0, 16, 4, {{H, 16}, {V, 16}, {H, 8}, {V, 4}, {H, 2}}},
        {3, 2, 1, {{H, 8}, {V, 2}}},
        {-3, 2, 1, {{H, 2}, {V, 8}}},
        {3, 2, 2, {{H, 8}, {V, 2}, {H, std::sqrt(8.0)}}},
        {0, 1, 3, {{H, 1}, {V, 1}, {H, 1}, {V, 1}}},  // shrinking, never below 1
        {0, 0.5, 2, {{H, 0.5}, {V, 0.5}, {H, 1}}},
        {0, 5, 0, {}},
    };
    for (const Case& test : cases) {
        const auto passes =
            planBlurPasses(test.aspect, {test.radius, test.radius, test.radius, test.radius}, test.repeat);
        SCOPED_TRACE(testing::Message() << "aspect " << test.aspect << ", radius " << test.radius << ", repeat "
                                        << test.repeat);
        ASSERT_EQ(test.passes.size(), passes.size());
        for (std::size_t i = 0; i < passes.size(); ++i) {
            EXPECT_EQ(static_cast<std::int32_t>(i + 1), passes[i].number);
            EXPECT_EQ(test.passes[i].first, passes[i].direction) << "pass " << i + 1;
            for (double r : passes[i].radii) EXPECT_NEAR(test.passes[i].second, r, 1e-9) << "pass " << i + 1;
        }
    }

    // Each channel keeps its own radius.
    const auto passes = planBlurPasses(1.0, {1, 4, 9, 16}, 2);
    ASSERT_EQ(3u, passes.size());
    EXPECT_EQ((ChannelRadii{2, 8, 18, 32}), passes[0].radii);
    EXPECT_EQ((ChannelRadii{1, 4, 9, 16}), passes[1].radii);
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(std::sqrt(passes[0].radii[c]), passes[2].radii[c], 1e-9);
}

}  // namespace
