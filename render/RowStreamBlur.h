#pragma once
// The blur of a frame in which every pixel is selected and counts (EveryPixelCounts.h), as one
// stream of rows. Every pixel counts, so the channels never meet: each runs on its own, its
// passes chained so that a row goes through all of them while it is in cache (ChannelStream).
// Where all four have the same narrow box windows (the small-radius path's blur), they go as
// one stream of rows of whole pixels, read and written as the frame holds them, without parting
// and joining channels. Passes that are the identity (radius 1) drop out. Each worker renders a
// band of rows and computes the rows its vertical windows reach beyond the band itself. Integer
// frames get the pass-by-pass blur's bytes (integer sums are exact in any order), and so do
// float frames with Gaussian kernels of at most 100 sizes (their sums are taken afresh for
// every pixel, in the same order). Float box windows sum in double from wherever the band
// starts and multiply by the reciprocal of their count: each float is the pass-by-pass blur's,
// or one step (ulp) away where the double falls within its rounding of the point between two
// floats. Wider float Gaussians, whose flat tail would do the same, stay with the pass-by-pass
// blur.
//
// With small windows on integer frames, bands go in tiles: a tile whose source, with every
// column and row its windows reach, holds one value gets that value (a mean of equal values is
// the value, exactly), and the others stream with the pixels they reach.
//
// Likewise a channel that holds one value over every row a band reads (the alpha of an opaque
// frame) goes through as it is, without its passes (OneValueChannels.h); the band takes every
// pass again from its first unwritten row where a row it reads holds another value.

#include "hostapi/HostApi.h"
#include "render/BlurPlan.h"
#include "render/SelectionMask.h"

#include <cstdint>

enum class StreamKernel { Box, Gaussian };

// Whether the stream takes this blur of a frame of depth Pixel over `area` (lines up to 32767
// pixels, whose window sums of 16-bit values fit in 31 bits; float Gaussian kernels up to 100).
template <class Pixel>
bool canStreamBlur(StreamKernel kernel, const PF_LRect& area, double aspect, const ChannelRadii& radii,
                   std::int32_t repeatCount);

// The blur of `source` into `destination` (another world) over `area`, with the passes
// planBlurPasses gives. 8-bit frames blur in 16 bits: their values are widened on reading and
// narrowed on writing as the render driver's conversions do. With `counted` given, the
// source is not known to count: every row is checked as it is read (in cache, saving a read of
// the frame), and the first pixel that does not count stops the stream everywhere, with
// *counted false and the destination unfinished. Returns the result of iterate_generic;
// reports no progress. Instantiated for PF_Pixel8, PF_Pixel16 and PF_PixelFloat.
template <class Pixel>
PF_Err streamBlur(PF_InData* inData, A_long iterations, StreamKernel kernel, const PF_EffectWorld& source,
                  PF_EffectWorld& destination, const PF_LRect& area, double aspect, const ChannelRadii& radii,
                  std::int32_t repeatCount, bool* counted = nullptr);

// Whether streamMaskedBlur takes this blur: box windows on 8-bit and 16-bit frames, where
// canStreamBlur would take it.
template <class Pixel>
bool canStreamMaskedBlur(StreamKernel kernel, const PF_LRect& area, double aspect, const ChannelRadii& radii,
                         std::int32_t repeatCount);

// The box blur of the selected pixels of `source` into `destination`: each window holds the
// selected pixels within its reach, with keepDivision only those of the run of selected pixels
// holding the pixel; unselected pixels of `destination` get the values of `unselectedSource`.
// Needs every selected pixel to count (checkEverySelectedPixelCounts): a mean of counting
// values counts too, and every window holds at least its own pixel, so the channels stay apart
// as in streamBlur. Gives the pass-by-pass box blur's bytes. Returns the result of
// iterate_generic; reports no progress. Instantiated for PF_Pixel8, PF_Pixel16 and
// PF_PixelFloat (which it never takes).
template <class Pixel>
PF_Err streamMaskedBlur(PF_InData* inData, A_long iterations, const PF_EffectWorld& source,
                        const PF_EffectWorld& unselectedSource, PF_EffectWorld& destination, const PF_LRect& area,
                        const SelectionMask& mask, bool keepDivision, double aspect, const ChannelRadii& radii,
                        std::int32_t repeatCount);
