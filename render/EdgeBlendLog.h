#pragma once
// Where the blends of one band of rows of the edge smoothing pass go. Every decision depends
// only on the flag map and the source, never on the destination, so bands decide at the same
// time. A single pass from the top would give each destination pixel first the blends of the
// bands above, then those of its own band, then those of the bands below. So a band applies
// its blends of its own rows at once and keeps those of other rows, in order, for later; it
// also keeps its blends of its first rows, where blends from the band above may land: such
// pixels are later set back to the source and blended again in the right order. The band's
// rows come from the source as its blends first reach them (EdgeBandCopy).

#include "render/BlendWeights.h"
#include "render/EdgeBandCopy.h"
#include "render/EdgeSmoothDepth.h"
#include "render/PixelAccumulator.h"
#include "render/PixelArithmetic.h"
#include "render/WorldPixels.h"

#include <algorithm>
#include <cstdint>
#include <vector>

template <class Pixel>
class EdgeBlendLog {
public:
    using Weight = typename EdgeSmoothDepth<Pixel>::Weight;

    // Starts the band of rows [firstRow, endRow), whose blends go to `destination`, which takes
    // the band's rows of `source` first; the blends of its first keptRows rows are kept as well.
    void start(const PF_EffectWorld& source, PF_EffectWorld& destination, std::int32_t firstRow, std::int32_t endRow,
               std::int32_t keptRows) {
        destination_ = &destination;
        copy_.start(source, destination, firstRow, endRow);
        firstRow_ = firstRow;
        endRow_ = endRow;
        keptEnd_ = std::min(endRow, firstRow + keptRows);
        directFirst_ = directEnd_ = keptEnd_;
        only_ = nullptr;
        kept_.clear();
        others_.clear();
        means_.clear();
    }
    // Starts the band again to apply only its blends of the pixels `only` (sorted keys, see
    // key()), keeping nothing.
    void restart(const std::vector<std::int64_t>& only) {
        only_ = &only;
        directFirst_ = directEnd_ = endRow_;
    }
    // Copies the band's rows no blend reached; the band's own rows are then complete.
    void finishCopy() {
        copy_.finish();
        directEnd_ = std::max(directFirst_, copy_.copiedEnd());
    }

    // Moves (x, y) toward a colour by w.
    [[gnu::always_inline]] void blend(std::int32_t x, std::int32_t y, const Pixel& colour, Weight w) {
        if (appliesDirectly(y)) {
            mixPixel(*worldPixel<Pixel>(*destination_, x, y), colour, w);
            return;
        }
        add({x, y, colour, w, -1});
    }
    // Replaces (x, y) by the mean of `mean` and its own value at full weight.
    void average(std::int32_t x, std::int32_t y, const PixelAccumulator<Pixel>& mean) {
        Entry e{x, y, Pixel{}, Weight(0), -1};
        if (appliesDirectly(y)) {
            applyMean(e, mean);
            return;
        }
        if (keeps(y)) {
            means_.push_back(mean);
            e.mean = static_cast<std::int32_t>(means_.size()) - 1;
        }
        add(e, &mean);
    }

    // The pixel (x, y) of a picture `width` wide as one number, in raster order.
    static std::int64_t key(std::int32_t x, std::int32_t y, std::int32_t width) {
        return std::int64_t(y) * width + x;
    }
    // Adds the pixels of rows [firstRow, endRow) this band's kept blends of other rows land on.
    void addTargets(std::int32_t firstRow, std::int32_t endRow, std::vector<std::int64_t>& keys) const {
        for (const Entry& e : others_) {
            if (e.y >= firstRow && e.y < endRow) keys.push_back(key(e.x, e.y, destination_->width));
        }
    }
    // Whether every one of these pixels of its own rows lies where the band kept its blends.
    bool keptAll(const std::vector<std::int64_t>& keys) const {
        return keys.empty() || keys.back() < key(0, keptEnd_, destination_->width);
    }
    // Applies the band's kept blends of its own rows on the pixels `only` (sorted keys). Blends
    // from above reach a row or two into the band, fewer than it keeps: most kept blends lie
    // past the last of those pixels.
    void applyKept(const std::vector<std::int64_t>& only) const {
        if (only.empty()) return;
        const std::int64_t first = only.front(), last = only.back();
        for (const Entry& e : kept_) {
            const std::int64_t k = key(e.x, e.y, destination_->width);
            if (k >= first && k <= last && std::binary_search(only.begin(), only.end(), k)) apply(e);
        }
    }
    // Applies the band's kept blends of rows [firstRow, endRow), another band's rows.
    void applyOthers(std::int32_t firstRow, std::int32_t endRow) const {
        for (const Entry& e : others_) {
            if (e.y >= firstRow && e.y < endRow) apply(e);
        }
    }

private:
    struct Entry {
        std::int32_t x, y;
        Pixel colour;
        Weight weight;
        std::int32_t mean;  // index into means_, or -1 for a blend
    };

    bool owns(std::int32_t y) const { return y >= firstRow_ && y < endRow_; }
    // Most blends land on the band's own rows below the kept ones, already copied: applied at
    // once, nothing to remember (one unsigned compare for both ends).
    bool appliesDirectly(std::int32_t y) const {
        return static_cast<std::uint32_t>(y - directFirst_) < static_cast<std::uint32_t>(directEnd_ - directFirst_);
    }
    // Whether a blend of row y is kept. Nothing is kept once the band started again: the
    // other bands may be reading what it kept.
    bool keeps(std::int32_t y) const { return only_ == nullptr && (!owns(y) || y < keptEnd_); }

    // Out of line, so that the direct blend above stays small enough to be inlined.
    [[gnu::noinline]] void add(const Entry& e, const PixelAccumulator<Pixel>* mean = nullptr) {
        if (!owns(e.y)) {
            if (keeps(e.y)) others_.push_back(e);
            return;
        }
        if (e.y >= copy_.copiedEnd()) {
            copy_.through(e.y);
            directEnd_ = std::max(directFirst_, copy_.copiedEnd());
        }
        if (only_ != nullptr &&
            !std::binary_search(only_->begin(), only_->end(), key(e.x, e.y, destination_->width))) {
            return;
        }
        if (keeps(e.y)) kept_.push_back(e);
        if (mean != nullptr) {
            applyMean(e, *mean);
        } else {
            apply(e);
        }
    }

    void apply(const Entry& e) const {
        if (e.mean < 0) {
            mixPixel(*worldPixel<Pixel>(*destination_, e.x, e.y), e.colour, e.weight);
        } else {
            applyMean(e, means_[static_cast<std::size_t>(e.mean)]);
        }
    }
    void applyMean(const Entry& e, PixelAccumulator<Pixel> mean) const {
        Pixel& pixel = *worldPixel<Pixel>(*destination_, e.x, e.y);
        mean.add(pixel, WeightScale<Weight>::kFull);
        mean.resolve(pixel);
    }

    PF_EffectWorld* destination_ = nullptr;
    std::int32_t firstRow_ = 0;
    std::int32_t endRow_ = 0;
    std::int32_t keptEnd_ = 0;
    std::int32_t directFirst_ = 0;  // rows [directFirst_, directEnd_) take blends without an entry
    std::int32_t directEnd_ = 0;
    EdgeBandCopy<Pixel> copy_;
    const std::vector<std::int64_t>* only_ = nullptr;
    std::vector<Entry> kept_;    // blends of the band's first rows, also applied at once
    std::vector<Entry> others_;  // blends of other bands' rows, applied later
    std::vector<PixelAccumulator<Pixel>> means_;
};
