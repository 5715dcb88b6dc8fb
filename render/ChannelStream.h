#pragma once
// One channel of the row stream (RowStreamBlur): its passes over one band of output rows.
// Source rows enter in order; each stage hands its rows to the next as soon as it has them,
// and the last one's rows wait in a ring until every channel of the band has finished them.
// (Channels with the same windows can go as one stream of rows of whole pixels.)
//
// A horizontal stage blurs each row as it comes: box windows through prefix sums (a narrow
// box's directly), Gaussian peaks through shifted copies of the row, a wide Gaussian's flat
// tail like a box. A vertical stage keeps a ring of the rows its windows reach, and the column
// sums of the rows in its box (or flat-tail) window, which each row enters when it arrives and
// leaves when the window has passed it; a box of three rows sums them afresh instead. Rows
// outside the frame count as absent, as at the ends of a line.
//
// With a selection (integer rows, box passes), only selected pixels count in a window, and with
// keep-division only those of the pixel's run of selected pixels along the line. Every stage
// gives unselected pixels out as 0, so window sums hold the selected values only; counts of
// selected pixels slide beside them. A window that holds nothing unselected has the mean of
// the stream without a selection; the few others (near the selection's edges) get their own.

#include "render/GaussKernel.h"
#include "render/QuotientTable.h"
#include "render/RowKernelSet.h"
#include "render/SelectionMask.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory_resource>
#include <vector>

struct RowRange {
    std::int32_t first;
    std::int32_t last;  // exclusive
};

// One pass of one channel.
struct StreamPass {
    bool horizontal;
    // The window's reach cut to the line: the box's, or a Gaussian's whole kernel (its flat
    // tail's window). A window reaching past the whole line covers all of it, as one reaching
    // just that far.
    std::int32_t reach;
    const GaussKernel* kernel;  // null for a box
};

inline std::int32_t windowCount(std::int32_t x, std::int32_t reach, std::int32_t length) {
    return std::min(x + reach, length - 1) - std::max(x - reach, 0) + 1;
}

// Half of a divisor and its reciprocal rounded up one step: (s + half) * reciprocal is the
// exact rounded (or, with half 0, truncated) quotient (see QuotientTable).
struct Divisor {
    Divisor(std::int32_t n, bool rounded)
        : half(rounded ? n / 2 : 0), reciprocal(QuotientTable::roundedUpReciprocal(static_cast<std::uint32_t>(n))) {}
    std::int32_t half;
    double reciprocal;
};

// The selection of a masked stream: its mask (area rows), whether windows keep to runs of
// selected pixels, and the reciprocal of every window count, rounded up one step.
struct StreamSelection {
    const SelectionMask* mask;
    bool keepDivision;
    const double* reciprocals;
};

template <class Pixel>
class ChannelStream {
public:
    using Row = typename StreamDepth<Pixel>::Row;
    using Sum = typename StreamDepth<Pixel>::Sum;

    // `latency`: how far past an output row the source must have come before every channel of
    // the band has it (the largest latencyOf over the channels).
    // `selection` (null: every pixel counts) needs integer rows and box passes only.
    // `step`: the values of a pixel along a row, 1 for a channel of its own, kChannelsPerPixel
    // for a row of whole pixels, their channels interleaved (integer rows without a selection,
    // every horizontal pass a narrow box); `width` counts values.
    // Its rows and sums come from `memory`.
    ChannelStream(const RowKernels<Pixel>& kernels, const std::vector<StreamPass>& passes, std::int32_t width,
                  std::int32_t height, RowRange band, std::int32_t latency, std::pmr::memory_resource* memory,
                  const StreamSelection* selection = nullptr, std::int32_t step = 1)
        : kernels_(kernels),
          selection_(selection),
          step_(step),
          width_(width),
          height_(height),
          zeros_(memory),
          noCounts_(memory),
          finished_(memory),
          finishedUpTo_(band.first) {
        stages_.reserve(passes.size());
        for (std::size_t k = 0; k < passes.size(); ++k) stages_.emplace_back(memory);
        RowRange rows = band;
        for (std::size_t k = passes.size(); k-- > 0;) {
            Stage& stage = stages_[k];
            stage.pass = passes[k];
            stage.out = rows;
            if (!stage.pass.horizontal) {
                const std::int32_t span = spanOf(stage.pass);
                rows = {std::max(rows.first - span, 0), std::min(rows.last + span, height_)};
            }
            stage.in = rows;
        }
        input_ = rows;
        for (Stage& stage : stages_) prepare(stage);
        // A channel can finish up to `latency` rows before the slowest (and when windows reach
        // past the last row, every channel finishes its last rows at once).
        finishedRows_ = std::min(latency + 2, band.last - band.first);
        finished_.resize(static_cast<std::size_t>(finishedRows_) * stride());
    }

