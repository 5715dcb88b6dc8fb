#include "render/RowStreamBlur.h"

#include "render/BlurKernels.h"
#include "render/DepthConversion.h"
#include "render/PixelTask.h"
#include "render/PixelTraits.h"
#include "render/WorldPixels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr std::int32_t kLongestStreamLine = 32767;

using Row = std::uint16_t;

struct StreamPass {
    bool horizontal;
    std::int32_t reach;  // the window reaches from -reach to reach, cut to the line
};

using ChannelPasses = std::array<std::vector<StreamPass>, kChannelsPerPixel>;

ChannelPasses passesByChannel(double aspect, const ChannelRadii& radii, std::int32_t repeatCount, std::int32_t width,
                              std::int32_t height) {
    ChannelPasses passes;
    for (const BlurPassPlan& pass : planBlurPasses(aspect, radii, repeatCount)) {
        const BoxWindowSet windows = makeBoxWindowSet(pass);
        const bool horizontal = pass.direction == BlurDirection::Horizontal;
        for (int c = 0; c < kChannelsPerPixel; ++c) {
            // A window reaching past the whole line covers all of it, as one reaching just that far.
            const std::int32_t reach = std::min(std::max(windows[c] - 1, 0), horizontal ? width : height);
            if (reach > 0) passes[c].push_back({horizontal, reach});
        }
    }
    return passes;
}

std::int32_t windowCount(std::int32_t x, std::int32_t reach, std::int32_t length) {
    return std::min(x + reach, length - 1) - std::max(x - reach, 0) + 1;
}

// The loops over whole rows, as compiled for one instruction set.
template <class Pixel>
struct RowKernels {
    using Channel = typename PixelTraits<Pixel>::Channel;
    void (*prefixSums)(const Row* in, std::int32_t* prefix, std::int32_t width);
    void (*windowMeans)(const std::int32_t* high, const std::int32_t* low, const std::int32_t* halves,
                        const double* reciprocals, Row* out, std::int32_t width);
    void (*addRow)(std::int32_t* sums, const Row* row, std::int32_t width);
    void (*subtractRow)(std::int32_t* sums, const Row* row, std::int32_t width);
    void (*columnMeans)(const std::int32_t* sums, std::int32_t half, double reciprocal, Row* out, std::int32_t width);
    void (*slideColumns)(std::int32_t* sums, const Row* entering, const Row* leaving, std::int32_t half,
                         double reciprocal, Row* out, std::int32_t width);
    // Four rows, one per channel, that do not overlap.
    void (*loadPixels)(const Channel* pixels, Row* const* channels, std::int32_t width);
    void (*storePixels)(const Row* const* channels, Channel* pixels, std::int32_t width);
};

namespace plain {
#include "render/RowKernels.inc"
}  // namespace plain

// The same loops for processors with AVX2, chosen at run time.
#if defined(__GNUC__) && !defined(__clang__) && (defined(__x86_64__) || defined(__i386__))
#define VELUMIXER_AVX2_KERNELS 1
#pragma GCC push_options
#pragma GCC target("avx2")
namespace avx2 {
#include "render/RowKernels.inc"
}  // namespace avx2
#pragma GCC pop_options
#endif

template <class Pixel>
RowKernels<Pixel> kernelsForThisProcessor() {
#ifdef VELUMIXER_AVX2_KERNELS
    if (__builtin_cpu_supports("avx2")) return avx2::kernelsOfThisSet<Pixel>();
#endif
    return plain::kernelsOfThisSet<Pixel>();
}

template <class Pixel>
struct StreamTask {
    const PF_EffectWorld* source;
    PF_EffectWorld* destination;
    PF_LRect area;
    ChannelPasses passes;
    RowKernels<Pixel> kernels;
};

// Half of a window count and the reciprocal of the count rounded up one step.
struct Divisor {
    explicit Divisor(std::int32_t n) : half(n / 2), reciprocal(std::nextafter(1.0 / n, 2.0)) {}
    std::int32_t half;
    double reciprocal;
};

struct RowRange {
    std::int32_t first;
    std::int32_t last;  // exclusive
};

// One channel's passes over one band of rows. Rows enter stage 0 in order; each stage hands
// its rows to the next as soon as it has them, the last one to the destination.
template <class Pixel>
class ChannelStream {
public:
    // `latency`: how many rows past an output row the source must have reached before every
    // channel has it (the largest sum of vertical reaches); finished rows wait in a ring
    // until every channel has them.
    ChannelStream(const StreamTask<Pixel>& task, int channel, RowRange band, std::int32_t latency)
        : kernels_(task.kernels),
          width_(task.area.right - task.area.left),
          height_(task.area.bottom - task.area.top),
          finishedUpTo_(band.first) {
        const std::vector<StreamPass>& passes = task.passes[channel];
        stages_.resize(passes.size());
        RowRange rows = band;
        for (std::size_t k = passes.size(); k-- > 0;) {
            Stage& stage = stages_[k];
            stage.pass = passes[k];
            stage.out = rows;
            if (!stage.pass.horizontal) {
                rows = {std::max(rows.first - stage.pass.reach, 0), std::min(rows.last + stage.pass.reach, height_)};
            }
            stage.in = rows;
        }
        input_ = rows;
        for (Stage& stage : stages_) prepare(stage);
        // A channel can finish up to `latency` rows ahead of the slowest (more when windows
        // reach past the last row, where every channel finishes its last rows at once).
        finishedRows_ = std::min(latency + 2, band.last - band.first);
        finished_.resize(static_cast<std::size_t>(finishedRows_) * width_);
    }

