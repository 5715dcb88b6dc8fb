#include "render/UniformBoxPass.h"

#include "render/EveryPixelCounts.h"
#include "render/LineBlurrer.h"
#include "render/PixelTraits.h"
#include "render/WorldPixels.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstring>
#include <type_traits>
#include <vector>

namespace {

template <class Pixel>
using ChannelOf = typename PixelTraits<Pixel>::Channel;

template <class Pixel>
constexpr bool kIsFloat = std::is_floating_point<ChannelOf<Pixel>>::value;

constexpr std::int32_t kLongestUniformLine = 32767;  // 16-bit sums of such a window fit in 31 bits

using Reaches = std::array<std::int32_t, kChannelsPerPixel>;

// Each channel's reach, cut to the line: a window reaching past the whole line covers all
// of it from every position, as one reaching just that far does.
Reaches reachesOf(const BoxWindowSet& windows, std::int32_t length) {
    Reaches reaches;
    for (int c = 0; c < kChannelsPerPixel; ++c) reaches[c] = std::min(std::max(windows[c] - 1, 0), length);
    return reaches;
}

std::int32_t windowCount(std::int32_t x, std::int32_t reach, std::int32_t length) {
    return std::min(x + reach, length - 1) - std::max(x - reach, 0) + 1;
}

// The reciprocal of a count, rounded up one step (see QuotientTable for why that is exact).
double roundedUpReciprocal(std::int32_t n) { return std::nextafter(1.0 / n, 2.0); }

// Channels of equal reach slide together, as lanes that a mask picks out.
struct ReachGroup {
    std::int32_t reach;
    std::array<std::int32_t, kChannelsPerPixel> keep;  // 1 for the group's channels, else 0
};

std::vector<ReachGroup> groupByReach(const Reaches& reaches) {
    std::vector<ReachGroup> groups;
    for (int c = 0; c < kChannelsPerPixel; ++c) {
        auto same =
            std::find_if(groups.begin(), groups.end(), [&](const ReachGroup& g) { return g.reach == reaches[c]; });
        if (same == groups.end()) same = groups.insert(groups.end(), ReachGroup{reaches[c], {0, 0, 0, 0}});
        same->keep[c] = 1;
    }
    return groups;
}

// Row j of the task's area (its mask row and its source pixels), where every pixel counts.
template <class Pixel>
bool rowContributes(const BlurTask<BoxWindowSet>& task, std::int32_t j) {
    const std::int32_t width = task.area.right - task.area.left;
    if (std::memchr(task.mask.row(j), 0, static_cast<std::size_t>(width)) != nullptr) return false;
    const Pixel* row = worldPixel<Pixel>(*task.source, task.area.left, task.area.top + j);
    bool contributes = true;
    for (std::int32_t x = 0; x < width; ++x) contributes &= pixelCounts(row[x]);
    return contributes;
}

// --- 16-bit passes ----------------------------------------------------------------------

// Per lane of a line's pixels: half the window count and its reciprocal.
struct LaneDivisors {
    std::vector<std::int32_t> half;
    std::vector<double> reciprocal;
    std::vector<double> count;  // float passes divide by the count itself
};

LaneDivisors lineDivisors(const Reaches& reaches, std::int32_t length) {
    LaneDivisors divisors;
    const std::size_t lanes = static_cast<std::size_t>(kChannelsPerPixel) * length;
    divisors.half.resize(lanes);
    divisors.reciprocal.resize(lanes);
    divisors.count.resize(lanes);
    for (std::int32_t x = 0; x < length; ++x) {
        for (int c = 0; c < kChannelsPerPixel; ++c) {
            const std::int32_t n = windowCount(x, reaches[c], length);
            const std::size_t lane = static_cast<std::size_t>(kChannelsPerPixel) * x + c;
            divisors.half[lane] = n / 2;
            divisors.reciprocal[lane] = roundedUpReciprocal(n);
            divisors.count[lane] = n;
        }
    }
    return divisors;
}

struct UniformPass {
    const BlurTask<BoxWindowSet>* task;
    Reaches reaches;
    std::vector<ReachGroup> groups;
    LaneDivisors divisors;  // horizontal passes: along the row
    // The first pass checks each row: one where not every pixel counts goes to the line blur.
    bool checkRows = false;
    mutable std::atomic<bool> someRowFailed{false};
};

// A row that failed the check, blurred the general way.
template <class Pixel>
void blurRowInGeneral(const UniformPass& pass, LineBlurrer<Pixel>& blurrer, std::int32_t j) {
    const BlurTask<BoxWindowSet>& task = *pass.task;
    const A_long y = task.area.top + j;
    const BlurLine<Pixel> line{worldPixel<Pixel>(*task.source, task.area.left, y), task.mask.row(j),
                               worldPixel<Pixel>(*task.destination, task.area.left, y),
                               task.area.right - task.area.left};
    blurrer.blur(line, task.kernels, task.keepDivision);
    pass.someRowFailed.store(true);
}

template <class Pixel>
bool takesTheUniformWay(const UniformPass& pass, std::int32_t j) {
    return !pass.checkRows || rowContributes<Pixel>(*pass.task, j);
}

// (s + n / 2) / n for every lane of a row, with the lane's own divisor.
void storeMeans16(const std::int32_t* sums, const std::int32_t* half, const double* reciprocal, std::int32_t lanes,
                  std::uint16_t* out) {
    for (std::int32_t i = 0; i < lanes; ++i) {
        out[i] = static_cast<std::uint16_t>(static_cast<std::int32_t>(static_cast<double>(sums[i] + half[i]) *
                                                                      reciprocal[i]));
    }
}

// Horizontal: prefix sums over the row, clamped at both ends, so that any window's sum is
// one difference; channels of one reach take theirs in one sweep over the row.
PF_Err boxRows16(const UniformPass& pass, std::int32_t iteration, std::int32_t iterations) {
    const BlurTask<BoxWindowSet>& task = *pass.task;
    const std::int32_t width = task.area.right - task.area.left;
    const Band band = rowBand(iteration, iterations, task.area.bottom - task.area.top);
    if (band.count == 0) return PF_Err_NONE;
    const std::int32_t reach = *std::max_element(pass.reaches.begin(), pass.reaches.end());
    const std::int32_t lanes = kChannelsPerPixel * width;
    // prefix[(p + reach) * 4 + c]: the sum of channel c over pixels before p, p in [-reach, width + reach].
    std::vector<std::int32_t> prefix(static_cast<std::size_t>(kChannelsPerPixel) * (width + 2 * reach + 1), 0);
    std::vector<std::int32_t> sums(static_cast<std::size_t>(lanes), 0);
    std::int32_t* const atZero = prefix.data() + kChannelsPerPixel * reach;

    LineBlurrer<PF_Pixel16> blurrer(pass.checkRows ? width : 0, *task.quotients);

    for (std::int32_t j = band.first; j < band.first + band.count; ++j) {
        if (!takesTheUniformWay<PF_Pixel16>(pass, j)) {
            blurRowInGeneral(pass, blurrer, j);
            continue;
        }
        const A_long y = task.area.top + j;
        const auto* in =
            reinterpret_cast<const std::uint16_t*>(worldPixel<PF_Pixel16>(*task.source, task.area.left, y));
        for (std::int32_t i = 0; i < lanes; ++i) atZero[i + kChannelsPerPixel] = atZero[i] + in[i];
        std::int32_t* const end = atZero + lanes;
        for (std::int32_t i = kChannelsPerPixel; i < kChannelsPerPixel * (reach + 1); ++i) {
            end[i] = end[i - kChannelsPerPixel];
        }

        for (const ReachGroup& group : pass.groups) {
            const std::int32_t* high = atZero + kChannelsPerPixel * (group.reach + 1);
            const std::int32_t* low = atZero - kChannelsPerPixel * group.reach;
            for (std::int32_t x = 0; x < width; ++x) {
                for (int c = 0; c < kChannelsPerPixel; ++c) {
                    const std::int32_t i = kChannelsPerPixel * x + c;
                    sums[i] = group.keep[c] ? high[i] - low[i] : sums[i];
                }
            }
        }
        auto* out = reinterpret_cast<std::uint16_t*>(worldPixel<PF_Pixel16>(*task.destination, task.area.left, y));
        storeMeans16(sums.data(), pass.divisors.half.data(), pass.divisors.reciprocal.data(), lanes, out);
    }
    return PF_Err_NONE;
}

// Vertical: one sum per lane of the band's columns; rows enter and leave them whole.
template <class Pixel>
PF_Err boxColumns(const UniformPass& pass, std::int32_t iteration, std::int32_t iterations) {
    using Channel = ChannelOf<Pixel>;
    using Sum = std::conditional_t<kIsFloat<Pixel>, double, std::int32_t>;
    const BlurTask<BoxWindowSet>& task = *pass.task;
    const std::int32_t height = task.area.bottom - task.area.top;
    const Band band = rowBand(iteration, iterations, task.area.right - task.area.left);
    if (band.count == 0) return PF_Err_NONE;
    const std::int32_t lanes = kChannelsPerPixel * band.count;
    const std::int32_t reach = *std::max_element(pass.reaches.begin(), pass.reaches.end());
    std::vector<Sum> sums(static_cast<std::size_t>(lanes), Sum(0));
    const std::vector<Channel> zeros(static_cast<std::size_t>(lanes), Channel(0));
    auto row = [&](std::int32_t j) -> const Channel* {
        if (j < 0 || j >= height) return zeros.data();
        return reinterpret_cast<const Channel*>(
            worldPixel<Pixel>(*task.source, task.area.left + band.first, task.area.top + j));
    };

    // Rows before the first enter as zeros, so every lane starts its sum as the line blur
    // does: the first row of its window, then the next, each on its own.
    for (std::int32_t y = -reach; y < height; ++y) {
        for (const ReachGroup& group : pass.groups) {
            const Channel* entering = row(y + group.reach);
            const Channel* leaving = row(y - group.reach - 1);
            Sum* sum = sums.data();
            for (std::int32_t x = 0; x < band.count; ++x) {
                for (int c = 0; c < kChannelsPerPixel; ++c) {
                    const std::int32_t i = kChannelsPerPixel * x + c;
                    const Sum slid = (sum[i] - Sum(leaving[i])) + Sum(entering[i]);
                    sum[i] = group.keep[c] ? slid : sum[i];
                }
            }
        }
        if (y < 0) continue;

        Channel* out = reinterpret_cast<Channel*>(
            worldPixel<Pixel>(*task.destination, task.area.left + band.first, task.area.top + y));
        std::array<std::int32_t, kChannelsPerPixel> count;
        for (int c = 0; c < kChannelsPerPixel; ++c) count[c] = windowCount(y, pass.reaches[c], height);
        if constexpr (kIsFloat<Pixel>) {
            const double n[kChannelsPerPixel] = {double(count[0]), double(count[1]), double(count[2]),
                                                 double(count[3])};
            for (std::int32_t x = 0; x < band.count; ++x) {
                for (int c = 0; c < kChannelsPerPixel; ++c) {
                    const std::int32_t i = kChannelsPerPixel * x + c;
                    out[i] = static_cast<float>(sums[i] / n[c]);
                }
            }
        } else {
            const std::int32_t half[kChannelsPerPixel] = {count[0] / 2, count[1] / 2, count[2] / 2, count[3] / 2};
            const double reciprocal[kChannelsPerPixel] = {
                roundedUpReciprocal(count[0]), roundedUpReciprocal(count[1]), roundedUpReciprocal(count[2]),
                roundedUpReciprocal(count[3])};
            for (std::int32_t x = 0; x < band.count; ++x) {
                for (int c = 0; c < kChannelsPerPixel; ++c) {
                    const std::int32_t i = kChannelsPerPixel * x + c;
                    out[i] = static_cast<std::uint16_t>(
                        static_cast<std::int32_t>(static_cast<double>(sums[i] + half[c]) * reciprocal[c]));
                }
            }
        }
    }
    return PF_Err_NONE;
}

// --- Float horizontal pass --------------------------------------------------------------

// One running sum per channel, slid in the line blur's order (the leaving value off, then
// the entering one on) over a copy of the row with zeros around it: a zero changes no sum.
// Two rows at a time, so that the two chains of additions overlap.
constexpr std::int32_t kRowsTogether = 2;

PF_Err boxRowsFloat(const UniformPass& pass, std::int32_t iteration, std::int32_t iterations) {
    const BlurTask<BoxWindowSet>& task = *pass.task;
    const std::int32_t width = task.area.right - task.area.left;
    const Band band = rowBand(iteration, iterations, task.area.bottom - task.area.top);
    if (band.count == 0) return PF_Err_NONE;
    const Reaches& reaches = pass.reaches;
    const std::int32_t reach = *std::max_element(reaches.begin(), reaches.end());
    // padded[k][(p + 2 * reach + 1) * 4 + c] for pixels p in [-2 * reach - 1, width + reach).
    const std::int32_t before = 2 * reach + 1;
    const std::size_t paddedLanes = static_cast<std::size_t>(kChannelsPerPixel) * (before + width + reach);
    std::array<std::vector<double>, kRowsTogether> padded;
    for (auto& row : padded) row.assign(paddedLanes, 0.0);
    const double* counts = pass.divisors.count.data();

    LineBlurrer<PF_PixelFloat> blurrer(pass.checkRows ? width : 0, *task.quotients);

    std::array<std::int32_t, kRowsTogether> lines{};
    std::int32_t rows = 0;
    for (std::int32_t j = band.first; j < band.first + band.count; ++j) {
        if (!takesTheUniformWay<PF_PixelFloat>(pass, j)) {
            blurRowInGeneral(pass, blurrer, j);
        } else {
            lines[rows++] = j;
        }
        if (rows < kRowsTogether && j + 1 < band.first + band.count) continue;
        if (rows == 0) continue;
        std::array<float*, kRowsTogether> out{};
        std::array<const double*, kRowsTogether> at{};
        for (std::int32_t k = 0; k < kRowsTogether; ++k) {
            const std::int32_t line = lines[std::min(k, rows - 1)];  // a lone last row runs twice
            const A_long y = task.area.top + line;
            const auto* in = reinterpret_cast<const float*>(worldPixel<PF_PixelFloat>(*task.source, task.area.left, y));
            double* copy = padded[k].data() + kChannelsPerPixel * before;
            for (std::int32_t i = 0; i < kChannelsPerPixel * width; ++i) copy[i] = in[i];
            out[k] = reinterpret_cast<float*>(worldPixel<PF_PixelFloat>(*task.destination, task.area.left, y));
            at[k] = copy;
        }
        double sums[kRowsTogether][kChannelsPerPixel] = {};
        for (std::int32_t x = -reach; x < width; ++x) {
            for (std::int32_t k = 0; k < kRowsTogether; ++k) {
                for (int c = 0; c < kChannelsPerPixel; ++c) {
                    const double leaving = at[k][kChannelsPerPixel * (x - reaches[c] - 1) + c];
                    const double entering = at[k][kChannelsPerPixel * (x + reaches[c]) + c];
                    sums[k][c] = (sums[k][c] - leaving) + entering;
                }
            }
            if (x < 0) continue;
            for (std::int32_t k = 0; k < rows; ++k) {
                for (int c = 0; c < kChannelsPerPixel; ++c) {
                    const std::int32_t i = kChannelsPerPixel * x + c;
                    out[k][i] = static_cast<float>(sums[k][c] / counts[i]);
                }
            }
        }
        rows = 0;
    }
    return PF_Err_NONE;
}

}  // namespace