    // About the memory a stream of these passes takes: its rings of rows and each stage's
    // sums and divisors along a row.
    static std::size_t memoryOf(const std::vector<StreamPass>& passes, std::int32_t width, std::int32_t height,
                                std::int32_t latency) {
        const std::size_t stride = static_cast<std::size_t>(width) + kRowOverhang;
        std::size_t rows = static_cast<std::size_t>(latency) + 3;  // finished rows, the rows outside the frame
        for (const StreamPass& pass : passes) {
            rows += pass.horizontal ? 1 : 2 * static_cast<std::size_t>(std::min(spanOf(pass), height)) + 2;
        }
        constexpr std::size_t kPerPositionBytes = 64;  // sums, peaks, divisors, counts
        return rows * stride * sizeof(Row) + passes.size() * (stride + 2 * 128) * kPerPositionBytes;
    }

    // Rows past an output row that the source must reach before these passes give it out.
    static std::int32_t latencyOf(const std::vector<StreamPass>& passes, std::int32_t height) {
        std::int32_t rows = 0;
        for (const StreamPass& pass : passes) rows += pass.horizontal ? 0 : std::min(spanOf(pass), height);
        return rows;
    }

    // Columns each side of an output pixel that its value depends on through these passes.
    static std::int32_t reachAcrossOf(const std::vector<StreamPass>& passes) {
        std::int32_t columns = 0;
        for (const StreamPass& pass : passes) columns += pass.horizontal ? spanOf(pass) : 0;
        return columns;
    }

    RowRange input() const { return input_; }
    Row* inputSlot(std::int32_t y) { return slot(0, y); }
    void accept(std::int32_t y) { accept(0, y); }
    // Output rows before this one are finished.
    std::int32_t finishedUpTo() const { return finishedUpTo_; }
    const Row* finishedRow(std::int32_t y) const {
        return finished_.data() + static_cast<std::size_t>(y % finishedRows_) * stride();
    }

private:
    using Row16 = std::uint16_t;

    // Where the run of selected pixels holding a column's last output row reaches within the
    // window, above and below it, and the sums of the values there. The next row of the same
    // run follows from it in a few steps; any other row scans afresh.
    struct ColumnRun {
        std::int32_t row = -2;
        std::int32_t up = 0, down = 0;
        std::int32_t upSum = 0, downSum = 0;
    };

    struct Stage {
        explicit Stage(std::pmr::memory_resource* memory)
            : rows(memory), sums(memory), peaks(memory), taps(memory), wideRow(memory), wideTaps(memory),
              halves(memory), peakHalves(memory), reciprocals(memory), peakReciprocals(memory), weightSums(memory),
              shortReciprocals(memory), peakMeans(memory), tailMeans(memory), counts(memory), fullCounts(memory),
              partial(memory), ones(memory), runs(memory), rowsAt(memory), selectedAt(memory) {}
        StreamPass pass;
        RowRange in, out;
        std::int32_t peakReach = 0;  // Gaussian: distances with a weight of their own
        // Horizontal: one input row with zeros on both sides. Vertical: a ring of input rows.
        std::pmr::vector<Row> rows;
        std::int32_t ringRows = 1;
        // Box or flat tail: prefix sums (horizontal) or column sums (vertical).
        std::pmr::vector<Sum> sums;
        std::pmr::vector<Sum> peaks;
        std::pmr::vector<const Row*> taps;
        // A float row across in double, converted once for all of its taps.
        std::pmr::vector<double> wideRow;
        std::pmr::vector<const double*> wideTaps;
        // Horizontal: each position's divisors (box or tail, Gaussian peak, float weight sums).
        std::pmr::vector<std::int32_t> halves, peakHalves;
        std::pmr::vector<double> reciprocals, peakReciprocals, weightSums;
        // Integer box or tail windows of at most QuotientTable::kLongestFloatDivisor values: their
        // reciprocals in float, for means eight to a vector.
        std::pmr::vector<float> shortReciprocals;
        std::pmr::vector<Row16> peakMeans, tailMeans;
        // With a selection: counts of selected pixels (prefix sums across, column sums down),
        // the counts of windows holding only selected pixels, the positions that need a mean
        // of their own.
        std::pmr::vector<std::int32_t> counts, fullCounts;
        std::pmr::vector<std::uint8_t> partial;
        std::pmr::vector<Row16> ones;
        std::pmr::vector<ColumnRun> runs;  // keep-division down the columns
        std::pmr::vector<const Row16*> rowsAt;
        std::pmr::vector<const std::uint8_t*> selectedAt;
        std::int32_t nextOut = 0;
        std::int32_t firstSummed = 0;
    };

