#include "render/SparseBoxPass.h"

#include "render/BlurArithmetic.h"
#include "render/PixelTraits.h"
#include "render/SelectedPositions.h"
#include "render/WorldPixels.h"

#include <algorithm>
#include <cstring>

namespace {

using Channel = std::uint16_t;
using Math = BlurArithmetic<Channel>;
using Traits = PixelTraits<PF_Pixel16>;

// How many bytes of mask[0, length) are not zero.
std::int64_t selectedIn(const std::uint8_t* mask, std::int32_t length) {
    constexpr std::uint64_t kLowBits = 0x0101010101010101ull;
    std::int64_t count = 0;
    std::int32_t x = 0;
    for (; x + 8 <= length; x += 8) {
        std::uint64_t word;
        std::memcpy(&word, mask + x, sizeof word);
        // Every byte's bits folded into its lowest bit; the shifts bring no bit across a byte.
        word |= word >> 4;
        word |= word >> 2;
        word |= word >> 1;
        count += __builtin_popcountll(word & kLowBits);
    }
    for (; x < length; ++x) count += mask[x] != 0 ? 1 : 0;
    return count;
}

// One channel of a collected line: the window [p - halfWidth, p + halfWidth] of each listed
// position p slides over the list; the positions entering and leaving it are the only ones
// that change it.
template <bool kEveryOneCounts>
void boxChannel(const std::int32_t* positions, const Channel* values, const std::uint16_t* counts,
                std::int32_t size, std::int32_t halfWidth, Channel* out, const QuotientTable& quotients) {
    auto countOf = [&](std::int32_t i) -> std::int32_t { return kEveryOneCounts ? 1 : counts[i]; };
    Math::WindowSum sum = 0;
    std::int32_t count = 0;
    std::int32_t entering = 0, leaving = 0;
    for (std::int32_t k = 0; k < size; ++k) {
        const std::int32_t p = positions[k];
        while (entering < size && positions[entering] <= p + halfWidth) {
            sum += values[entering];
            count += countOf(entering);
            ++entering;
        }
        while (positions[leaving] < p - halfWidth) {
            sum -= values[leaving];
            count -= countOf(leaving);
            ++leaving;
        }
        if (count != 0) out[kChannelsPerPixel * p] = Math::box(sum, count, quotients);
    }
}

}  // namespace

SelectedPixelRow::SelectedPixelRow(std::int32_t maxLength) {
    const std::size_t capacity = static_cast<std::size_t>(std::max(maxLength, 0));
    positions_.resize(capacity);
    for (auto& channelValues : values_) channelValues.resize(capacity);
    colorCounts_.resize(capacity);
}

std::int32_t SelectedPixelRow::collect(const BlurLine<PF_Pixel16>& line) {
    const auto* pixels = reinterpret_cast<const Channel*>(line.source);
    size_ = 0;
    forEachSelected(line.mask, line.length, [&](std::int32_t x) {
        const Channel* pixel = pixels + kChannelsPerPixel * x;
        const bool givesColor = !Traits::isTransparent(pixel[kAlphaChannel]);
        positions_[size_] = x;
        values_[kAlphaChannel][size_] = pixel[kAlphaChannel];
        for (int c = kRedChannel; c <= kBlueChannel; ++c) values_[c][size_] = givesColor ? pixel[c] : Channel(0);
        colorCounts_[size_] = givesColor ? 1 : 0;
        ++size_;
    });
    return size_;
}

void SelectedPixelRow::box(const BlurLine<PF_Pixel16>& line, const BoxWindowSet& windows,
                           const QuotientTable& quotients) const {
    for (int c = 0; c < kChannelsPerPixel; ++c) {
        const std::int32_t halfWidth = std::max(windows[c] - 1, 0);
        Channel* out = reinterpret_cast<Channel*>(line.target) + c;
        if (c == kAlphaChannel) {
            boxChannel<true>(positions_.data(), values_[c].data(), nullptr, size_, halfWidth, out, quotients);
        } else {
            boxChannel<false>(positions_.data(), values_[c].data(), colorCounts_.data(), size_, halfWidth, out,
                              quotients);
        }
    }
}

namespace {

// The four channels of a column's window, one lane each.
using Lanes = std::uint32_t __attribute__((vector_size(16)));
using ShortLanes = std::uint16_t __attribute__((vector_size(8)));

// A selected pixel as the windows take it: its values and counts, 0 where it does not count.
struct SelectedPixel {
    ShortLanes values;
    ShortLanes counts;
};

struct ColumnWindow {
    Lanes sum;
    Lanes count;
};

// The selected pixels of the rows the windows of the current row reach, in a ring of rows;
// each row holds only as many as it has, so long windows over sparse rows stay small.
class SelectedRowRing {
public:
    SelectedRowRing(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count, std::int32_t rows)
        : task_(task), first_(first), count_(count), slots_(static_cast<std::size_t>(rows)) {}

    // Rows are collected in order, each once.
    void collectUpTo(std::int32_t lastRow) {
        for (; collected_ <= lastRow; ++collected_) collect(collected_);
    }

