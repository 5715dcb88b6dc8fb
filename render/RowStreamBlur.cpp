#include "render/RowStreamBlur.h"

#include "render/BlurKernels.h"
#include "render/DepthConversion.h"
#include "render/PixelTask.h"
#include "render/PixelTraits.h"
#include "render/WorldPixels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr std::int32_t kLongestStreamLine = 32767;

using Row = std::uint16_t;

struct StreamPass {
    bool horizontal;
    std::int32_t reach;  // the window reaches from -reach to reach, cut to the line
};

using ChannelPasses = std::array<std::vector<StreamPass>, kChannelsPerPixel>;

struct StreamTask {
    const PF_EffectWorld* source;
    PF_EffectWorld* destination;
    PF_LRect area;
    ChannelPasses passes;
};

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

// (s + n / 2) / n through the reciprocal rounded up (exact; see QuotientTable).
struct Divisor {
    Divisor() = default;
    explicit Divisor(std::int32_t n) : half(n / 2), reciprocal(std::nextafter(1.0 / n, 2.0)) {}
    std::int32_t half = 0;
    double reciprocal = 0.0;
};

Row meanOf(std::int32_t sum, std::int32_t half, double reciprocal) {
    return static_cast<Row>(static_cast<std::int32_t>(static_cast<double>(sum + half) * reciprocal));
}

struct RowRange {
    std::int32_t first;
    std::int32_t last;  // exclusive
};

// One channel's passes over one band of rows. Rows enter stage 0 in order; each stage hands
// its rows to the next as soon as it has them, the last one to the destination.
template <class Pixel>
class ChannelStream {
public:
    ChannelStream(const StreamTask& task, int channel, RowRange band)
        : task_(task),
          channel_(channel),
          width_(task.area.right - task.area.left),
          height_(task.area.bottom - task.area.top) {
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
        sinkRow_.resize(static_cast<std::size_t>(width_));
    }

    RowRange input() const { return input_; }
    Row* inputSlot(std::int32_t y) { return slot(0, y); }
    void accept(std::int32_t y) { accept(0, y); }

private:
    struct Stage {
        StreamPass pass;
        RowRange in, out;
        // Horizontal: one input row, its prefix sums and each position's divisor.
        // Vertical: a ring of input rows, the column sums and the next row to give out.
        std::vector<Row> rows;
        std::int32_t ringRows = 1;
        std::vector<std::int32_t> sums;
        std::vector<Divisor> divisors;
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
            stage.divisors.resize(static_cast<std::size_t>(width_));
            for (std::int32_t x = 0; x < width_; ++x) stage.divisors[x] = Divisor(windowCount(x, reach, width_));
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
        if (k == stages_.size()) return sinkRow_.data();
        Stage& stage = stages_[k];
        if (stage.pass.horizontal) return stage.rows.data();
        return stage.rows.data() + static_cast<std::size_t>(y % stage.ringRows) * width_;
    }

    void accept(std::size_t k, std::int32_t y) {
        if (k == stages_.size()) {
            write(y);
            return;
        }
        Stage& stage = stages_[k];
        if (stage.pass.horizontal) {
            blurRow(stage, slot(k + 1, y));
            accept(k + 1, y);
            return;
        }
        // Loop bounds in locals: stores through `sums` could otherwise change width_.
        const std::int32_t width = width_;
        const Row* entering = slot(k, y);
        std::int32_t* sums = stage.sums.data();
        const std::int32_t reach = stage.pass.reach;
        // Mid-column one row enters, one leaves and one goes out: one sweep over the row.
        const std::int32_t next = stage.nextOut;
        if (next < stage.out.last && next + reach == y && stage.firstSummed == next - reach - 1) {
            const Row* leaving = slot(k, stage.firstSummed++);
            const Divisor divisor(windowCount(next, reach, height_));
            Row* to = slot(k + 1, next);
            for (std::int32_t x = 0; x < width; ++x) {
                const std::int32_t sum = sums[x] + entering[x] - leaving[x];
                sums[x] = sum;
                to[x] = meanOf(sum, divisor.half, divisor.reciprocal);
            }
            ++stage.nextOut;
            accept(k + 1, next);
        } else {
            for (std::int32_t x = 0; x < width; ++x) sums[x] += entering[x];
        }
        // At the ends of the column: windows that start before the first row or reach past
        // the last one.
        while (stage.nextOut < stage.out.last && std::min(stage.nextOut + reach, height_ - 1) <= y) {
            const std::int32_t out = stage.nextOut++;
            for (; stage.firstSummed < out - reach; ++stage.firstSummed) {
                const Row* leaving = slot(k, stage.firstSummed);
                for (std::int32_t x = 0; x < width; ++x) sums[x] -= leaving[x];
            }
            const Divisor divisor(windowCount(out, reach, height_));
            Row* to = slot(k + 1, out);
            for (std::int32_t x = 0; x < width; ++x) to[x] = meanOf(sums[x], divisor.half, divisor.reciprocal);
            accept(k + 1, out);
        }
    }