    static std::int32_t peakReachOf(const StreamPass& pass) {
        return pass.kernel != nullptr ? pass.kernel->peakReach() : 0;
    }
    // Rows each side of an output row that a vertical stage reads.
    static std::int32_t spanOf(const StreamPass& pass) { return std::max(pass.reach, peakReachOf(pass)); }
    static bool hasSums(const StreamPass& pass) { return pass.kernel == nullptr || pass.kernel->tailTotal != 0; }
    // A box down the columns reaching a row: each output row sums its three rows afresh, which
    // reads less than sliding sums would (for longer windows the sliding sums take fewer steps).
    bool isNarrowDown(const StreamPass& pass) const {
        return kIntegerRows && !pass.horizontal && pass.kernel == nullptr && selection_ == nullptr &&
               pass.reach <= kLongestNarrowDown;
    }
    // Pixels along a row.
    std::int32_t pixels() const { return width_ / step_; }

    std::size_t stride() const { return static_cast<std::size_t>(width_) + kRowOverhang; }

    static constexpr bool kIntegerRows = std::is_same<Row, Row16>::value;
    // A float box mean multiplies by the reciprocal of its count as it is.
    static double floatReciprocal(std::int32_t n) { return 1.0 / n; }

    // Sum of the Gaussian's weights at the distances from `at` that lie on a line of `length`.
    static std::int32_t weightOnLine(const GaussKernel& kernel, std::int32_t at, std::int32_t length) {
        std::int32_t sum = 0;
        for (std::int32_t d = -kernel.peakReach(); d <= kernel.peakReach(); ++d) {
            if (at + d >= 0 && at + d < length) sum += kernel.weights[std::abs(d)];
        }
        return sum;
    }

    void prepare(Stage& stage) {
        const StreamPass& pass = stage.pass;
        stage.peakReach = peakReachOf(pass);
        const std::size_t width = static_cast<std::size_t>(width_);
        if (pass.kernel != nullptr) {
            stage.peaks.resize(width);
            stage.taps.resize(2 * static_cast<std::size_t>(stage.peakReach) + 1);
            stage.peakMeans.resize(width);
            stage.tailMeans.resize(width);
        }
        if (selection_ != nullptr) {
            // Read a word at a time.
            stage.partial.assign(width + sizeof(std::uint64_t), 0);
            stage.fullCounts.resize(width);
            if (pass.horizontal) {
                stage.counts.assign(width + 2 * pass.reach + 1, 0);
                stage.ones.resize(width);
                for (std::int32_t x = 0; x < width_; ++x) stage.fullCounts[x] = windowCount(x, pass.reach, width_);
            } else {
                stage.counts.assign(width, 0);
                if (selection_->keepDivision) stage.runs.resize(width);
                if (noCounts_.empty()) noCounts_.assign(width, 0);
            }
        }
        if (pass.horizontal) {
            stage.rows.assign(width + 2 * stage.peakReach + kRowOverhang, Row(0));
            if (hasSums(pass)) stage.sums.assign(width + 2 * pass.reach + 1, Sum(0));
            prepareDivisorsAcross(stage);
            for (std::int32_t d = -stage.peakReach; pass.kernel != nullptr && d <= stage.peakReach; ++d) {
                stage.taps[d + stage.peakReach] = stage.rows.data() + stage.peakReach + d;  // the row shifted by d
            }
            if (!kIntegerRows && pass.kernel != nullptr) {
                stage.wideRow.assign(stage.rows.size(), 0.0);
                for (std::int32_t d = -stage.peakReach; d <= stage.peakReach; ++d) {
                    stage.wideTaps.push_back(stage.wideRow.data() + stage.peakReach + d);
                }
            }
        } else {
            // Rows from the oldest one still summed to the one arriving.
            const std::int32_t span = spanOf(pass);
            stage.ringRows = 2 * span + 2;
            stage.rows.resize(static_cast<std::size_t>(stage.ringRows) * stride());
            if (hasSums(pass) && !isNarrowDown(pass)) stage.sums.assign(width, Sum(0));
            if (pass.kernel != nullptr) stage.weightSums.resize(width);
            stage.nextOut = stage.out.first;
            stage.firstSummed = stage.in.first;
            if (zeros_.empty()) zeros_.assign(stride(), Row(0));
        }
    }

