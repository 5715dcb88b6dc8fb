#include "tests/render/baseline/BlendRamp.h"

namespace baseline {

float rampCurve(float t, std::int32_t curve) {
    const float c = static_cast<float>(curve);
    if (curve >= 0) return (c * t * t * t + (100.0f - c) * t) / 100.0f;
    const float u = 1.0f - t;
    return 1.0f - (-c * u * u * u + (100.0f + c) * u) / 100.0f;
}

}  // namespace baseline
