#include "render/BoxColumnSweep.h"

#include "render/BlurArithmetic.h"
#include "render/ColumnRunEights.h"
#include "render/PixelTraits.h"
#include "render/SelectedPositions.h"
#include "render/WorldPixels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <type_traits>
#include <vector>

namespace {

template <class Pixel>
using ChannelOf = typename PixelTraits<Pixel>::Channel;

template <class Pixel>
const ChannelOf<Pixel>* sourceRow(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t j) {
    return reinterpret_cast<const ChannelOf<Pixel>*>(
        worldPixel<Pixel>(*task.source, task.area.left + first, task.area.top + j));
}

template <class Pixel>
bool everyValueFinite(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count) {
    if constexpr (std::is_floating_point<ChannelOf<Pixel>>::value) {
        const std::int32_t height = task.area.bottom - task.area.top;
        for (std::int32_t j = 0; j < height; ++j) {
            const ChannelOf<Pixel>* row = sourceRow<Pixel>(task, first, j);
            // Any NaN or infinity makes the sum of the row non-finite (or overflows it to one).
            float sum = 0.0f;
            for (std::int32_t i = 0; i < kChannelsPerPixel * count; ++i) sum += row[i] * 0.0f;
            if (sum != 0.0f) return false;
        }
    }
    return true;
}

}  // namespace

template <class Pixel>
bool canSweepBoxColumns(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count) {
    return everyValueFinite<Pixel>(task, first, count);
}

namespace {

// The window sums of a band's columns: one per channel of every column (a lane).
template <class Pixel>
class ColumnWindows {
public:
    using Channel = ChannelOf<Pixel>;

    explicit ColumnWindows(std::int32_t columns)
        : sums_(static_cast<std::size_t>(kChannelsPerPixel) * columns, Sum(0)),
          counts_(static_cast<std::size_t>(kChannelsPerPixel) * columns, 0) {}

    // A selected pixel of column x enters (+1) or leaves (-1) the window of channel c. One
    // that does not count for the channel would add a zero, which changes no sum: skipped.
    void slide(std::int32_t x, int c, const Channel* pixel, int direction) {
        if (direction > 0) {
            enter(x, c, pixel);
        } else {
            leave(x, c, pixel);
        }
    }
    void enter(std::int32_t x, int c, const Channel* pixel) {
        if (c != kAlphaChannel && PixelTraits<Pixel>::isTransparent(pixel[kAlphaChannel])) return;
        sums_[laneOf(x, c)] += Math::toValue(pixel[c]);
        ++counts_[laneOf(x, c)];
    }
    void leave(std::int32_t x, int c, const Channel* pixel) {
        if (c != kAlphaChannel && PixelTraits<Pixel>::isTransparent(pixel[kAlphaChannel])) return;
        sums_[laneOf(x, c)] -= Math::toValue(pixel[c]);
        --counts_[laneOf(x, c)];
    }
    void restart(std::int32_t x, int c) {
        sums_[laneOf(x, c)] = Sum(0);
        counts_[laneOf(x, c)] = 0;
    }
    // The window's mean into the pixel's channel, unless nothing in the window counts.
    void writeMean(std::int32_t x, int c, Channel* pixels, const QuotientTable& quotients) const {
        const std::size_t lane = laneOf(x, c);
        if (counts_[lane] != 0) pixels[lane] = Math::box(sums_[lane], counts_[lane], quotients);
    }

private:
    using Math = BlurArithmetic<Channel>;
    using Sum = typename Math::WindowSum;
    static std::size_t laneOf(std::int32_t x, int c) { return static_cast<std::size_t>(kChannelsPerPixel) * x + c; }

    std::vector<Sum> sums_;
    std::vector<std::int32_t> counts_;
};

template <class Pixel>
std::array<std::int32_t, kChannelsPerPixel> reachesOf(const BlurTask<BoxWindowSet>& task) {
    std::array<std::int32_t, kChannelsPerPixel> reach;
    for (int c = 0; c < kChannelsPerPixel; ++c) reach[c] = std::max(task.kernels[c] - 1, 0);
    return reach;
}

// Without keep-division: every window spans its whole column.
template <class Pixel>
void sweepWholeColumns(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count) {
    using Channel = ChannelOf<Pixel>;
    const std::int32_t height = task.area.bottom - task.area.top;
    ColumnWindows<Pixel> windows(count);
    const auto reach = reachesOf<Pixel>(task);
    // The selected pixels of row j enter (+1) or leave (-1) the windows of channel c.
    auto slide = [&](int c, std::int32_t j, int direction) {
        const Channel* from = sourceRow<Pixel>(task, first, j);
        const std::uint8_t* selected = task.mask.row(j) + first;
        for (std::int32_t x = 0; x < count; ++x) {
            if (selected[x] != 0) windows.slide(x, c, from + kChannelsPerPixel * x, direction);
        }
    };

    for (int c = 0; c < kChannelsPerPixel; ++c) {
        for (std::int32_t j = 0; j <= std::min(reach[c], height - 1); ++j) slide(c, j, +1);
    }
    for (std::int32_t y = 0; y < height; ++y) {
        if (y > 0) {
            for (int c = 0; c < kChannelsPerPixel; ++c) {
                if (y - reach[c] - 1 >= 0) slide(c, y - reach[c] - 1, -1);
                if (y + reach[c] < height) slide(c, y + reach[c], +1);
            }
        }
        if (task.mask.rowFlags[y] == 0) continue;
        Channel* to = reinterpret_cast<Channel*>(
            worldPixel<Pixel>(*task.destination, task.area.left + first, task.area.top + y));
        const std::uint8_t* selected = task.mask.row(y) + first;
        for (std::int32_t x = 0; x < count; ++x) {
            if (selected[x] == 0) continue;
            for (int c = 0; c < kChannelsPerPixel; ++c) windows.writeMean(x, c, to, *task.quotients);
        }
    }
}

// The band's rows from its first column, so that a window step finds its pixel and mask
// byte without address arithmetic.
template <class Pixel>
struct BandRows {
    std::vector<const ChannelOf<Pixel>*> pixels;
    std::vector<const std::uint8_t*> mask;

