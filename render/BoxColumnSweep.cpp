#include "render/BoxColumnSweep.h"

#include "render/BlurArithmetic.h"
#include "render/ColumnRunEights.h"
#include "render/ColumnRunLanes.h"
#include "render/PixelTraits.h"
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

}  // namespace

template <class Pixel>
void sweepBoxColumns(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count) {
    if (task.keepDivision) {
        if constexpr (std::is_same<Pixel, PF_Pixel16>::value) {
            if (sweepColumnRunsByEights(task, first, count)) return;
        }
        sweepColumnRunsByLanes<Pixel>(task, first, count);
    } else {
        sweepWholeColumns<Pixel>(task, first, count);
    }
}

template bool canSweepBoxColumns<PF_Pixel16>(const BlurTask<BoxWindowSet>&, std::int32_t, std::int32_t);
template bool canSweepBoxColumns<PF_PixelFloat>(const BlurTask<BoxWindowSet>&, std::int32_t, std::int32_t);
template void sweepBoxColumns<PF_Pixel16>(const BlurTask<BoxWindowSet>&, std::int32_t, std::int32_t);
template void sweepBoxColumns<PF_PixelFloat>(const BlurTask<BoxWindowSet>&, std::int32_t, std::int32_t);
