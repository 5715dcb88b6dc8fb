#include "render/RowStreamBlur.h"

#include "render/BlurKernels.h"
#include "render/ChannelStream.h"
#include "render/EveryPixelCounts.h"
#include "render/PixelTask.h"
#include "render/WorldPixels.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <memory_resource>
#include <type_traits>
#include <vector>

namespace {

constexpr std::int32_t kLongestStreamLine = 32767;

using ChannelPasses = std::array<std::vector<StreamPass>, kChannelsPerPixel>;

template <class Pixel>
struct StreamTask {
    const PF_EffectWorld* source;
    PF_EffectWorld* destination;
    PF_LRect area;
    std::vector<GaussKernelSet> kernelSets;  // one per pass; the passes point into them
    ChannelPasses passes;
    RowKernels<Pixel> kernels;
    bool checkRows = false;  // each source row must count
    mutable std::atomic<bool> someRowFails{false};
    // A masked blur: its selection, and the world its unselected pixels come from.
    const StreamSelection* selection = nullptr;
    const PF_EffectWorld* unselectedSource = nullptr;
};

// Each channel's passes that are not the identity.
template <class Pixel>
void planPasses(StreamTask<Pixel>& task, StreamKernel kernel, double aspect, const ChannelRadii& radii,
                std::int32_t repeatCount) {
    const std::int32_t width = task.area.right - task.area.left, height = task.area.bottom - task.area.top;
    const std::vector<BlurPassPlan> plans = planBlurPasses(aspect, radii, repeatCount);
    if (kernel == StreamKernel::Gaussian) {
        for (const BlurPassPlan& plan : plans) task.kernelSets.push_back(makeGaussKernelSet(plan));
    }
    for (std::size_t k = 0; k < plans.size(); ++k) {
        const bool horizontal = plans[k].direction == BlurDirection::Horizontal;
        const std::int32_t length = horizontal ? width : height;
        const BoxWindowSet windows = makeBoxWindowSet(plans[k]);
        for (int c = 0; c < kChannelsPerPixel; ++c) {
            const GaussKernel* gauss = kernel == StreamKernel::Gaussian ? &task.kernelSets[k][c] : nullptr;
            const std::int32_t size = gauss != nullptr ? gauss->size : windows[c];
            if (size < 2) continue;  // the identity
            task.passes[c].push_back({horizontal, std::min(size - 1, length), gauss});
        }
    }
}

// Unselected pixels of output row y keep their source value.
template <class Pixel>
void restoreUnselected(const StreamTask<Pixel>& task, std::int32_t y, Pixel* to) {
    const std::int32_t width = task.area.right - task.area.left;
    const std::uint8_t* selected = task.selection->mask->row(y);
    const Pixel* from = worldPixel<Pixel>(*task.unselectedSource, task.area.left, task.area.top + y);
    for (std::int32_t x = 0; x < width; ++x) {
        if (selected[x] == 0) to[x] = from[x];
    }
}

template <class Pixel>
PF_Err streamBand(const StreamTask<Pixel>& task, std::int32_t iteration, std::int32_t iterations) {
    using Row = typename StreamDepth<Pixel>::Row;
    using Channel = typename PixelTraits<Pixel>::Channel;
    const std::int32_t width = task.area.right - task.area.left, height = task.area.bottom - task.area.top;
    const Band band = rowBand(iteration, iterations, height);
    if (band.count == 0) return PF_Err_NONE;
    const RowRange output{band.first, band.first + band.count};

    std::int32_t latency = 0;
    for (const auto& passes : task.passes) latency = std::max(latency, ChannelStream<Pixel>::latencyOf(passes, height));
    // The band's rows and sums in one block, given back whole: the worker's heap keeps a block
    // of that size for the next frame, where many smaller ones would go back to the system and
    // fault in afresh every frame.
    std::size_t memoryNeeded = static_cast<std::size_t>(kChannelsPerPixel) * width * sizeof(Row);
    for (const auto& passes : task.passes) {
        memoryNeeded += ChannelStream<Pixel>::memoryOf(passes, width, height, latency);
    }
    std::pmr::monotonic_buffer_resource memory(memoryNeeded);
    std::vector<ChannelStream<Pixel>> streams;
    streams.reserve(kChannelsPerPixel);
    RowRange rows = output;
    for (int c = 0; c < kChannelsPerPixel; ++c) {
        streams.emplace_back(task.kernels, task.passes[c], width, height, output, latency, &memory, task.selection);
        rows.first = std::min(rows.first, streams[c].input().first);
        rows.last = std::max(rows.last, streams[c].input().last);
    }
    auto needs = [&](int c, std::int32_t y) { return y >= streams[c].input().first && y < streams[c].input().last; };
    // Where the channels that do not need a source row put it.
    std::pmr::vector<Row> unneeded(static_cast<std::size_t>(kChannelsPerPixel) * width, &memory);

    std::int32_t written = output.first;
    for (std::int32_t y = rows.first; y < rows.last; ++y) {
        std::array<Row*, kChannelsPerPixel> slots;
        for (int c = 0; c < kChannelsPerPixel; ++c) {
            slots[c] = needs(c, y) ? streams[c].inputSlot(y) : unneeded.data() + static_cast<std::size_t>(c) * width;
        }
        const Pixel* source = worldPixel<Pixel>(*task.source, task.area.left, task.area.top + y);
        if (task.checkRows) {
            if (task.someRowFails.load(std::memory_order_relaxed)) return PF_Err_NONE;
            if (!everyPixelOfRowCounts(source, width)) {
                task.someRowFails.store(true, std::memory_order_relaxed);
                return PF_Err_NONE;
            }
        }
        task.kernels.loadPixels(reinterpret_cast<const Channel*>(source), slots.data(), width);
        if constexpr (std::is_same<Row, std::uint16_t>::value) {
            if (task.selection != nullptr) {
                for (Row* slot : slots) task.kernels.keepSelected(slot, task.selection->mask->row(y), width);
            }
        }
        std::int32_t finished = output.last;
        for (int c = 0; c < kChannelsPerPixel; ++c) {
            if (needs(c, y)) streams[c].accept(y);
            finished = std::min(finished, streams[c].finishedUpTo());
        }
        for (; written < finished; ++written) {
            const std::array<const Row*, kChannelsPerPixel> channels = {
                streams[0].finishedRow(written), streams[1].finishedRow(written), streams[2].finishedRow(written),
                streams[3].finishedRow(written)};
            Pixel* to = worldPixel<Pixel>(*task.destination, task.area.left, task.area.top + written);
            task.kernels.storePixels(channels.data(), reinterpret_cast<Channel*>(to), width);
            if (task.selection != nullptr) restoreUnselected(task, written, to);
        }
    }
    return PF_Err_NONE;
}

}  // namespace

