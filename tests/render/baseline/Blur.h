#pragma once
// The blur as it was first written, kept as the reference that the effect's faster blur is
// checked against pixel for pixel (DifferentialBlurTest). Not built into the effect.
//
// The separable, per-channel, selection-aware blur: alternating horizontal and vertical
// passes (BlurPlan), each a pixel task (BlurPass) over the lines of the area.
//
// All four functions take the same arguments:
//   destination  receives the result;
//   iterations   the count for iterate_generic (-1: once per processor);
//   source       read only;
//   scratch      same size and depth, the other ping-pong buffer;
//   area, mask   the pixels to process and which of them are selected;
//   aspect       -100..100, stretching the blur horizontally (> 0) or vertically (< 0);
//   radii        alpha, red, green, blue, each at least 1;
//   repeatCount  n: n + 1 passes, the last one writing `destination`;
//   progress     reported after every pass; may be null.
// At every selected pixel, destination and scratch must hold the input's values when the
// call starts; unselected pixels are neither read nor written. A non-zero result of a pass
// or of a progress report ends the call at once and is returned.
//
// Instantiated for PF_Pixel16 (8-bit and 16-bit frames) and PF_PixelFloat.

#include "hostapi/HostApi.h"
#include "render/BlurPlan.h"
#include "render/ProgressMeter.h"
#include "render/SelectionMask.h"

#include <cstdint>

namespace baseline {

// Gaussian kernels; every selected pixel within reach contributes.
template <class Pixel>
PF_Err gaussianBlur(PF_EffectWorld* destination, PF_InData* inData, A_long iterations, PF_EffectWorld* source,
                    PF_EffectWorld* scratch, const PF_LRect& area, const SelectionMask& mask, double aspect,
                    const ChannelRadii& radii, std::int32_t repeatCount, ProgressMeter* progress);

// Gaussian kernels limited to the run of selected pixels that holds the pixel.
template <class Pixel>
PF_Err gaussianBlurKeepDivision(PF_EffectWorld* destination, PF_InData* inData, A_long iterations,
                                PF_EffectWorld* source, PF_EffectWorld* scratch, const PF_LRect& area,
                                const SelectionMask& mask, double aspect, const ChannelRadii& radii,
                                std::int32_t repeatCount, ProgressMeter* progress);

// Equal weights; every selected pixel within reach contributes.
template <class Pixel>
PF_Err boxBlur(PF_EffectWorld* destination, PF_InData* inData, A_long iterations, PF_EffectWorld* source,
               PF_EffectWorld* scratch, const PF_LRect& area, const SelectionMask& mask, double aspect,
               const ChannelRadii& radii, std::int32_t repeatCount, ProgressMeter* progress);

// Equal weights limited to the run of selected pixels that holds the pixel.
template <class Pixel>
PF_Err boxBlurKeepDivision(PF_EffectWorld* destination, PF_InData* inData, A_long iterations, PF_EffectWorld* source,
                           PF_EffectWorld* scratch, const PF_LRect& area, const SelectionMask& mask, double aspect,
                           const ChannelRadii& radii, std::int32_t repeatCount, ProgressMeter* progress);

}  // namespace baseline