    // Rows past an output row that the source must reach before these passes give it out.
    static std::int32_t latencyOf(const std::vector<StreamPass>& passes) {
        std::int32_t rows = 0;
        for (const StreamPass& pass : passes) rows += pass.horizontal ? 0 : pass.reach;
        return rows;
    }

    RowRange input() const { return input_; }
    Row* inputSlot(std::int32_t y) { return slot(0, y); }
    void accept(std::int32_t y) { accept(0, y); }
    // Output rows before this one are finished.
    std::int32_t finishedUpTo() const { return finishedUpTo_; }
    const Row* finishedRow(std::int32_t y) const {
        return finished_.data() + static_cast<std::size_t>(y % finishedRows_) * width_;
    }

private:
    struct Stage {
        StreamPass pass;
        RowRange in, out;
        // Horizontal: one input row, its prefix sums and each position's divisor.
        // Vertical: a ring of input rows, the column sums and the next row to give out.
        std::vector<Row> rows;
        std::int32_t ringRows = 1;
        std::vector<std::int32_t> sums;
        std::vector<std::int32_t> halves;    // horizontal: per position
        std::vector<double> reciprocals;
        std::int32_t nextOut = 0;
        std::int32_t firstSummed = 0;
    };

    void prepare(Stage& stage) {
        const std::int32_t reach = stage.pass.reach;
        if (stage.pass.horizontal) {
            stage.rows.resize(static_cast<std::size_t>(width_));
            // sums[j]: the prefix sum before position j - reach; zero before the row, the
            // row's total after it.
            stage.sums.assign(static_cast<std::size_t>(width_) + 2 * reach + 1, 0);
            for (std::int32_t x = 0; x < width_; ++x) {
                const Divisor divisor(windowCount(x, reach, width_));
                stage.halves.push_back(divisor.half);
                stage.reciprocals.push_back(divisor.reciprocal);
            }
        } else {
            // Rows from the oldest one still summed to the one arriving.
            stage.ringRows = 2 * reach + 2;
            stage.rows.resize(static_cast<std::size_t>(stage.ringRows) * width_);
            stage.sums.assign(static_cast<std::size_t>(width_), 0);
            stage.nextOut = stage.out.first;
            stage.firstSummed = stage.in.first;
        }
    }

    Row* slot(std::size_t k, std::int32_t y) {
        if (k == stages_.size()) return finished_.data() + static_cast<std::size_t>(y % finishedRows_) * width_;
        Stage& stage = stages_[k];
        if (stage.pass.horizontal) return stage.rows.data();
        return stage.rows.data() + static_cast<std::size_t>(y % stage.ringRows) * width_;
    }

    void accept(std::size_t k, std::int32_t y) {
        if (k == stages_.size()) {
            finishedUpTo_ = y + 1;
            return;
        }
        Stage& stage = stages_[k];
        if (stage.pass.horizontal) {
            blurRow(stage, slot(k + 1, y));
            accept(k + 1, y);
            return;
        }
        const Row* entering = slot(k, y);
        std::int32_t* sums = stage.sums.data();
        const std::int32_t reach = stage.pass.reach;
        // Mid-column one row enters, one leaves and one goes out: one sweep over the row.
        const std::int32_t next = stage.nextOut;
        if (next < stage.out.last && next + reach == y && stage.firstSummed == next - reach - 1) {
            const Row* leaving = slot(k, stage.firstSummed++);
            const Divisor divisor(windowCount(next, reach, height_));
            kernels_.slideColumns(sums, entering, leaving, divisor.half, divisor.reciprocal, slot(k + 1, next), width_);
            ++stage.nextOut;
            accept(k + 1, next);
        } else {
            kernels_.addRow(sums, entering, width_);
        }
        // At the ends of the column: windows that start before the first row or reach past
        // the last one.
        while (stage.nextOut < stage.out.last && std::min(stage.nextOut + reach, height_ - 1) <= y) {
            const std::int32_t out = stage.nextOut++;
            for (; stage.firstSummed < out - reach; ++stage.firstSummed) {
                kernels_.subtractRow(sums, slot(k, stage.firstSummed), width_);
            }
            const Divisor divisor(windowCount(out, reach, height_));
            kernels_.columnMeans(sums, divisor.half, divisor.reciprocal, slot(k + 1, out), width_);
            accept(k + 1, out);
        }
    }