    // The divisors of every position of a horizontal stage's line. They differ only within a
    // window's reach of its ends (a stream of a few columns is set up often): the others get
    // the inner position's all at once.
    void prepareDivisorsAcross(Stage& stage) {
        const StreamPass& pass = stage.pass;
        const bool shortWindows =
            kIntegerRows && 2 * pass.reach + 1 <= static_cast<std::int32_t>(QuotientTable::kLongestFloatDivisor);
        const std::size_t width = static_cast<std::size_t>(width_);
        auto setAt = [&](std::int32_t x, bool assign) {
            auto put = [&](auto& values, auto value) {
                if (assign) {
                    values.assign(width, value);
                } else {
                    values[x] = value;
                }
            };
            if (hasSums(pass)) {
                // A Gaussian's flat tail is the truncated mean of its window.
                const std::int32_t n = windowCount(x, pass.reach, pixels());
                const Divisor window(n, pass.kernel == nullptr);
                put(stage.halves, window.half);
                put(stage.reciprocals, kIntegerRows ? window.reciprocal : floatReciprocal(n));
                if (shortWindows) {
                    put(stage.shortReciprocals, QuotientTable::roundedUpFloatReciprocal(static_cast<std::uint32_t>(n)));
                }
            }
            if (pass.kernel != nullptr) {
                const std::int32_t weight = weightOnLine(*pass.kernel, x, width_);
                const Divisor peak(weight, pass.kernel->tailTotal == 0);
                put(stage.peakHalves, peak.half);
                put(stage.peakReciprocals, peak.reciprocal);
                put(stage.weightSums, static_cast<double>(weight));
            }
        };
        const std::int32_t edge = std::max(pass.reach, stage.peakReach);
        const std::int32_t innerFirst = std::min(edge, pixels()), innerLast = std::max(pixels() - edge, innerFirst);
        setAt(innerLast > innerFirst ? innerFirst : 0, true);
        for (std::int32_t x = 0; x < innerFirst; ++x) setAt(x, false);
        for (std::int32_t x = innerLast; x < pixels(); ++x) setAt(x, false);
    }

    Row* slot(std::size_t k, std::int32_t y) {
        if (k == stages_.size()) return finished_.data() + static_cast<std::size_t>(y % finishedRows_) * stride();
        Stage& stage = stages_[k];
        if (stage.pass.horizontal) return stage.rows.data() + stage.peakReach;
        return stage.rows.data() + static_cast<std::size_t>(y % stage.ringRows) * stride();
    }

