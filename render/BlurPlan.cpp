#include "render/BlurPlan.h"

#include <algorithm>
#include <cmath>

namespace {

struct DirectionRadii {
    ChannelRadii radius;
    ChannelRadii root;  // radius^(1/n): the factor by which each later pass shrinks it
};

DirectionRadii scaledRadii(const ChannelRadii& radii, double factor, std::int32_t repeatCount) {
    DirectionRadii result;
    for (std::size_t c = 0; c < radii.size(); ++c) {
        const double r = radii[c] * factor;
        result.radius[c] = r;
        result.root[c] = repeatCount > 1 ? std::pow(r, 1.0 / repeatCount) : r;
    }
    return result;
}

void shrink(DirectionRadii& radii) {
    for (std::size_t c = 0; c < radii.radius.size(); ++c) {
        radii.radius[c] = std::max(radii.radius[c] / radii.root[c], 1.0);
    }
}

}  // namespace

std::vector<BlurPassPlan> planBlurPasses(double aspect, const ChannelRadii& radii, std::int32_t repeatCount) {
    std::vector<BlurPassPlan> passes;
    if (repeatCount < 1) return passes;

    const double horizontalFactor = aspect > 0 ? 1.0 + aspect : 1.0;
    const double verticalFactor = aspect < 0 ? 1.0 - aspect : 1.0;
    DirectionRadii horizontal = scaledRadii(radii, horizontalFactor, repeatCount);
    DirectionRadii vertical = scaledRadii(radii, verticalFactor, repeatCount);

    passes.push_back({1, BlurDirection::Horizontal, horizontal.radius});
    passes.push_back({2, BlurDirection::Vertical, vertical.radius});
    for (std::int32_t k = 1; k < repeatCount; ++k) {
        shrink(horizontal);
        shrink(vertical);
        if (k % 2 == 1) {
            passes.push_back({k + 2, BlurDirection::Horizontal, horizontal.radius});
        } else {
            passes.push_back({k + 2, BlurDirection::Vertical, vertical.radius});
        }
    }
    return passes;
}

std::int32_t kernelSizeOf(double radius) {
    // Radii are at least 1 by contract; anything else (NaN included) leaves the pixel alone.
    if (!(radius > 1.0)) return 1;
    constexpr double kLargest = 1 << 30;
    return static_cast<std::int32_t>(std::min(std::ceil(radius), kLargest));
}
