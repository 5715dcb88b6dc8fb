#pragma once
// The blend weights of the edge smoothing pass on the two weight scales: integers on
// 0..65535 for the 8-bit and 16-bit depths, floats on 0..1 for the float depth.

#include <algorithm>
#include <cstdint>

namespace baseline {

template <class Weight>
struct WeightScale;

template <>
struct WeightScale<std::uint32_t> {
    static constexpr std::uint32_t kFull = 65535;
    static constexpr std::uint32_t kThreeQuarters = 49151;
    static constexpr std::uint32_t kHalf = 32767;
    static constexpr std::uint32_t kThird = 21844;
    static constexpr std::uint32_t kSixth = 10922;
    static constexpr std::uint32_t kTenth = 6553;

    // The faint share two pixels of a lone edge piece give each other: a tenth at 70 % and
    // above, less below.
    static std::uint32_t touchWeight(std::uint32_t strength) {
        if (strength >= 70) return kTenth;
        const float share = 1.0f - static_cast<float>(70 - strength) / 70.0f;
        return static_cast<std::uint32_t>(share * static_cast<float>(kTenth));
    }
    // The weight of each edge neighbour when a spike is averaged; held to the scale so that
    // strengths far above 100 cannot overflow the blend.
    static std::uint32_t cornerWeight(std::uint32_t strength) {
        const std::uint64_t weight = std::uint64_t(strength) * 32767u / 200u;
        return static_cast<std::uint32_t>(std::min<std::uint64_t>(weight, kFull));
    }
};

template <>
struct WeightScale<float> {
    static constexpr float kFull = 1.0f;
    static constexpr float kThreeQuarters = 0.75f;
    static constexpr float kHalf = 0.5f;
    static constexpr float kThird = 1.0f / 3.0f;
    static constexpr float kSixth = 0.5f / 3.0f;
    static constexpr float kTenth = 0.1f;

    static float touchWeight(std::uint32_t strength) {
        if (strength >= 70) return kTenth;
        return (1.0f - static_cast<float>(70 - strength) / 70.0f) * kTenth;
    }
    static float cornerWeight(std::uint32_t strength) {
        return std::min(static_cast<float>(strength) * 0.5f / 200.0f, kFull);
    }
};

}  // namespace baseline