    void blurRow(Stage& stage, Row* out) {
        const std::int32_t reach = stage.pass.reach;
        std::int32_t* prefix = stage.sums.data();
        kernels_.prefixSums(stage.rows.data(), prefix + reach, width_);
        std::fill(prefix + reach + 1 + width_, prefix + 2 * reach + 1 + width_, prefix[reach + width_]);
        kernels_.windowMeans(prefix + 2 * reach + 1, prefix, stage.halves.data(), stage.reciprocals.data(), out,
                             width_);
    }

    const RowKernels<Pixel>& kernels_;
    const std::int32_t width_, height_;
    std::vector<Stage> stages_;
    RowRange input_{0, 0};
    std::vector<Row> finished_;
    std::int32_t finishedRows_ = 1;
    std::int32_t finishedUpTo_;
};

template <class Pixel>
PF_Err streamBand(const StreamTask<Pixel>& task, std::int32_t iteration, std::int32_t iterations) {
    const std::int32_t width = task.area.right - task.area.left;
    const Band band = rowBand(iteration, iterations, task.area.bottom - task.area.top);
    if (band.count == 0) return PF_Err_NONE;
    std::int32_t latency = 0;
    for (const auto& passes : task.passes) latency = std::max(latency, ChannelStream<Pixel>::latencyOf(passes));
    std::vector<ChannelStream<Pixel>> streams;
    streams.reserve(kChannelsPerPixel);
    RowRange rows{band.first, band.first + band.count};
    for (int c = 0; c < kChannelsPerPixel; ++c) {
        streams.emplace_back(task, c, RowRange{band.first, band.first + band.count}, latency);
        rows.first = std::min(rows.first, streams[c].input().first);
        rows.last = std::max(rows.last, streams[c].input().last);
    }
    // Where the channels that do not need a source row put it.
    std::vector<Row> unneeded(static_cast<std::size_t>(kChannelsPerPixel) * width);

    using Channel = typename PixelTraits<Pixel>::Channel;
    std::int32_t written = band.first;
    for (std::int32_t y = rows.first; y < rows.last; ++y) {
        const auto* from =
            reinterpret_cast<const Channel*>(worldPixel<Pixel>(*task.source, task.area.left, task.area.top + y));
        std::array<Row*, kChannelsPerPixel> slots;
        for (int c = 0; c < kChannelsPerPixel; ++c) {
            const bool needed = y >= streams[c].input().first && y < streams[c].input().last;
            slots[c] = needed ? streams[c].inputSlot(y) : unneeded.data() + static_cast<std::size_t>(c) * width;
        }
        task.kernels.loadPixels(from, slots.data(), width);
        std::int32_t ready = band.first + band.count;
        for (int c = 0; c < kChannelsPerPixel; ++c) {
            if (y >= streams[c].input().first && y < streams[c].input().last) streams[c].accept(y);
            ready = std::min(ready, streams[c].finishedUpTo());
        }
        for (; written < ready; ++written) {
            const std::array<const Row*, kChannelsPerPixel> finished = {
                streams[0].finishedRow(written), streams[1].finishedRow(written), streams[2].finishedRow(written),
                streams[3].finishedRow(written)};
            auto* to = reinterpret_cast<Channel*>(
                worldPixel<Pixel>(*task.destination, task.area.left, task.area.top + written));
            task.kernels.storePixels(finished.data(), to, width);
        }
    }
    return PF_Err_NONE;
}

}  // namespace

bool canStreamBoxBlur(const PF_LRect& area) {
    return !areaIsEmpty(area) && area.right - area.left <= kLongestStreamLine &&
           area.bottom - area.top <= kLongestStreamLine;
}

template <class Pixel>
PF_Err streamBoxBlur(PF_InData* inData, A_long iterations, const PF_EffectWorld& source, PF_EffectWorld& destination,
                     const PF_LRect& area, double aspect, const ChannelRadii& radii, std::int32_t repeatCount) {
    if (!canStreamBoxBlur(area)) return PF_Err_BAD_CALLBACK_PARAM;
    StreamTask<Pixel> task;
    task.kernels = kernelsForThisProcessor<Pixel>();
    task.source = &source;
    task.destination = &destination;
    task.area = area;
    task.passes = passesByChannel(aspect, radii, repeatCount, area.right - area.left, area.bottom - area.top);
    return runPixelTask<StreamTask<Pixel>, streamBand<Pixel>>(inData, iterations, task);
}

template PF_Err streamBoxBlur<PF_Pixel8>(PF_InData*, A_long, const PF_EffectWorld&, PF_EffectWorld&, const PF_LRect&,
                                         double, const ChannelRadii&, std::int32_t);
template PF_Err streamBoxBlur<PF_Pixel16>(PF_InData*, A_long, const PF_EffectWorld&, PF_EffectWorld&, const PF_LRect&,
                                          double, const ChannelRadii&, std::int32_t);