    template <class Visit>
    void forEachPixel(std::int32_t j, Visit visit) const {
        const Slot& slot = slotOf(j);
        for (std::size_t i = 0; i < slot.columns.size(); ++i) visit(slot.columns[i], slot.pixels[i]);
    }

private:
    struct Slot {
        std::vector<std::int32_t> columns;
        std::vector<SelectedPixel> pixels;
    };
    const Slot& slotOf(std::int32_t j) const { return slots_[static_cast<std::size_t>(j) % slots_.size()]; }

    void collect(std::int32_t j) {
        Slot& slot = slots_[static_cast<std::size_t>(j) % slots_.size()];
        slot.columns.clear();
        slot.pixels.clear();
        if (task_.mask.rowFlags[j] == 0) return;
        const auto* pixels = reinterpret_cast<const Channel*>(
            worldPixel<PF_Pixel16>(*task_.source, task_.area.left + first_, task_.area.top + j));
        forEachSelected(task_.mask.row(j) + first_, count_, [&](std::int32_t x) {
            const Channel* pixel = pixels + kChannelsPerPixel * x;
            const Channel color = Traits::isTransparent(pixel[kAlphaChannel]) ? 0 : 0xFFFF;
            SelectedPixel selected{ShortLanes{pixel[0], pixel[1], pixel[2], pixel[3]}, ShortLanes{1, 1, 1, 1}};
            for (int c = 0; c < kChannelsPerPixel; ++c) {
                if (c == kAlphaChannel) continue;
                selected.values[c] &= color;
                selected.counts[c] &= color;
            }
            slot.columns.push_back(x);
            slot.pixels.push_back(selected);
        });
    }

    const BlurTask<BoxWindowSet>& task_;
    const std::int32_t first_, count_;
    std::vector<Slot> slots_;
    std::int32_t collected_ = 0;
};

// Channels whose windows reach equally far, so that one visit of a row serves them all.
struct ReachGroup {
    std::int32_t reach;
    Lanes channels;  // all ones in the group's lanes
};

std::vector<ReachGroup> reachGroups(const BoxWindowSet& windows) {
    std::vector<ReachGroup> groups;
    for (int c = 0; c < kChannelsPerPixel; ++c) {
        const std::int32_t reach = std::max(windows[c] - 1, 0);
        auto group = std::find_if(groups.begin(), groups.end(), [&](const ReachGroup& g) { return g.reach == reach; });
        if (group == groups.end()) group = groups.insert(groups.end(), ReachGroup{reach, Lanes{0, 0, 0, 0}});
        group->channels[c] = ~0u;
    }
    return groups;
}

}  // namespace

bool sweepSelectedColumns(const BlurTask<BoxWindowSet>& task, std::int32_t first, std::int32_t count) {
    if (task.keepDivision) return false;
    const std::int32_t height = task.area.bottom - task.area.top;
    std::int64_t selected = 0;
    for (std::int32_t j = 0; j < height; ++j) {
        if (task.mask.rowFlags[j] != 0) selected += selectedIn(task.mask.row(j) + first, count);
    }
    if (!sparseEnoughForTheList(selected, static_cast<std::int64_t>(count) * height)) return false;

    const std::vector<ReachGroup> groups = reachGroups(task.kernels);
    std::int32_t longestReach = 0;
    for (const ReachGroup& group : groups) longestReach = std::max(longestReach, group.reach);
    // A row's windows reach from longestReach rows above to longestReach below; the row that
    // leaves them is one further up.
    SelectedRowRing ring(task, first, count, std::min(2 * longestReach + 2, height));
    std::vector<ColumnWindow> windows(static_cast<std::size_t>(count));
    auto enter = [&](std::int32_t j, Lanes channels) {
        ring.forEachPixel(j, [&](std::int32_t x, const SelectedPixel& pixel) {
            windows[x].sum += __builtin_convertvector(pixel.values, Lanes) & channels;
            windows[x].count += __builtin_convertvector(pixel.counts, Lanes) & channels;
        });
    };
    auto leave = [&](std::int32_t j, Lanes channels) {
        ring.forEachPixel(j, [&](std::int32_t x, const SelectedPixel& pixel) {
            windows[x].sum -= __builtin_convertvector(pixel.values, Lanes) & channels;
            windows[x].count -= __builtin_convertvector(pixel.counts, Lanes) & channels;
        });
    };

    const QuotientTable& quotients = *task.quotients;
    for (std::int32_t y = 0; y < height; ++y) {
        ring.collectUpTo(std::min(y + longestReach, height - 1));
        for (const ReachGroup& group : groups) {
            if (y == 0) {
                for (std::int32_t j = 0; j <= std::min(group.reach, height - 1); ++j) enter(j, group.channels);
                continue;
            }
            if (y - group.reach - 1 >= 0) leave(y - group.reach - 1, group.channels);
            if (y + group.reach < height) enter(y + group.reach, group.channels);
        }
        if (task.mask.rowFlags[y] == 0) continue;
        auto* to = reinterpret_cast<Channel*>(
            worldPixel<PF_Pixel16>(*task.destination, task.area.left + first, task.area.top + y));
        ring.forEachPixel(y, [&](std::int32_t x, const SelectedPixel&) {
            const ColumnWindow& window = windows[x];
            for (int c = 0; c < kChannelsPerPixel; ++c) {
                const std::uint32_t n = window.count[c];
                if (n != 0) to[kChannelsPerPixel * x + c] = Math::box(window.sum[c], n, quotients);
            }
        });
    }
    return true;
}