    void accept(std::size_t k, std::int32_t y) {
        if (k == stages_.size()) {
            finishedUpTo_ = y + 1;
            return;
        }
        Stage& stage = stages_[k];
        if (stage.pass.horizontal) {
            blurRow(stage, y, slot(k + 1, y));
            accept(k + 1, y);
            return;
        }
        const std::int32_t span = spanOf(stage.pass);
        if constexpr (kIntegerRows) {
            if (isNarrowDown(stage.pass)) {
                // Every row its window reaches is in the ring once the last of them has come.
                while (stage.nextOut < stage.out.last && std::min(stage.nextOut + span, height_ - 1) <= y) {
                    const std::int32_t out = stage.nextOut++;
                    narrowColumnRow(stage, k, out, slot(k + 1, out));
                    accept(k + 1, out);
                }
                return;
            }
        }
        const std::int32_t next = stage.nextOut;
        if (stage.pass.kernel == nullptr && next < stage.out.last && next + span == y &&
            stage.firstSummed == next - span - 1) {
            // Mid-column, a box has one row entering, one leaving and one to give out.
            const std::int32_t n = windowCount(next, span, height_);
            const std::int32_t left = stage.firstSummed++;
            const Row* leaving = slot(k, left);
            if constexpr (kIntegerRows) {
                const Divisor divisor(n, true);
                if (selection_ != nullptr) {
                    Row* to = slot(k + 1, next);
                    if (kernels_.slideSelectedColumns(stage.sums.data(), stage.counts.data(), slot(k, y), leaving,
                                                      selected(y), selected(left), divisor.half, divisor.reciprocal, n,
                                                      selected(next), to, stage.partial.data(), width_)) {
                        meanPartialColumns(stage, k, next, to);
                    }
                } else if (n <= static_cast<std::int32_t>(QuotientTable::kLongestFloatDivisor)) {
                    kernels_.slideShortColumns(stage.sums.data(), slot(k, y), leaving, divisor.half,
                                               QuotientTable::roundedUpFloatReciprocal(static_cast<std::uint32_t>(n)),
                                               slot(k + 1, next), width_);
                } else {
                    kernels_.slideColumns(stage.sums.data(), slot(k, y), leaving, divisor.half, divisor.reciprocal,
                                          slot(k + 1, next), width_);
                }
            } else {
                kernels_.slideColumnsFloat(stage.sums.data(), slot(k, y), leaving, floatReciprocal(n),
                                           slot(k + 1, next), width_);
            }
            ++stage.nextOut;
            accept(k + 1, next);
        } else if (hasSums(stage.pass)) {
            if constexpr (kIntegerRows) {
                kernels_.addRow(stage.sums.data(), slot(k, y), width_);
                if (selection_ != nullptr) kernels_.addSelected(stage.counts.data(), selected(y), width_);
            } else {
                kernels_.addRowFloat(stage.sums.data(), slot(k, y), width_);
            }
        }
        // The rows whose windows are complete now: one mid-column, several at the last row.
        while (stage.nextOut < stage.out.last && std::min(stage.nextOut + span, height_ - 1) <= y) {
            const std::int32_t out = stage.nextOut++;
            for (; hasSums(stage.pass) && stage.firstSummed < out - stage.pass.reach; ++stage.firstSummed) {
                if constexpr (kIntegerRows) {
                    kernels_.subtractRow(stage.sums.data(), slot(k, stage.firstSummed), width_);
                    if (selection_ != nullptr) {
                        kernels_.subtractSelected(stage.counts.data(), selected(stage.firstSummed), width_);
                    }
                } else {
                    kernels_.subtractRowFloat(stage.sums.data(), slot(k, stage.firstSummed), width_);
                }
            }
            blurColumnRow(stage, k, out, slot(k + 1, out));
            accept(k + 1, out);
        }
    }

    // Output row `out` of a narrow box down the columns, from the rows of its ring.
    void narrowColumnRow(Stage& stage, std::size_t k, std::int32_t out, Row16* to) {
        const std::int32_t first = std::max(out - stage.pass.reach, 0);
        const std::int32_t n = windowCount(out, stage.pass.reach, height_);
        std::array<const Row16*, 2 * kLongestNarrowDown + 1> rows;
        for (std::int32_t j = 0; j < n; ++j) rows[j] = slot(k, first + j);
        kernels_.narrowColumnMeans(rows.data(), n, n / 2,
                                   QuotientTable::roundedUpFloatReciprocal(static_cast<std::uint32_t>(n)), to, width_);
    }

