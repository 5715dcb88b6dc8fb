#pragma once
// The keep-division box pass of 16-bit bands (BoxColumnSweep) eight columns at a time: each
// channel's windows of eight neighbouring columns slide in one vector, the pixels' channels
// taken apart as rows are read and put back together as they are written. Every lane's
// conditions (does a row leave its window, does one enter, does the pixel count) are masks
// rather than branches, and the means come from the reciprocals QuotientTable uses. The bytes
// are those of sweepColumnRunsByLanes.

#include "render/BlurPass.h"

#include <cstdint>

// The pass over the whole eights of the columns [first, first + count) of the area, the
// columns [first, first + n) for the n it returns: 0, with nothing written, where the processor
// lacks AVX2 or the area is too tall for the sums of 32-bit lanes.
std::int32_t sweepColumnRunsByEights(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count);
