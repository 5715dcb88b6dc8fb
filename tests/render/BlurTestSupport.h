#pragma once
// The four blur functions as a table, and a scene to run them on: source, destination and
// scratch worlds larger than the area, with unselected and outside pixels set to a marker.

#include "render/Blur.h"
#include "tests/render/RenderTestSupport.h"

#include <array>
#include <string>

enum class KernelKind { Gaussian, Box };

template <class Pixel>
using BlurFunction = PF_Err (*)(PF_EffectWorld*, PF_InData*, A_long, PF_EffectWorld*, PF_EffectWorld*, const PF_LRect&,
                                const SelectionMask&, double, const ChannelRadii&, std::int32_t, ProgressMeter*);

template <class Pixel>
struct BlurVariant {
    std::string name;
    BlurFunction<Pixel> function;
    KernelKind kind;
    bool keepDivision;
};

template <class Pixel>
std::array<BlurVariant<Pixel>, 4> blurVariants() {
    return {{{"gaussianBlur", &gaussianBlur<Pixel>, KernelKind::Gaussian, false},
             {"gaussianBlurKeepDivision", &gaussianBlurKeepDivision<Pixel>, KernelKind::Gaussian, true},
             {"boxBlur", &boxBlur<Pixel>, KernelKind::Box, false},
             {"boxBlurKeepDivision", &boxBlurKeepDivision<Pixel>, KernelKind::Box, true}}};
}

// A value no blur can produce from the scene's data, for pixels that must stay untouched.
template <class Pixel>
Pixel markerPixel() {
    Pixel pixel{};
    for (int c = 0; c < 4; ++c) {
        if constexpr (std::is_same<ChannelOf<Pixel>, float>::value) {
            setChannel(pixel, c, -7.25f - c);
        } else {
            setChannel(pixel, c, static_cast<ChannelOf<Pixel>>(0xBEE0 + c));
        }
    }
    return pixel;
}

template <class Pixel>
struct BlurScene {
    BlurScene(A_long worldWidth, A_long worldHeight, const PF_LRect& area)
        : area(area),
          source(worldWidth, worldHeight),
          destination(worldWidth, worldHeight),
          scratch(worldWidth, worldHeight) {}

    // Destination and scratch: the source at selected pixels, the marker everywhere else,
    // as the render driver prepares them.
    void prepareTargets() {
        for (A_long y = 0; y < source.height(); ++y) {
            for (A_long x = 0; x < source.width(); ++x) {
                const bool inside = x >= area.left && x < area.right && y >= area.top && y < area.bottom;
                const bool selected = inside && mask.row(y - area.top)[x - area.left] != 0;
                destination.at(x, y) = selected ? source.at(x, y) : markerPixel<Pixel>();
                scratch.at(x, y) = destination.at(x, y);
            }
        }
    }

    PF_Err run(const BlurVariant<Pixel>& variant, PF_InData* inData, double aspect, const ChannelRadii& radii,
               std::int32_t repeatCount, ProgressMeter* progress = nullptr) {
        return variant.function(destination.world(), inData, PF_Iterations_ONCE_PER_PROCESSOR, source.world(),
                                scratch.world(), area, mask, aspect, radii, repeatCount, progress);
    }

    PF_LRect area;
    SelectionMask mask;
    TestWorld<Pixel> source;
    TestWorld<Pixel> destination;
    TestWorld<Pixel> scratch;
};