    // Output row `out` of a vertical stage, from the rows of its ring.
    void blurColumnRow(Stage& stage, std::size_t k, std::int32_t out, Row* to) {
        const StreamPass& pass = stage.pass;
        if (pass.kernel == nullptr) {
            const std::int32_t n = windowCount(out, pass.reach, height_);
            if constexpr (kIntegerRows) {
                const Divisor divisor(n, true);
                kernels_.rowMeans(stage.sums.data(), divisor.half, divisor.reciprocal, to, width_);
                if (selection_ != nullptr) {
                    std::fill(stage.fullCounts.begin(), stage.fullCounts.end(), n);
                    if (kernels_.partialWindows(stage.counts.data(), noCounts_.data(), stage.fullCounts.data(),
                                                selected(out), to, stage.partial.data(), width_)) {
                        meanPartialColumns(stage, k, out, to);
                    }
                }
            } else {
                kernels_.rowMeansFloat(stage.sums.data(), floatReciprocal(n), to, width_);
            }
            return;
        }
        for (std::int32_t d = -stage.peakReach; d <= stage.peakReach; ++d) {
            const bool inFrame = out + d >= 0 && out + d < height_;
            stage.taps[d + stage.peakReach] = inFrame ? slot(k, out + d) : zeros_.data();
        }
        kernels_.convolveRows(stage.taps.data(), pass.kernel->weights.get(), stage.peakReach, stage.peaks.data(),
                              width_);
        const std::int32_t weight = weightOnLine(*pass.kernel, out, height_);
        if constexpr (kIntegerRows) {
            const Divisor peak(weight, pass.kernel->tailTotal == 0);
            if (pass.kernel->tailTotal == 0) {
                kernels_.rowMeans(stage.peaks.data(), peak.half, peak.reciprocal, to, width_);
                return;
            }
            const Divisor tail(windowCount(out, pass.reach, height_), false);
            kernels_.rowMeans(stage.peaks.data(), peak.half, peak.reciprocal, stage.peakMeans.data(), width_);
            kernels_.rowMeans(stage.sums.data(), tail.half, tail.reciprocal, stage.tailMeans.data(), width_);
            kernels_.blendTail(stage.peakMeans.data(), stage.tailMeans.data(), pass.kernel->tailTotal, to, width_);
        } else {
            std::fill(stage.weightSums.begin(), stage.weightSums.end(), static_cast<double>(weight));
            kernels_.gaussianMeansFloat(stage.peaks.data(), stage.weightSums.data(), to, width_);
        }
    }

    // A row of a horizontal stage: its input row (row y) is in the stage's buffer.
    void blurRow(Stage& stage, std::int32_t y, Row* out) {
        const StreamPass& pass = stage.pass;
        const Row* in = stage.rows.data() + stage.peakReach;
        if constexpr (kIntegerRows) {
            if (pass.kernel == nullptr && selection_ == nullptr && pass.reach <= kLongestNarrowReach) {
                narrowBoxRow(stage, in, out);
                return;
            }
            const std::int32_t* high = nullptr;
            if (hasSums(pass)) {
                std::int32_t* prefix = stage.sums.data();
                kernels_.prefixSums(in, prefix + pass.reach, width_);
                std::fill(prefix + pass.reach + 1 + width_, prefix + 2 * pass.reach + 1 + width_,
                          prefix[pass.reach + width_]);
                high = prefix + 2 * pass.reach + 1;
            }
            if (pass.kernel == nullptr) {
                windowMeans(stage, high, out);
                if (selection_ != nullptr) meanPartialWindowsAcross(stage, y, out);
                return;
            }
            kernels_.convolve(stage.taps.data(), pass.kernel->weights.get(), stage.peakReach, stage.peaks.data(),
                              width_);
            if (pass.kernel->tailTotal == 0) {
                kernels_.positionMeans(stage.peaks.data(), stage.peakHalves.data(), stage.peakReciprocals.data(), out,
                                       width_);
                return;
            }
            kernels_.positionMeans(stage.peaks.data(), stage.peakHalves.data(), stage.peakReciprocals.data(),
                                   stage.peakMeans.data(), width_);
            windowMeans(stage, high, stage.tailMeans.data());
            kernels_.blendTail(stage.peakMeans.data(), stage.tailMeans.data(), pass.kernel->tailTotal, out, width_);
        } else if (pass.kernel == nullptr) {
            double* prefix = stage.sums.data();
            kernels_.prefixSumsFloat(in, prefix + pass.reach, width_);
            std::fill(prefix + pass.reach + 1 + width_, prefix + 2 * pass.reach + 1 + width_,
                      prefix[pass.reach + width_]);
            floatWindowMeans(stage, prefix + 2 * pass.reach + 1, prefix, out);
        } else {
            kernels_.widenFloats(in, stage.wideRow.data() + stage.peakReach, width_);
            kernels_.convolveDoubles(stage.wideTaps.data(), pass.kernel->weights.get(), stage.peakReach,
                                     stage.peaks.data(), width_);
            kernels_.gaussianMeansFloat(stage.peaks.data(), stage.weightSums.data(), out, width_);
        }
    }

