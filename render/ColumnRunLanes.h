#pragma once
// The keep-division box pass down a band of columns, one selected pixel at a time: every
// column and channel (a lane) keeps its window sum, which slides from row to row within the
// column's run of selected pixels, so the world is read and written a row at a time. Each run
// starts its sums afresh from the rows its first window reaches, as the line blur does with a
// run of a line.

#include "render/BlurPass.h"

#include <cstdint>

// The pass over the columns [first, first + count) of the area. Instantiated for PF_Pixel16 and
// PF_PixelFloat.
template <class Pixel>
void sweepColumnRunsByLanes(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count);
