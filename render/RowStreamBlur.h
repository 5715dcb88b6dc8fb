#pragma once
// The box blur of a frame in which every pixel is selected and counts (EveryPixelCounts.h), in
// the integer depths, as one stream of rows. Every pixel counts, so the channels never meet:
// each runs on its own, its passes chained so that a row goes through all of them while it is
// in cache. A horizontal pass takes prefix sums across its row; a vertical one keeps a sum per
// column over the rows of its window and a ring of those rows to take them out again. Passes
// of reach 0 are the identity and drop out. Each worker renders a band of rows and computes
// the rows its vertical windows reach beyond the band itself. Integer sums do not depend on
// the order they are taken in, so the bytes are those of the blur run pass by pass.

#include "hostapi/HostApi.h"
#include "render/BlurPlan.h"

#include <cstdint>

// Whether the stream can take an area of this size: lines up to 32767 pixels, whose window
// sums of 16-bit values fit in 31 bits.
bool canStreamBoxBlur(const PF_LRect& area);

// The box blur of `source` into `destination` over `area` with the passes planBlurPasses gives
// for aspect, radii and repeat count; both worlds must be other worlds. Pixel is PF_Pixel16, or
// PF_Pixel8 for an 8-bit frame: its values are widened to 16 bits on reading and narrowed on
// writing as the render driver's conversions do, so the result is the driver's 8-bit result.
// Returns the result of iterate_generic; reports no progress.
template <class Pixel>
PF_Err streamBoxBlur(PF_InData* inData, A_long iterations, const PF_EffectWorld& source, PF_EffectWorld& destination,
                     const PF_LRect& area, double aspect, const ChannelRadii& radii, std::int32_t repeatCount);
