#pragma once
// The sequence of one-dimensional passes of a blur call: direction and per-channel radius
// of each pass. A blur with repeat count n runs n + 1 passes, alternating horizontal and
// vertical, the radii shrinking by their n-th root after the first two passes.

#include <array>
#include <cstdint>
#include <vector>

// Alpha, red, green, blue.
using ChannelRadii = std::array<double, 4>;

enum class BlurDirection { Horizontal, Vertical };

struct BlurPassPlan {
    std::int32_t number;  // 1-based; the Gaussian narrows its variance on passes 1 and 2
    BlurDirection direction;
    ChannelRadii radii;
};

// Aspect in -100..100: positive stretches horizontally (factor 1 + aspect), negative
// vertically (factor 1 - aspect). No passes for a repeat count below 1.
std::vector<BlurPassPlan> planBlurPasses(double aspect, const ChannelRadii& radii, std::int32_t repeatCount);

// The kernel size of a radius: ceil(r), never below 1.
std::int32_t kernelSizeOf(double radius);
