#pragma once
// The keep-division box pass down a band of columns, one selected pixel at a time: every
// column and channel (a lane) keeps its window sum, which slides from row to row within the
// column's run of selected pixels, so the world is read and written a row at a time. Each run
// starts its sums afresh from the rows its first window reaches, as the line blur does with a
// run of a line. The state lies in flat arrays, one entry per lane, so that a vector step can
// take several lanes at once and leave the rest to the steps here.

#include "render/BlurArithmetic.h"
#include "render/BlurPass.h"
#include "render/PixelTraits.h"

#include <array>
#include <cstdint>
#include <vector>

template <class Pixel>
class ColumnRunLanes {
public:
    using Channel = typename PixelTraits<Pixel>::Channel;
    using Sum = typename BlurArithmetic<Channel>::WindowSum;

    // The columns [first, first + count) of the task's area.
    ColumnRunLanes(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count);

    // The selected pixel of column x in row y: its windows move to row y (afresh where a run
    // starts) and their means go into `to`, the destination row from the band's first column.
    void visit(std::int32_t x, std::int32_t y, Channel* to);
    // Column x is selected in row y and was not in row y - 1: its windows take the run's rows
    // they reach. Records y as the column's last selected row.
    void startRun(std::int32_t x, std::int32_t y);

    static std::size_t laneOf(std::int32_t x, int c) { return static_cast<std::size_t>(kChannelsPerPixel) * x + c; }

    const BlurTask<BoxWindowSet>& task;
    const std::int32_t first, count, height;
    // Per channel: how many rows its windows reach on either side, and whether a window of one
    // pixel copies that pixel's value where it counts (integer channels; a float sum would
    // turn -0 into +0), so that the channel keeps no sums.
    std::array<std::int32_t, kChannelsPerPixel> reach;
    std::array<bool, kChannelsPerPixel> ownValue;
    // The band's rows from its first column, so that a window step finds its pixel and mask
    // byte without address arithmetic.
    std::vector<const Channel*> pixelRows;
    std::vector<const std::uint8_t*> maskRows;
    // Per lane: the window's sum and count, the last row of the run it has reached, and the
    // first row of the run holding the current row (the same for the column's four lanes).
    std::vector<Sum> sums;
    std::vector<std::int32_t> counts, scannedUpTo, runStart;
    // Per column: the last row it was selected in.
    std::vector<std::int32_t> lastSelected;

private:
    void enter(std::size_t lane, int c, const Channel* pixel);
    void leave(std::size_t lane, int c, const Channel* pixel);
};

// The whole pass over the band, a pixel at a time. Instantiated for PF_Pixel16 and PF_PixelFloat.
template <class Pixel>
void sweepColumnRunsByLanes(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count);