template <class Pixel>
PF_Err runUniformBoxPass(PF_InData* inData, A_long iterations, const BlurTask<BoxWindowSet>& task,
                         BlurDirection direction, bool* everyRowContributed) {
    if (areaIsEmpty(task.area)) return PF_Err_NONE;
    if (!maskMatchesArea(task.mask, task.area)) return PF_Err_BAD_CALLBACK_PARAM;
    const bool horizontal = direction == BlurDirection::Horizontal;
    const std::int32_t length = horizontal ? task.area.right - task.area.left : task.area.bottom - task.area.top;
    UniformPass pass;
    pass.task = &task;
    pass.reaches = reachesOf(task.kernels, length);
    pass.groups = groupByReach(pass.reaches);
    pass.checkRows = everyRowContributed != nullptr;
    PF_Err err = PF_Err_NONE;
    if (!horizontal) {
        err = runPixelTask<UniformPass, boxColumns<Pixel>>(inData, iterations, pass);
    } else {
        pass.divisors = lineDivisors(pass.reaches, length);
        if constexpr (kIsFloat<Pixel>) {
            err = runPixelTask<UniformPass, boxRowsFloat>(inData, iterations, pass);
        } else {
            err = runPixelTask<UniformPass, boxRows16>(inData, iterations, pass);
        }
    }
    if (everyRowContributed != nullptr) *everyRowContributed = err == PF_Err_NONE && !pass.someRowFailed.load();
    return err;
}