    // Float window means across, from the prefix sums: the windows that lie wholly on the line
    // share one divisor, those within a window's reach of its ends have their own.
    void floatWindowMeans(const Stage& stage, const double* high, const double* low, float* out) {
        const std::int32_t reach = stage.pass.reach;
        const std::int32_t innerFirst = std::min(reach, width_), innerLast = std::max(width_ - reach, innerFirst);
        kernels_.windowMeansFloat(high, low, stage.reciprocals.data(), out, innerFirst);
        kernels_.equalWindowMeansFloat(high + innerFirst, low + innerFirst, floatReciprocal(2 * reach + 1),
                                       out + innerFirst, innerLast - innerFirst);
        kernels_.windowMeansFloat(high + innerLast, low + innerLast, stage.reciprocals.data() + innerLast,
                                  out + innerLast, width_ - innerLast);
    }

    // Integer window means across, from the prefix sums.
    void windowMeans(const Stage& stage, const std::int32_t* high, Row16* out) {
        if (!stage.shortReciprocals.empty()) {
            kernels_.shortWindowMeans(high, stage.sums.data(), stage.halves.data(), stage.shortReciprocals.data(), out,
                                      width_);
        } else {
            kernels_.windowMeans(high, stage.sums.data(), stage.halves.data(), stage.reciprocals.data(), out, width_);
        }
    }

    // A box row across whose windows reach a place or two: the inner positions share one
    // divisor, the few pixels at the ends sum what lies on the line.
    void narrowBoxRow(const Stage& stage, const Row16* in, Row16* out) {
        const std::int32_t reach = stage.pass.reach, length = pixels();
        auto meanAt = [&](std::int32_t x) {
            for (std::int32_t c = 0; c < step_; ++c) {
                std::int32_t sum = 0;
                for (std::int32_t at = std::max(x - reach, 0); at <= std::min(x + reach, length - 1); ++at) {
                    sum += in[at * step_ + c];
                }
                out[x * step_ + c] = static_cast<Row16>(
                    static_cast<std::int32_t>(static_cast<double>(sum + stage.halves[x]) * stage.reciprocals[x]));
            }
        };
        static_assert(2 * kLongestNarrowReach + 1 <= QuotientTable::kLongestFloatDivisor, "float quotients");
        const std::int32_t inner = 2 * reach + 1;
        kernels_.narrowBoxMeans(in, reach, step_, inner / 2, QuotientTable::roundedUpFloatReciprocal(inner), out,
                                width_);
        for (std::int32_t x = 0; x < std::min(reach, length); ++x) meanAt(x);
        for (std::int32_t x = std::max(length - reach, reach); x < length; ++x) meanAt(x);
    }

    const std::uint8_t* selected(std::int32_t y) const { return selection_->mask->row(y); }

    Row16 meanOf(std::int32_t sum, std::int32_t count) const {
        return static_cast<Row16>(static_cast<std::int32_t>(static_cast<double>(sum + count / 2) *
                                                            selection_->reciprocals[count]));
    }

    // Calls visit(x) for every position marked in `partial`, skipping unmarked words at once.
    template <class Visit>
    void forEachPartial(const Stage& stage, Visit visit) const {
        const std::uint8_t* partial = stage.partial.data();
        for (std::int32_t x = 0; x < width_; x += sizeof(std::uint64_t)) {
            std::uint64_t word;
            std::memcpy(&word, partial + x, sizeof word);
            if (word == 0) continue;
            for (std::int32_t i = x; i < std::min<std::int32_t>(x + sizeof word, width_); ++i) {
                if (partial[i] != 0) visit(i);
            }
        }
    }

