// Gaussian kernels in fixed point, and the pass sequence of a blur call.
#include "render/BlurKernels.h"
#include "render/BlurPlan.h"
#include "render/GaussKernel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

std::vector<int> weightsOf(const GaussKernel& kernel) {
    return std::vector<int>(kernel.weights.get(), kernel.weights.get() + kernel.count);
}

std::int64_t fullSum(const GaussKernel& kernel) {
    std::int64_t sum = static_cast<std::int64_t>(2 * kernel.size - 1) * kernel.tail - kernel.weights[0];
    for (std::int32_t i = 0; i < kernel.count; ++i) sum += 2 * kernel.weights[i];
    return sum;
}

TEST(GaussKernelTest, KnownKernels) {
    // Truncation leaves 3 units short; they go to the centre (1) and the first side weight (2 x 1).
    EXPECT_EQ((std::vector<int>{12506, 8018, 2113}), weightsOf(makeGaussKernel(3, 9.0 / 8.0)));
    EXPECT_EQ((std::vector<int>{2886, 2856, 2770, 2632, 2450, 2235, 1998}), weightsOf(makeGaussKernel(7, 49.0)));
    for (std::int32_t size : {-3, 0, 1}) {
        const GaussKernel identity = makeGaussKernel(size, 2.0);
        EXPECT_EQ(std::vector<int>{32768}, weightsOf(identity));
        EXPECT_EQ(1, identity.size);
        EXPECT_EQ(0, identity.tail);
    }
}

TEST(GaussKernelTest, FixedPointSumIsExactAndWideKernelsGetAFlatTail) {
    for (std::int32_t size = 2; size <= 420; size += (size < 120 ? 1 : 37)) {
        for (double variance : {size * size / 8.0, double(size) * size, 0.3}) {
            const GaussKernel kernel = makeGaussKernel(size, variance);
            SCOPED_TRACE(testing::Message() << "size " << size << ", variance " << variance);
            EXPECT_EQ(32768, fullSum(kernel));
            EXPECT_EQ(size, kernel.size);
            EXPECT_EQ(std::min(size, 100), kernel.count);
            EXPECT_EQ((2 * size - 1) * kernel.tail, kernel.tailTotal);
            if (size <= 100) {
                EXPECT_EQ(0, kernel.tail);
            }
        }
    }
    // Beyond distance 99 every position weighs the tail, close to the Gaussian's mean there.
    const std::int32_t size = 300;
    const double variance = size * size / 8.0;
    const GaussKernel wide = makeGaussKernel(size, variance);
    double norm = -1.0, tailMean = 0.0;
    for (int i = 0; i < size; ++i) norm += 2 * std::exp(-0.5 * i * i / variance);
    for (int i = 100; i < size; ++i) tailMean += std::exp(-0.5 * i * i / variance) / norm / (size - 100);
    EXPECT_GT(wide.tail, 0);
    EXPECT_NEAR(tailMean * 32768, wide.tail, 1.0);
    for (int i = 1; i < 100; ++i) {
        EXPECT_NEAR(std::exp(-0.5 * i * i / variance) / norm * 32768, wide.weights[i] + wide.tail, 2.0) << i;
    }
}

struct PlannedPass {
    BlurDirection direction;
    double radius;  // of every channel
};

void expectPlan(double aspect, double radius, std::int32_t repeat, const std::vector<PlannedPass>& expected) {
    const auto passes = planBlurPasses(aspect, {radius, radius, radius, radius}, repeat);
    SCOPED_TRACE(testing::Message() << "aspect " << aspect << ", radius " << radius << ", repeat " << repeat);
    ASSERT_EQ(expected.size(), passes.size());
    for (std::size_t i = 0; i < passes.size(); ++i) {
        EXPECT_EQ(static_cast<std::int32_t>(i + 1), passes[i].number);
        EXPECT_EQ(expected[i].direction, passes[i].direction) << "pass " << i + 1;
        for (double r : passes[i].radii) EXPECT_NEAR(expected[i].radius, r, 1e-9) << "pass " << i + 1;
    }
}

TEST(BlurPlanTest, PassOrderAndRadii) {
    const auto H = BlurDirection::Horizontal;
    const auto V = BlurDirection::Vertical;
    expectPlan(0, 9, 1, {{H, 9}, {V, 9}});
    expectPlan(0, 9, 2, {{H, 9}, {V, 9}, {H, 3}});
    expectPlan(0, 8, 3, {{H, 8}, {V, 8}, {H, 4}, {V, 2}});
    expectPlan(0, 16, 4, {{H, 16}, {V, 16}, {H, 8}, {V, 4}, {H, 2}});
    expectPlan(3, 2, 1, {{H, 8}, {V, 2}});
    expectPlan(-3, 2, 1, {{H, 2}, {V, 8}});
    expectPlan(3, 2, 2, {{H, 8}, {V, 2}, {H, 8 / std::sqrt(8.0)}});
    expectPlan(0, 1, 3, {{H, 1}, {V, 1}, {H, 1}, {V, 1}});  // never below 1
    expectPlan(0, 5, 0, {});

    // Each channel keeps its own radius.
    const auto passes = planBlurPasses(1.0, {1, 4, 9, 16}, 2);
    ASSERT_EQ(3u, passes.size());
    EXPECT_EQ((ChannelRadii{2, 8, 18, 32}), passes[0].radii);
    EXPECT_EQ((ChannelRadii{1, 4, 9, 16}), passes[1].radii);
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(std::sqrt(passes[0].radii[c]), passes[2].radii[c], 1e-9);
}

TEST(BlurPlanTest, KernelsOfAPass) {
    const BlurPassPlan first{1, BlurDirection::Horizontal, {2.5, 7, 7, 1}};
    const BlurPassPlan later{3, BlurDirection::Horizontal, {2.5, 7, 7, 1}};

    EXPECT_EQ((BoxWindowSet{3, 7, 7, 1}), makeBoxWindowSet(first));

    // Passes 1 and 2 use the variance r^2 / 8, later passes r^2.
    const GaussKernelSet narrow = makeGaussKernelSet(first);
    const GaussKernelSet wide = makeGaussKernelSet(later);
    EXPECT_EQ(weightsOf(makeGaussKernel(3, 2.5 * 2.5 / 8)), weightsOf(narrow[0]));
    EXPECT_EQ(weightsOf(makeGaussKernel(7, 49.0 / 8)), weightsOf(narrow[1]));
    EXPECT_EQ(weightsOf(makeGaussKernel(7, 49.0)), weightsOf(wide[1]));
    EXPECT_EQ(std::vector<int>{32768}, weightsOf(narrow[3]));
    EXPECT_EQ(narrow[1].weights.get(), narrow[2].weights.get()) << "equal radii share one table";
}

}  // namespace
