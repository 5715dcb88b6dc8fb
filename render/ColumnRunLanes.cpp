#include "render/ColumnRunLanes.h"

#include "render/BlurArithmetic.h"
#include "render/PixelTraits.h"
#include "render/SelectedPositions.h"
#include "render/WorldPixels.h"

#include <algorithm>
#include <array>
#include <type_traits>
#include <vector>

namespace {

// The state of the pass over a band.
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

    std::int32_t height() const { return height_; }
    const std::uint8_t* maskRow(std::int32_t y) const { return maskRows_[y]; }

private:
    static std::size_t laneOf(std::int32_t x, int c) { return static_cast<std::size_t>(kChannelsPerPixel) * x + c; }
    // Column x is selected in row y and was not in row y - 1: its windows take the run's rows
    // they reach.
    void startRun(std::int32_t x, std::int32_t y);
    void enter(std::size_t lane, int c, const Channel* pixel);
    void leave(std::size_t lane, int c, const Channel* pixel);

    const QuotientTable& quotients_;
    const std::int32_t height_;
    // Per channel: how many rows its windows reach on either side, and whether a window of one
    // pixel copies that pixel's value where it counts (integer channels; a float sum would
    // turn -0 into +0), so that the channel keeps no sums.
    std::array<std::int32_t, kChannelsPerPixel> reach_;
    std::array<bool, kChannelsPerPixel> ownValue_;
    // The band's rows from its first column, so that a window step finds its pixel and mask
    // byte without address arithmetic.
    std::vector<const Channel*> pixelRows_;
    std::vector<const std::uint8_t*> maskRows_;
    // Per lane: the window's sum and count, and the last row of the run it has reached; per
    // column: the first row of the run holding the current row and the last row it was selected in.
    std::vector<Sum> sums_;
    std::vector<std::int32_t> counts_, scannedUpTo_;
    std::vector<std::int32_t> runStart_, lastSelected_;
};


template <class Pixel>
ColumnRunLanes<Pixel>::ColumnRunLanes(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count)
    : quotients_(*task.quotients),
      height_(task.area.bottom - task.area.top),
      pixelRows_(static_cast<std::size_t>(height_)),
      maskRows_(static_cast<std::size_t>(height_)),
      sums_(static_cast<std::size_t>(kChannelsPerPixel) * count, Sum(0)),
      counts_(static_cast<std::size_t>(kChannelsPerPixel) * count, 0),
      scannedUpTo_(static_cast<std::size_t>(kChannelsPerPixel) * count, -1),
      runStart_(static_cast<std::size_t>(count), -1),
      lastSelected_(static_cast<std::size_t>(count), -2) {
    for (int c = 0; c < kChannelsPerPixel; ++c) {
        reach_[c] = std::max(task.kernels[c] - 1, 0);
        ownValue_[c] = std::is_integral<Channel>::value && reach_[c] == 0;
    }
    for (std::int32_t j = 0; j < height_; ++j) {
        pixelRows_[j] = reinterpret_cast<const Channel*>(
            worldPixel<Pixel>(*task.source, task.area.left + first, task.area.top + j));
        maskRows_[j] = task.mask.row(j) + first;
    }
}

// A pixel that does not count for the channel would add a zero, which changes no sum: skipped.
template <class Pixel>
void ColumnRunLanes<Pixel>::enter(std::size_t lane, int c, const Channel* pixel) {
    if (c != kAlphaChannel && PixelTraits<Pixel>::isTransparent(pixel[kAlphaChannel])) return;
    sums_[lane] += BlurArithmetic<Channel>::toValue(pixel[c]);
    ++counts_[lane];
}

template <class Pixel>
void ColumnRunLanes<Pixel>::leave(std::size_t lane, int c, const Channel* pixel) {
    if (c != kAlphaChannel && PixelTraits<Pixel>::isTransparent(pixel[kAlphaChannel])) return;
    sums_[lane] -= BlurArithmetic<Channel>::toValue(pixel[c]);
    --counts_[lane];
}

template <class Pixel>
void ColumnRunLanes<Pixel>::startRun(std::int32_t x, std::int32_t y) {
    lastSelected_[x] = y;
    runStart_[x] = y;
    const std::size_t at = laneOf(x, 0);
    for (int c = 0; c < kChannelsPerPixel; ++c) {
                if (ownValue_[c]) continue;
        sums_[at + c] = Sum(0);
        counts_[at + c] = 0;
        const std::int32_t last = std::min(y + reach_[c], height_ - 1);
        std::int32_t j = y;
        for (; j <= last && maskRows_[j][x] != 0; ++j) enter(at + c, c, pixelRows_[j] + at);
        scannedUpTo_[at + c] = j - 1;
    }
}

template <class Pixel>
void ColumnRunLanes<Pixel>::visit(std::int32_t x, std::int32_t y, Channel* to) {
    const std::size_t at = laneOf(x, 0);
    if (lastSelected_[x] != y - 1) {
        startRun(x, y);
    } else {
        lastSelected_[x] = y;
        for (int c = 0; c < kChannelsPerPixel; ++c) {
            if (ownValue_[c]) continue;
            const std::int32_t leaving = y - reach_[c] - 1, entering = y + reach_[c];
            if (leaving >= runStart_[x]) leave(at + c, c, pixelRows_[leaving] + at);
            if (entering < height_ && scannedUpTo_[at + c] == entering - 1 && maskRows_[entering][x] != 0) {
                enter(at + c, c, pixelRows_[entering] + at);
                scannedUpTo_[at + c] = entering;
            }
        }
    }
    const Channel* own = pixelRows_[y] + at;
    const bool ownColorCounts = !PixelTraits<Pixel>::isTransparent(own[kAlphaChannel]);
    for (int c = 0; c < kChannelsPerPixel; ++c) {
        if (!ownValue_[c]) {
            // The window's mean, unless nothing in the window counts.
            if (counts_[at + c] != 0) {
                to[at + c] = BlurArithmetic<Channel>::box(sums_[at + c], counts_[at + c], quotients_);
            }
        } else if (c == kAlphaChannel || ownColorCounts) {
            to[at + c] = own[c];
        }
    }
}

}  // namespace

template <class Pixel>
void sweepColumnRunsByLanes(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count) {
    using Channel = typename ColumnRunLanes<Pixel>::Channel;
    ColumnRunLanes<Pixel> lanes(task, first, count);
    for (std::int32_t y = 0; y < lanes.height(); ++y) {
        if (task.mask.rowFlags[y] == 0) continue;
        Channel* to = reinterpret_cast<Channel*>(
            worldPixel<Pixel>(*task.destination, task.area.left + first, task.area.top + y));
        // Unselected pixels only end runs, which the next selected pixel of the column sees.
        forEachSelected(lanes.maskRow(y), count, [&](std::int32_t x) { lanes.visit(x, y, to); });
    }
}

template void sweepColumnRunsByLanes<PF_Pixel16>(const BlurTask<BoxWindowSet>&, std::int32_t, std::int32_t);
template void sweepColumnRunsByLanes<PF_PixelFloat>(const BlurTask<BoxWindowSet>&, std::int32_t, std::int32_t);