template <class Pixel>
bool canStreamBlur(StreamKernel kernel, const PF_LRect& area, double aspect, const ChannelRadii& radii,
                   std::int32_t repeatCount) {
    if (areaIsEmpty(area) || repeatCount < 1) return false;
    if (area.right - area.left > kLongestStreamLine || area.bottom - area.top > kLongestStreamLine) return false;
    if constexpr (std::is_floating_point<typename PixelTraits<Pixel>::Channel>::value) {
        if (kernel == StreamKernel::Box) return true;
        for (const BlurPassPlan& plan : planBlurPasses(aspect, radii, repeatCount)) {
            for (double r : plan.radii) {
                if (kernelSizeOf(r) > kKernelPeakCount) return false;
            }
        }
    }
    return true;
}

template <class Pixel>
PF_Err streamBlur(PF_InData* inData, A_long iterations, StreamKernel kernel, const PF_EffectWorld& source,
                  PF_EffectWorld& destination, const PF_LRect& area, double aspect, const ChannelRadii& radii,
                  std::int32_t repeatCount, bool* counted) {
    if (counted != nullptr) *counted = false;
    if (!canStreamBlur<Pixel>(kernel, area, aspect, radii, repeatCount)) return PF_Err_BAD_CALLBACK_PARAM;
    StreamTask<Pixel> task;
    task.source = &source;
    task.destination = &destination;
    task.area = area;
    task.kernels = rowKernelsForThisProcessor<Pixel>();
    task.checkRows = counted != nullptr;
    planPasses(task, kernel, aspect, radii, repeatCount);
    const PF_Err err = runPixelTask<StreamTask<Pixel>, streamBand<Pixel>>(inData, iterations, task);
    if (counted != nullptr) *counted = err == PF_Err_NONE && !task.someRowFails.load();
    return err;
}

