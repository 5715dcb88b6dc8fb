#pragma once
// The vertical box pass as one sweep down the rows of a band of columns: every column and
// channel keeps its window sum, which slides from row to row, so the world is read and
// written a row at a time instead of being gathered column by column. The sums take the
// same values in the same order as the line blur's, so the results are the same to the bit,
// float included. With keep-division the windows stop at the ends of each column's run of
// selected pixels; 16-bit bands take eight columns at a time where the processor has AVX2
// (ColumnRunEights).

#include "render/BlurPass.h"

#include <cstdint>

// Whether the sweep gives the line blur's results for the columns [first, first + count):
// float columns holding NaN or infinities stay with the line blur, whose window sums keep
// them in their windows; everything else sweeps.
template <class Pixel>
bool canSweepBoxColumns(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count);

// The pass over the columns [first, first + count) of the area. Instantiated for PF_Pixel16
// and PF_PixelFloat.
template <class Pixel>
void sweepBoxColumns(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count);

// The keep-division pass a selected pixel at a time, on any processor. Instantiated for
// PF_Pixel16 and PF_PixelFloat.
template <class Pixel>
void sweepColumnRunsByLanes(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count);
