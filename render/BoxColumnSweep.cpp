#include "render/BoxColumnSweep.h"

#include "render/BlurArithmetic.h"
#include "render/PixelTraits.h"
#include "render/WorldPixels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
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

// Without keep-division: every window spans its whole column.
template <class Pixel>
void sweepWholeColumns(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count) {
    using Channel = ChannelOf<Pixel>;
    using Traits = PixelTraits<Pixel>;
    using Math = BlurArithmetic<Channel>;
    using Sum = typename Math::WindowSum;
    const std::int32_t height = task.area.bottom - task.area.top;
    const std::size_t lanes = static_cast<std::size_t>(kChannelsPerPixel) * count;
    std::vector<Sum> sums(lanes, Sum(0));
    std::vector<std::int32_t> counts(lanes, 0);

    // Row j enters (+1) or leaves (-1) the windows of channel c. Pixels that do not
    // contribute would add zeros, which change no sum, so they are passed over.
    auto slide = [&](int c, std::int32_t j, int direction) {
        const Channel* from = sourceRow<Pixel>(task, first, j);
        const std::uint8_t* selected = task.mask.row(j) + first;
        Sum* sum = sums.data() + c;
        std::int32_t* n = counts.data() + c;
        for (std::int32_t x = 0; x < count; ++x) {
            const Channel* pixel = from + kChannelsPerPixel * x;
            if (selected[x] == 0 || (c != kAlphaChannel && Traits::isTransparent(pixel[kAlphaChannel]))) continue;
            const std::size_t lane = static_cast<std::size_t>(kChannelsPerPixel) * x;
            if (direction > 0) {
                sum[lane] += Math::toValue(pixel[c]);
                ++n[lane];
            } else {
                sum[lane] -= Math::toValue(pixel[c]);
                --n[lane];
            }
        }
    };

    std::array<std::int32_t, kChannelsPerPixel> reach;
    for (int c = 0; c < kChannelsPerPixel; ++c) {
        reach[c] = std::max(task.kernels[c] - 1, 0);
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
            for (int c = 0; c < kChannelsPerPixel; ++c) {
                const std::size_t lane = static_cast<std::size_t>(kChannelsPerPixel) * x + c;
                if (counts[lane] != 0) to[lane] = Math::box(sums[lane], counts[lane], *task.quotients);
            }
        }
    }
}

// Keep-division: every window stops at the ends of its column's run of selected pixels. Each
// run starts its sums afresh from the rows its first window reaches, then slides them within
// the run, as the line blur does with a run of a line.
template <class Pixel>
void sweepColumnRuns(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count) {
    using Channel = ChannelOf<Pixel>;
    using Traits = PixelTraits<Pixel>;
    using Math = BlurArithmetic<Channel>;
    using Sum = typename Math::WindowSum;
    const std::int32_t height = task.area.bottom - task.area.top;
    const std::size_t lanes = static_cast<std::size_t>(kChannelsPerPixel) * count;
    std::vector<Sum> sums(lanes, Sum(0));
    std::vector<std::int32_t> counts(lanes, 0);
    std::vector<std::int32_t> scannedUpTo(lanes, -1);  // the last row of the run the lane's window has reached
    std::vector<std::int32_t> runStart(static_cast<std::size_t>(count), -1);  // -1: row y is not selected
    std::array<std::int32_t, kChannelsPerPixel> reach;
    for (int c = 0; c < kChannelsPerPixel; ++c) reach[c] = std::max(task.kernels[c] - 1, 0);

    auto selected = [&](std::int32_t x, std::int32_t j) { return task.mask.row(j)[first + x] != 0; };
    // Row j of the run (selected) enters (+1) or leaves (-1) the window of lane (x, c).
    auto slide = [&](std::int32_t x, int c, std::int32_t j, int direction) {
        const Channel* pixel = sourceRow<Pixel>(task, first, j) + kChannelsPerPixel * x;
        if (c != kAlphaChannel && Traits::isTransparent(pixel[kAlphaChannel])) return;
        const std::size_t lane = static_cast<std::size_t>(kChannelsPerPixel) * x + c;
        if (direction > 0) {
            sums[lane] += Math::toValue(pixel[c]);
            ++counts[lane];
        } else {
            sums[lane] -= Math::toValue(pixel[c]);
            --counts[lane];
        }
    };

    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint8_t* selectedRow = task.mask.row(y) + first;
        Channel* to = reinterpret_cast<Channel*>(
            worldPixel<Pixel>(*task.destination, task.area.left + first, task.area.top + y));
        for (std::int32_t x = 0; x < count; ++x) {
            if (selectedRow[x] == 0) {
                runStart[x] = -1;
                continue;
            }
            const bool starts = runStart[x] < 0;
            if (starts) runStart[x] = y;
            for (int c = 0; c < kChannelsPerPixel; ++c) {
                const std::size_t lane = static_cast<std::size_t>(kChannelsPerPixel) * x + c;
                if (starts) {
                    sums[lane] = Sum(0);
                    counts[lane] = 0;
                    std::int32_t j = y;
                    for (; j <= std::min(y + reach[c], height - 1) && selected(x, j); ++j) slide(x, c, j, +1);
                    scannedUpTo[lane] = j - 1;
                } else {
                    const std::int32_t leaving = y - reach[c] - 1, entering = y + reach[c];
                    if (leaving >= runStart[x]) slide(x, c, leaving, -1);
                    if (entering < height && scannedUpTo[lane] == entering - 1 && selected(x, entering)) {
                        slide(x, c, entering, +1);
                        scannedUpTo[lane] = entering;
                    }
                }
                if (counts[lane] != 0) to[lane] = Math::box(sums[lane], counts[lane], *task.quotients);
            }
        }
    }
}

}  // namespace

template <class Pixel>
void sweepBoxColumns(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count) {
    if (task.keepDivision) {
        sweepColumnRuns<Pixel>(task, first, count);
    } else {
        sweepWholeColumns<Pixel>(task, first, count);
    }
}

template bool canSweepBoxColumns<PF_Pixel16>(const BlurTask<BoxWindowSet>&, std::int32_t, std::int32_t);
template bool canSweepBoxColumns<PF_PixelFloat>(const BlurTask<BoxWindowSet>&, std::int32_t, std::int32_t);
template void sweepBoxColumns<PF_Pixel16>(const BlurTask<BoxWindowSet>&, std::int32_t, std::int32_t);
template void sweepBoxColumns<PF_PixelFloat>(const BlurTask<BoxWindowSet>&, std::int32_t, std::int32_t);
