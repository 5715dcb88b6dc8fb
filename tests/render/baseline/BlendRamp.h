#pragma once
// Coverage ramps of the edge smoothing pass: a weight that falls linearly from a start value
// to 0, one step per pixel of a walk, optionally bent by a cubic curve.

#include "tests/render/baseline/BlendWeights.h"

#include <algorithm>
#include <cstdint>
#include <type_traits>

namespace baseline {

// The cubic bend of a ramp value t in 0..1 by c percent (-100..100); 0 keeps it linear.
float rampCurve(float t, std::int32_t curve);

// The step that takes a ramp from half weight to 0 over k percent of n + 1 pixels; a k of 0
// or below counts as 1.
template <class Weight>
Weight rampStep(std::int64_t n, std::int64_t k) {
    const std::int64_t pixels = std::max<std::int64_t>(1, k) * (n + 1);
    if constexpr (std::is_floating_point_v<Weight>) {
        return WeightScale<Weight>::kHalf * 100.0f / static_cast<float>(pixels);
    } else {
        return static_cast<Weight>(std::int64_t(WeightScale<Weight>::kHalf) * 100 / pixels);
    }
}

template <class Weight>
class BlendRamp {
    static constexpr bool kFloat = std::is_floating_point_v<Weight>;
    // Signed, so that the last step can take the ramp below 0.
    using Value = std::conditional_t<kFloat, float, std::int64_t>;

public:
    BlendRamp(Weight full, Weight step, std::int32_t curve) : full_(full), current_(full), step_(step), curve_(curve) {}

    // The ramp of a staircase step of n pixels, shaped to k percent.
    static BlendRamp stepRamp(std::int64_t n, std::int64_t k, std::int32_t curve) {
        return BlendRamp(WeightScale<Weight>::kHalf, rampStep<Weight>(n, k), curve);
    }
    // The ramp that fades the open end of a one-pixel line of compressed length n: it starts
    // at full weight and falls twice as fast.
    static BlendRamp openRamp(std::int64_t n, std::int64_t strength, std::int32_t curve) {
        return BlendRamp(WeightScale<Weight>::kFull, 2 * rampStep<Weight>(n, strength), curve);
    }

    bool done() const { return done_; }

    // The weight for the next pixel of the walk; 0 once the ramp is done.
    Weight next() {
        if (done_) return Weight(0);
        const Value prev = current_;
        current_ -= step_;
        Value value;
        if (current_ <= 0) {
            // The last pixel gets the area of the triangle left under the ramp.
            done_ = true;
            value = prev * prev / (2 * step_);
        } else {
            value = prev - halfStep();
        }
        if (curve_ != 0) value = bend(value);
        // Very low strengths give steps long enough to leave the weight scale.
        return static_cast<Weight>(std::clamp<Value>(value, 0, WeightScale<Weight>::kFull));
    }

private:
    Value halfStep() const {
        if constexpr (kFloat) return step_ / 2;
        else return step_ >> 1;
    }
    Value bend(Value value) const {
        const float t = static_cast<float>(value) / static_cast<float>(full_);
        return static_cast<Value>(rampCurve(t, curve_) * static_cast<float>(full_));
    }

    bool done_ = false;
    Value full_;
    Value current_;
    Value step_;
    std::int32_t curve_;
};

}  // namespace baseline
