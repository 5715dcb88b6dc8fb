#pragma once
// The keep-division box pass of 16-bit bands (ColumnRunLanes) two neighbouring pixels at a
// time: their eight lanes take each row's window steps at once, every lane's conditions (does
// a row leave its window, does one enter, does the pixel count) held as masks rather than
// branches, and the means come from the same reciprocals QuotientTable uses. Where a run
// starts, and in a band's odd last column, ColumnRunLanes takes the pixel. The bytes are those
// of sweepColumnRunsByLanes.

#include "render/BlurPass.h"

#include <cstdint>

// The pass over the columns [first, first + count) of the area; false, with nothing written,
// where the processor lacks AVX2 or the area is too tall for the sums of 32-bit lanes.
bool sweepColumnRunsByPairs(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count);