template <class Pixel>
bool canStreamMaskedBlur(StreamKernel kernel, const PF_LRect& area, double aspect, const ChannelRadii& radii,
                         std::int32_t repeatCount) {
    if (kernel != StreamKernel::Box) return false;
    if (std::is_floating_point<typename PixelTraits<Pixel>::Channel>::value) return false;
    return canStreamBlur<Pixel>(kernel, area, aspect, radii, repeatCount);
}

template <class Pixel>
PF_Err streamMaskedBlur(PF_InData* inData, A_long iterations, const PF_EffectWorld& source,
                        const PF_EffectWorld& unselectedSource, PF_EffectWorld& destination, const PF_LRect& area,
                        const SelectionMask& mask, bool keepDivision, double aspect, const ChannelRadii& radii,
                        std::int32_t repeatCount) {
    if (!canStreamMaskedBlur<Pixel>(StreamKernel::Box, area, aspect, radii, repeatCount) ||
        !maskMatchesArea(mask, area)) {
        return PF_Err_BAD_CALLBACK_PARAM;
    }
    // A window holds at most a line of pixels.
    const std::int32_t longestLine = std::max(area.right - area.left, area.bottom - area.top);
    std::vector<double> reciprocals(static_cast<std::size_t>(longestLine) + 1, 0.0);
    for (std::int32_t n = 1; n <= longestLine; ++n) {
        reciprocals[n] = QuotientTable::roundedUpReciprocal(static_cast<std::uint32_t>(n));
    }
    const StreamSelection selection{&mask, keepDivision, reciprocals.data()};
    StreamTask<Pixel> task;
    task.source = &source;
    task.destination = &destination;
    task.area = area;
    task.kernels = rowKernelsForThisProcessor<Pixel>();
    task.selection = &selection;
    task.unselectedSource = &unselectedSource;
    planPasses(task, StreamKernel::Box, aspect, radii, repeatCount);
    return runPixelTask<StreamTask<Pixel>, streamBand<Pixel>>(inData, iterations, task);
}

#define VELUMIXER_STREAM_BLUR(Pixel)                                                                             \
    template bool canStreamBlur<Pixel>(StreamKernel, const PF_LRect&, double, const ChannelRadii&, std::int32_t); \
    template PF_Err streamBlur<Pixel>(PF_InData*, A_long, StreamKernel, const PF_EffectWorld&, PF_EffectWorld&,   \
                                      const PF_LRect&, double, const ChannelRadii&, std::int32_t, bool*);  \
    template bool canStreamMaskedBlur<Pixel>(StreamKernel, const PF_LRect&, double, const ChannelRadii&,           \
                                             std::int32_t);                                                          \
    template PF_Err streamMaskedBlur<Pixel>(PF_InData*, A_long, const PF_EffectWorld&, const PF_EffectWorld&,      \
                                            PF_EffectWorld&, const PF_LRect&, const SelectionMask&, bool, double, \
                                            const ChannelRadii&, std::int32_t);
VELUMIXER_STREAM_BLUR(PF_Pixel8)
VELUMIXER_STREAM_BLUR(PF_Pixel16)
VELUMIXER_STREAM_BLUR(PF_PixelFloat)
