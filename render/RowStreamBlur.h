#pragma once
// The blur of a frame in which every pixel is selected and counts (EveryPixelCounts.h), as one
// stream of rows. Every pixel counts, so the channels never meet: each runs on its own, its
// passes chained so that a row goes through all of them while it is in cache (ChannelStream).
// Passes that are the identity (radius 1) drop out. Each worker renders a band of rows and
// computes the rows its vertical windows reach beyond the band itself, so the stream takes
// only what gives the pass-by-pass blur's bytes whatever the order: integer frames with box
// or Gaussian kernels (integer sums are exact), and float frames with Gaussian kernels of at
// most 100 sizes (their sums are taken afresh for every pixel; a wider kernel's flat tail and
// the box slide their float sums down whole columns, which the bands would split).

#include "hostapi/HostApi.h"
#include "render/BlurPlan.h"

#include <cstdint>

enum class StreamKernel { Box, Gaussian };

// Whether the stream takes this blur of a frame of depth Pixel over `area` (lines up to 32767
// pixels, whose window sums of 16-bit values fit in 31 bits).
template <class Pixel>
bool canStreamBlur(StreamKernel kernel, const PF_LRect& area, double aspect, const ChannelRadii& radii,
                   std::int32_t repeatCount);

// The blur of `source` into `destination` (another world) over `area`, with the passes
// planBlurPasses gives. 8-bit frames blur in 16 bits: their values are widened on reading and
// narrowed on writing as the render driver's conversions do. Returns the result of
// iterate_generic; reports no progress. Instantiated for PF_Pixel8, PF_Pixel16 and
// PF_PixelFloat.
template <class Pixel>
PF_Err streamBlur(PF_InData* inData, A_long iterations, StreamKernel kernel, const PF_EffectWorld& source,
                  PF_EffectWorld& destination, const PF_LRect& area, double aspect, const ChannelRadii& radii,
                  std::int32_t repeatCount);