    void blurRow(Stage& stage, Row* out) {
        const std::int32_t width = width_;
        const std::int32_t reach = stage.pass.reach;
        const Row* in = stage.rows.data();
        std::int32_t* prefix = stage.sums.data();
        std::int32_t total = 0;
        for (std::int32_t x = 0; x < width; ++x) prefix[reach + 1 + x] = total += in[x];
        std::fill(prefix + reach + 1 + width, prefix + 2 * reach + 1 + width, total);
        const std::int32_t* high = prefix + 2 * reach + 1;
        const Divisor* divisors = stage.divisors.data();
        for (std::int32_t x = 0; x < width; ++x) {
            out[x] = meanOf(high[x] - prefix[x], divisors[x].half, divisors[x].reciprocal);
        }
    }

    void write(std::int32_t y) {
        auto* to = reinterpret_cast<typename PixelTraits<Pixel>::Channel*>(
            worldPixel<Pixel>(*task_.destination, task_.area.left, task_.area.top + y));
        const Row* from = sinkRow_.data();
        const std::int32_t width = width_;
        const int channel = channel_;
        for (std::int32_t x = 0; x < width; ++x) {
            to[kChannelsPerPixel * x + channel] = DepthConversion<Pixel>::fromRow(from[x]);
        }
    }

    const StreamTask& task_;
    const int channel_;
    const std::int32_t width_, height_;
    std::vector<Stage> stages_;
    RowRange input_{0, 0};
    std::vector<Row> sinkRow_;
};

template <class Pixel>
PF_Err streamBand(const StreamTask& task, std::int32_t iteration, std::int32_t iterations) {
    const std::int32_t width = task.area.right - task.area.left;
    const Band band = rowBand(iteration, iterations, task.area.bottom - task.area.top);
    if (band.count == 0) return PF_Err_NONE;
    std::vector<ChannelStream<Pixel>> streams;
    streams.reserve(kChannelsPerPixel);
    RowRange rows{band.first, band.first + band.count};
    for (int c = 0; c < kChannelsPerPixel; ++c) {
        streams.emplace_back(task, c, RowRange{band.first, band.first + band.count});
        rows.first = std::min(rows.first, streams[c].input().first);
        rows.last = std::max(rows.last, streams[c].input().last);
    }
    using Channel = typename PixelTraits<Pixel>::Channel;
    for (std::int32_t y = rows.first; y < rows.last; ++y) {
        const auto* from =
            reinterpret_cast<const Channel*>(worldPixel<Pixel>(*task.source, task.area.left, task.area.top + y));
        for (int c = 0; c < kChannelsPerPixel; ++c) {
            ChannelStream<Pixel>& stream = streams[c];
            if (y < stream.input().first || y >= stream.input().last) continue;
            Row* to = stream.inputSlot(y);
            for (std::int32_t x = 0; x < width; ++x) to[x] = DepthConversion<Pixel>::toRow(from[kChannelsPerPixel * x + c]);
            stream.accept(y);
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
    StreamTask task;
    task.source = &source;
    task.destination = &destination;
    task.area = area;
    task.passes = passesByChannel(aspect, radii, repeatCount, area.right - area.left, area.bottom - area.top);
    return runPixelTask<StreamTask, streamBand<Pixel>>(inData, iterations, task);
}

template PF_Err streamBoxBlur<PF_Pixel8>(PF_InData*, A_long, const PF_EffectWorld&, PF_EffectWorld&, const PF_LRect&,
                                         double, const ChannelRadii&, std::int32_t);
template PF_Err streamBoxBlur<PF_Pixel16>(PF_InData*, A_long, const PF_EffectWorld&, PF_EffectWorld&, const PF_LRect&,
                                          double, const ChannelRadii&, std::int32_t);
