#pragma once
// What every step of one edge smoothing call works with: the flag map, the source picture,
// the log its blends go to and the per-call weights. Steps read flags and source pixels only;
// the log applies their blends to the destination in the order they were decided.

#include "render/BlendWeights.h"
#include "render/EdgeBlendLog.h"
#include "render/EdgeFlagMap.h"
#include "render/EdgeSmoothDepth.h"
#include "render/PixelArithmetic.h"
#include "render/WorldPixels.h"

#include <cstdint>

template <class Pixel>
class EdgeSmoothContext {
public:
    using Weight = typename EdgeSmoothDepth<Pixel>::Weight;
    using Scale = WeightScale<Weight>;

    EdgeSmoothContext(const EdgeFlagMap& flags, const PF_EffectWorld& source, EdgeBlendLog<Pixel>& log,
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
          log_(log) {}

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

    // Moves the destination's (x, y) toward a colour.
    void blend(int x, int y, const Pixel& colour, Weight w) const { log_.blend(x, y, colour, w); }
    // Moves the destination's (x, y) back toward its own source value.
    void restore(int x, int y, Weight w) const { log_.blend(x, y, in(x, y), w); }
    // Averages the destination's (x, y) at full weight with `mean`.
    void average(int x, int y, const PixelAccumulator<Pixel>& mean) const { log_.average(x, y, mean); }

    bool R(int x, int y) const { return flags.R(x, y); }
    bool D(int x, int y) const { return flags.D(x, y); }
    bool G(int x, int y) const { return flags.G(x, y); }
    bool A(int x, int y) const { return flags.A(x, y); }

private:
    const PF_EffectWorld& source_;
    EdgeBlendLog<Pixel>& log_;
};