    // Row y across, at the selected positions whose windows hold unselected pixels: the mean
    // of the selected ones, or with keep-division of the run holding the position (found once
    // for all the positions of the run).
    void meanPartialWindowsAcross(Stage& stage, std::int32_t y, Row16* out) {
        const std::int32_t reach = stage.pass.reach;
        const std::uint8_t* isSelected = selected(y);
        std::int32_t* ones = stage.counts.data();
        kernels_.selectedOnes(isSelected, stage.ones.data(), width_);
        kernels_.prefixSums(stage.ones.data(), ones + reach, width_);
        std::fill(ones + reach + 1 + width_, ones + 2 * reach + 1 + width_, ones[reach + width_]);
        if (!kernels_.partialWindows(ones + 2 * reach + 1, ones, stage.fullCounts.data(), isSelected, out,
                                     stage.partial.data(), width_)) {
            return;
        }
        const std::int32_t* sums = stage.sums.data() + reach;  // sums[x]: values before x
        std::int32_t runFirst = 0, runLast = -1;
        forEachPartial(stage, [&](std::int32_t x) {
            std::int32_t low = std::max(x - reach, 0), high = std::min(x + reach, width_ - 1);
            if (!selection_->keepDivision) {
                out[x] = meanOf(sums[high + 1] - sums[low], ones[reach + high + 1] - ones[reach + low]);
                return;
            }
            if (x > runLast) {
                runFirst = x;
                while (runFirst > 0 && isSelected[runFirst - 1] != 0) --runFirst;
                const auto* gap = static_cast<const std::uint8_t*>(
                    std::memchr(isSelected + x, 0, static_cast<std::size_t>(width_ - x)));
                runLast = gap != nullptr ? static_cast<std::int32_t>(gap - isSelected) - 1 : width_ - 1;
            }
            low = std::max(low, runFirst);
            high = std::min(high, runLast);
            out[x] = meanOf(sums[high + 1] - sums[low], high - low + 1);
        });
    }

    // Output row `out` of a vertical stage, at the same positions.
    void meanPartialColumns(Stage& stage, std::size_t k, std::int32_t out, Row16* to) {
        const std::int32_t reach = stage.pass.reach;
        if (!selection_->keepDivision) {
            forEachPartial(stage, [&](std::int32_t x) { to[x] = meanOf(stage.sums[x], stage.counts[x]); });
            return;
        }
        const std::int32_t top = std::max(out - reach, 0), bottom = std::min(out + reach, height_ - 1);
        // The rows the windows reach (and the one leaving), looked up once for the row.
        const std::int32_t first = std::max(out - 1 - reach, 0);
        stage.rowsAt.clear();
        stage.selectedAt.clear();
        for (std::int32_t j = first; j <= bottom; ++j) {
            stage.rowsAt.push_back(slot(k, j));
            stage.selectedAt.push_back(selected(j));
        }
        auto value = [&](std::int32_t j, std::int32_t x) -> std::int32_t { return stage.rowsAt[j - first][x]; };
        auto isSelected = [&](std::int32_t j, std::int32_t x) { return stage.selectedAt[j - first][x] != 0; };
        forEachPartial(stage, [&](std::int32_t x) {
            ColumnRun& run = stage.runs[x];
            if (run.row == out - 1) {
                // The run goes on: the row above joins the part above (whose oldest row may
                // leave), this row leaves the part below, and the row the window reaches anew
                // joins it when the part below was cut by the window alone.
                run.upSum += value(out - 1, x);
                if (++run.up > reach) {
                    run.upSum -= value(out - 1 - reach, x);
                    run.up = reach;
                }
                run.downSum -= value(out, x);
                --run.down;
                if (run.down + 1 == reach && out + reach < height_ && isSelected(out + reach, x)) {
                    run.downSum += value(out + reach, x);
                    ++run.down;
                }
            } else {
                run.up = run.down = run.upSum = run.downSum = 0;
                for (std::int32_t j = out - 1; j >= top && isSelected(j, x); --j, ++run.up) run.upSum += value(j, x);
                for (std::int32_t j = out + 1; j <= bottom && isSelected(j, x); ++j, ++run.down) {
                    run.downSum += value(j, x);
                }
            }
            run.row = out;
            to[x] = meanOf(run.upSum + value(out, x) + run.downSum, run.up + 1 + run.down);
        });
    }

    const RowKernels<Pixel>& kernels_;
    const StreamSelection* selection_;
    const std::int32_t step_;
    const std::int32_t width_, height_;
    std::vector<Stage> stages_;
    RowRange input_{0, 0};
    std::pmr::vector<Row> zeros_;         // the rows outside the frame
    std::pmr::vector<std::int32_t> noCounts_;  // the low end of column counts, which start from 0
    std::pmr::vector<Row> finished_;
    std::int32_t finishedRows_ = 1;
    std::int32_t finishedUpTo_;
};