template <class Pixel>
PF_Err runFirstBoxPass(PF_InData* inData, A_long iterations, const BlurTask<BoxWindowSet>& task,
                       bool& everyPixelContributes) {
    everyPixelContributes = false;
    const std::int32_t width = task.area.right - task.area.left, height = task.area.bottom - task.area.top;
    if (width > kLongestUniformLine || height > kLongestUniformLine) {
        return runBlurPass<Pixel, BoxWindowSet>(inData, iterations, task, BlurDirection::Horizontal);
    }
    return runUniformBoxPass<Pixel>(inData, iterations, task, BlurDirection::Horizontal, &everyPixelContributes);
}

template <class Pixel>
PF_Err runUniformBoxPass(PF_InData* inData, A_long iterations, const BlurTask<BoxWindowSet>& task,
                         BlurDirection direction) {
    return runUniformBoxPass<Pixel>(inData, iterations, task, direction, nullptr);
}

template PF_Err runFirstBoxPass<PF_Pixel16>(PF_InData*, A_long, const BlurTask<BoxWindowSet>&, bool&);
template PF_Err runFirstBoxPass<PF_PixelFloat>(PF_InData*, A_long, const BlurTask<BoxWindowSet>&, bool&);
template PF_Err runUniformBoxPass<PF_Pixel16>(PF_InData*, A_long, const BlurTask<BoxWindowSet>&, BlurDirection);
template PF_Err runUniformBoxPass<PF_PixelFloat>(PF_InData*, A_long, const BlurTask<BoxWindowSet>&, BlurDirection);