    BandRows(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t height)
        : pixels(static_cast<std::size_t>(height)), mask(static_cast<std::size_t>(height)) {
        for (std::int32_t j = 0; j < height; ++j) {
            pixels[j] = sourceRow<Pixel>(task, first, j);
            mask[j] = task.mask.row(j) + first;
        }
    }
};

}  // namespace

// Keep-division: every window stops at the ends of its column's run of selected pixels. Each
// run starts its sums afresh from the rows its first window reaches, then slides them within
// the run, as the line blur does with a run of a line.
template <class Pixel>
void sweepColumnRunsByLanes(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count) {
    using Channel = ChannelOf<Pixel>;
    const std::int32_t height = task.area.bottom - task.area.top;
    const QuotientTable& quotients = *task.quotients;
    ColumnWindows<Pixel> windows(count);
    const auto reach = reachesOf<Pixel>(task);
    const BandRows<Pixel> rows(task, first, height);
    // A window of one pixel gives that pixel's own value where it counts; for integer channels
    // that is a copy (a float sum would turn -0 into +0).
    std::array<bool, kChannelsPerPixel> ownValue;
    for (int c = 0; c < kChannelsPerPixel; ++c) ownValue[c] = std::is_integral<Channel>::value && reach[c] == 0;
    // Per lane, the last row of the run its window has reached; per column, the first row of
    // the run holding the current row and the last row the column was selected in.
    std::vector<std::int32_t> scannedUpTo(static_cast<std::size_t>(kChannelsPerPixel) * count, -1);
    std::vector<std::int32_t> runStart(static_cast<std::size_t>(count), -1);
    std::vector<std::int32_t> lastSelected(static_cast<std::size_t>(count), -2);

    for (std::int32_t y = 0; y < height; ++y) {
        if (task.mask.rowFlags[y] == 0) continue;
        Channel* to = reinterpret_cast<Channel*>(
            worldPixel<Pixel>(*task.destination, task.area.left + first, task.area.top + y));
        // Unselected pixels only end runs, which the next selected pixel of the column sees.
        SelectedPositions positions(rows.mask[y], count);
        for (std::int32_t x; positions.next(x);) {
            const std::size_t at = static_cast<std::size_t>(kChannelsPerPixel) * x;  // the column in a row
            std::int32_t* scanned = &scannedUpTo[at];
            const bool runStarts = lastSelected[x] != y - 1;
            lastSelected[x] = y;
            if (runStarts) {
                // A run starts: each window takes the run's rows it reaches.
                runStart[x] = y;
                for (int c = 0; c < kChannelsPerPixel; ++c) {
                    if (ownValue[c]) continue;
                    windows.restart(x, c);
                    const std::int32_t last = std::min(y + reach[c], height - 1);
                    std::int32_t j = y;
                    for (; j <= last && rows.mask[j][x] != 0; ++j) windows.enter(x, c, rows.pixels[j] + at);
                    scanned[c] = j - 1;
                }
            } else {
                const std::int32_t start = runStart[x];
                for (int c = 0; c < kChannelsPerPixel; ++c) {
                    if (ownValue[c]) continue;
                    const std::int32_t leaving = y - reach[c] - 1, entering = y + reach[c];
                    if (leaving >= start) windows.leave(x, c, rows.pixels[leaving] + at);
                    if (entering < height && scanned[c] == entering - 1 && rows.mask[entering][x] != 0) {
                        windows.enter(x, c, rows.pixels[entering] + at);
                        scanned[c] = entering;
                    }
                }
            }
            const Channel* own = rows.pixels[y] + at;
            const bool ownColorCounts = !PixelTraits<Pixel>::isTransparent(own[kAlphaChannel]);
            for (int c = 0; c < kChannelsPerPixel; ++c) {
                if (!ownValue[c]) {
                    windows.writeMean(x, c, to, quotients);
                } else if (c == kAlphaChannel || ownColorCounts) {
                    to[at + c] = own[c];
                }
            }
        }
    }
}

template <class Pixel>
void sweepBoxColumns(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count) {
    if (task.keepDivision) {
        std::int32_t swept = 0;
        if constexpr (std::is_same<Pixel, PF_Pixel16>::value) swept = sweepColumnRunsByEights(task, first, count);
        sweepColumnRunsByLanes<Pixel>(task, first + swept, count - swept);
    } else {
        sweepWholeColumns<Pixel>(task, first, count);
    }
}

template bool canSweepBoxColumns<PF_Pixel16>(const BlurTask<BoxWindowSet>&, std::int32_t, std::int32_t);
template bool canSweepBoxColumns<PF_PixelFloat>(const BlurTask<BoxWindowSet>&, std::int32_t, std::int32_t);
template void sweepColumnRunsByLanes<PF_Pixel16>(const BlurTask<BoxWindowSet>&, std::int32_t, std::int32_t);
template void sweepColumnRunsByLanes<PF_PixelFloat>(const BlurTask<BoxWindowSet>&, std::int32_t, std::int32_t);
template void sweepBoxColumns<PF_Pixel16>(const BlurTask<BoxWindowSet>&, std::int32_t, std::int32_t);
template void sweepBoxColumns<PF_PixelFloat>(const BlurTask<BoxWindowSet>&, std::int32_t, std::int32_t);
