#pragma once
// Box passes for the common frame in which every pixel contributes to every window: all
// pixels selected, none transparent (and, in float, every value finite and of a sane size).
// Then every pass writes every pixel, a window's count only depends on where it lies in the
// line, and whole rows can be summed at once: horizontal passes through prefix sums (16-bit)
// or one running sum per channel (float), vertical passes through column sums that rows
// enter and leave. The sums take the same values as the line blur's (integer sums are exact;
// float sums see the same operations in the same order), so the results are the same bits.

#include "hostapi/HostApi.h"
#include "render/BlurPass.h"
#include "render/SelectionMask.h"

// The first, horizontal pass of a box blur. Rows in which every pixel is selected and counts
// (EveryPixelCounts.h) take the fast way,
// the others the line blur. `everyPixelContributes` tells whether every row did: then every
// later pass of the blur may run as runUniformBoxPass. Lines longer than 32767 pixels, whose
// 16-bit sums need more than 31 bits, always take the line blur.
template <class Pixel>
PF_Err runFirstBoxPass(PF_InData* inData, A_long iterations, const BlurTask<BoxWindowSet>& task,
                       bool& everyPixelContributes);

// One box pass of such a blur; returns the result of iterate_generic. `task.keepDivision`
// and `task.quotients` are not needed: the only run of every line is the whole line.
template <class Pixel>
PF_Err runUniformBoxPass(PF_InData* inData, A_long iterations, const BlurTask<BoxWindowSet>& task,
                         BlurDirection direction);
