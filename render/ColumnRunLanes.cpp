#include "render/ColumnRunLanes.h"

#include "render/SelectedPositions.h"
#include "render/WorldPixels.h"

#include <algorithm>
#include <type_traits>

template <class Pixel>
ColumnRunLanes<Pixel>::ColumnRunLanes(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count)
    : task(task),
      first(first),
      count(count),
      height(task.area.bottom - task.area.top),
      pixelRows(static_cast<std::size_t>(height)),
      maskRows(static_cast<std::size_t>(height)),
      sums(static_cast<std::size_t>(kChannelsPerPixel) * count, Sum(0)),
      counts(static_cast<std::size_t>(kChannelsPerPixel) * count, 0),
      scannedUpTo(static_cast<std::size_t>(kChannelsPerPixel) * count, -1),
      runStart(static_cast<std::size_t>(kChannelsPerPixel) * count, -1),
      lastSelected(static_cast<std::size_t>(count), -2) {
    for (int c = 0; c < kChannelsPerPixel; ++c) {
        reach[c] = std::max(task.kernels[c] - 1, 0);
        ownValue[c] = std::is_integral<Channel>::value && reach[c] == 0;
    }
    for (std::int32_t j = 0; j < height; ++j) {
        pixelRows[j] = reinterpret_cast<const Channel*>(
            worldPixel<Pixel>(*task.source, task.area.left + first, task.area.top + j));
        maskRows[j] = task.mask.row(j) + first;
    }
}

// A pixel that does not count for the channel would add a zero, which changes no sum: skipped.
template <class Pixel>
void ColumnRunLanes<Pixel>::enter(std::size_t lane, int c, const Channel* pixel) {
    if (c != kAlphaChannel && PixelTraits<Pixel>::isTransparent(pixel[kAlphaChannel])) return;
    sums[lane] += BlurArithmetic<Channel>::toValue(pixel[c]);
    ++counts[lane];
}

template <class Pixel>
void ColumnRunLanes<Pixel>::leave(std::size_t lane, int c, const Channel* pixel) {
    if (c != kAlphaChannel && PixelTraits<Pixel>::isTransparent(pixel[kAlphaChannel])) return;
    sums[lane] -= BlurArithmetic<Channel>::toValue(pixel[c]);
    --counts[lane];
}

template <class Pixel>
void ColumnRunLanes<Pixel>::startRun(std::int32_t x, std::int32_t y) {
    lastSelected[x] = y;
    const std::size_t at = laneOf(x, 0);
    for (int c = 0; c < kChannelsPerPixel; ++c) {
        runStart[at + c] = y;
        if (ownValue[c]) continue;
        sums[at + c] = Sum(0);
        counts[at + c] = 0;
        const std::int32_t last = std::min(y + reach[c], height - 1);
        std::int32_t j = y;
        for (; j <= last && maskRows[j][x] != 0; ++j) enter(at + c, c, pixelRows[j] + at);
        scannedUpTo[at + c] = j - 1;
    }
}

template <class Pixel>
void ColumnRunLanes<Pixel>::visit(std::int32_t x, std::int32_t y, Channel* to) {
    const std::size_t at = laneOf(x, 0);
    if (lastSelected[x] != y - 1) {
        startRun(x, y);
    } else {
        lastSelected[x] = y;
        for (int c = 0; c < kChannelsPerPixel; ++c) {
            if (ownValue[c]) continue;
            const std::int32_t leaving = y - reach[c] - 1, entering = y + reach[c];
            if (leaving >= runStart[at + c]) leave(at + c, c, pixelRows[leaving] + at);
            if (entering < height && scannedUpTo[at + c] == entering - 1 && maskRows[entering][x] != 0) {
                enter(at + c, c, pixelRows[entering] + at);
                scannedUpTo[at + c] = entering;
            }
        }
    }
    const Channel* own = pixelRows[y] + at;
    const bool ownColorCounts = !PixelTraits<Pixel>::isTransparent(own[kAlphaChannel]);
    for (int c = 0; c < kChannelsPerPixel; ++c) {
        if (!ownValue[c]) {
            // The window's mean, unless nothing in the window counts.
            if (counts[at + c] != 0) {
                to[at + c] = BlurArithmetic<Channel>::box(sums[at + c], counts[at + c], *task.quotients);
            }
        } else if (c == kAlphaChannel || ownColorCounts) {
            to[at + c] = own[c];
        }
    }
}

template <class Pixel>
void sweepColumnRunsByLanes(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count) {
    using Channel = typename ColumnRunLanes<Pixel>::Channel;
    ColumnRunLanes<Pixel> lanes(task, first, count);
    for (std::int32_t y = 0; y < lanes.height; ++y) {
        if (task.mask.rowFlags[y] == 0) continue;
        Channel* to = reinterpret_cast<Channel*>(
            worldPixel<Pixel>(*task.destination, task.area.left + first, task.area.top + y));
        // Unselected pixels only end runs, which the next selected pixel of the column sees.
        forEachSelected(lanes.maskRows[y], count, [&](std::int32_t x) { lanes.visit(x, y, to); });
    }
}

template class ColumnRunLanes<PF_Pixel16>;
template class ColumnRunLanes<PF_PixelFloat>;
template void sweepColumnRunsByLanes<PF_Pixel16>(const BlurTask<BoxWindowSet>&, std::int32_t, std::int32_t);
template void sweepColumnRunsByLanes<PF_PixelFloat>(const BlurTask<BoxWindowSet>&, std::int32_t, std::int32_t);
