#pragma once
// One one-dimensional pass of a blur as a pixel task: rows of the area for a horizontal
// pass, columns for a vertical one, each iteration taking its own band of lines.

#include "render/BlurKernels.h"
#include "render/BlurPlan.h"
#include "render/PixelTask.h"
#include "render/QuotientTable.h"

// The pass's task: `source` is read, `destination` written at selected pixels only.
// `clearUnselected` is not used.
template <class KernelSet>
struct BlurTask : PixelTask {
    KernelSet kernels;  // alpha, red, green, blue
    bool keepDivision = false;
    const QuotientTable* quotients = nullptr;  // divisors up to 32768 and the longest line
};

// Returns the result of iterate_generic. Lines whose mask flag is 0 are skipped. A
// vertical pass gathers each column into scratch arrays of its worker, blurs them and
// writes the column's selected pixels back. Instantiated for PF_Pixel16 and PF_PixelFloat
// with GaussKernelSet and BoxWindowSet.
template <class Pixel, class KernelSet>
PF_Err runBlurPass(PF_InData* inData, A_long iterations, const BlurTask<KernelSet>& task, BlurDirection direction);
