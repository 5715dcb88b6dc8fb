#pragma once
// What every step of one edge smoothing call works with: the flag map, the source and
// destination pictures and the per-call weights. Steps read flags and source pixels and blend
// into the destination at once, so later pixels see what earlier ones wrote.

#include "tests/render/baseline/BlendWeights.h"
#include "tests/render/baseline/EdgeFlagMap.h"
#include "tests/render/baseline/EdgeSmoothDepth.h"
#include "tests/render/baseline/PixelArithmetic.h"
#include "render/WorldPixels.h"

#include <cstdint>

namespace baseline {

template <class Pixel>
class EdgeSmoothContext {
public:
    using Weight = typename EdgeSmoothDepth<Pixel>::Weight;
    using Scale = WeightScale<Weight>;

    EdgeSmoothContext(const EdgeFlagMap& flags, const PF_EffectWorld& source, const PF_EffectWorld& destination,
                      std::uint32_t strength, std::int32_t curve)
        : flags(flags),
          width(source.width),
          height(source.height),
          strength(strength),
          curve(curve),
          curveThird(curve / 3),
          touchWeight(Scale::touchWeight(strength)),
          cornerWeight(Scale::cornerWeight(strength)),
          source_(source),
          destination_(destination) {}

    const EdgeFlagMap& flags;
    const std::int32_t width;
    const std::int32_t height;
    const std::int64_t strength;  // percent
    const std::int32_t curve;     // bend of the step and chain ramps
    const std::int32_t curveThird;  // bend of the line-end ramps
    const Weight touchWeight;
    const Weight cornerWeight;

    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    const Pixel& in(int x, int y) const { return *worldPixel<const Pixel>(source_, x, y); }
    Pixel& out(int x, int y) const { return *worldPixel<Pixel>(destination_, x, y); }

    // Moves out(x, y) toward a colour.
    void blend(int x, int y, const Pixel& colour, Weight w) const { mixPixel(out(x, y), colour, w); }
    // Moves out(x, y) back toward its own source value.
    void restore(int x, int y, Weight w) const { mixPixel(out(x, y), in(x, y), w); }

    bool R(int x, int y) const { return flags.R(x, y); }
    bool D(int x, int y) const { return flags.D(x, y); }
    bool G(int x, int y) const { return flags.G(x, y); }
    bool A(int x, int y) const { return flags.A(x, y); }

private:
    const PF_EffectWorld& source_;
    const PF_EffectWorld& destination_;
};

}  // namespace baseline
