#include "render/RowStreamBlur.h"

#include "render/BlurKernels.h"
#include "render/ChannelStream.h"
#include "render/EveryPixelCounts.h"
#include "render/OneValueArea.h"
#include "render/OneValueChannels.h"
#include "render/PixelTask.h"
#include "render/WorldPixels.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <cstring>
#include <memory>
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
    // How far down the source must have come past an output row before every channel has it.
    std::int32_t latency = 0;
    // Columns and rows each side of an output pixel that its value depends on, in any channel.
    std::int32_t reachAcross = 0, reachDown = 0;
    bool tiled = false;  // bands go in tiles, those over one value copied (streamTiles)
    bool uncachedOutput = false;  // output rows are written past the caches
    // Every channel has the same passes: the four go as one stream of rows of whole pixels
    // (streamPixelRows).
    bool interleaved = false;

    // About the memory the streams of a line of `width` pixels take.
    std::size_t memoryOfRows(std::int32_t width) const {
        using Row = typename StreamDepth<Pixel>::Row;
        const std::int32_t height = area.bottom - area.top;
        if (interleaved) return ChannelStream<Pixel>::memoryOf(passes[0], kChannelsPerPixel * width, height, latency);
        std::size_t bytes = static_cast<std::size_t>(kChannelsPerPixel) * width * sizeof(Row);
        for (const auto& channel : passes) bytes += ChannelStream<Pixel>::memoryOf(channel, width, height, latency);
        return bytes;
    }
};

// The tiles of streamTiles: large enough that the rows and columns their windows reach beyond
// them, read again, cost little beside them (a flat UHD frame took a tenth longer in tiles of
// 32 x 16), small enough to fit into the flat areas of animation and graphics. (Pixel art with
// hard edges every few pixels has hardly a flat tile of even 8 x 8 once its edges are smoothed.)
constexpr std::int32_t kFlatTileColumns = 64;
constexpr std::int32_t kFlatTileRows = 32;
// Tiles are for the small radii of the edge smoothing's path: wider windows leave fewer tiles
// flat, and every row of tiles that streams reads more rows again.
constexpr std::int32_t kLongestTiledReach = 8;

// An output this large is far past what the caches hold: keeping its lines there would only
// cost reading them from memory before they are overwritten (a UHD 8-bit frame is 33 MB).
constexpr std::size_t kUncachedOutputBytes = std::size_t(32) << 20;

template <class Pixel>
bool outputIsUncached(const PF_LRect& area) {
    return static_cast<std::size_t>(area.right - area.left) * static_cast<std::size_t>(area.bottom - area.top) *
               sizeof(Pixel) >=
           kUncachedOutputBytes;
}

// Whether the channels can stream as one: integer rows without a selection, the same passes on
// every channel, each across a narrow box (whose neighbours are a pixel's width apart).
template <class Pixel>
bool channelsGoTogether(const StreamTask<Pixel>& task) {
    if (!std::is_same<typename StreamDepth<Pixel>::Row, std::uint16_t>::value || task.selection != nullptr) {
        return false;
    }
    const std::vector<StreamPass>& first = task.passes[0];
    for (const std::vector<StreamPass>& channel : task.passes) {
        if (channel.size() != first.size()) return false;
        for (std::size_t k = 0; k < first.size(); ++k) {
            if (channel[k].horizontal != first[k].horizontal || channel[k].reach != first[k].reach ||
                channel[k].kernel != nullptr || first[k].kernel != nullptr) {
                return false;
            }
            if (channel[k].horizontal && channel[k].reach > kLongestNarrowReach) return false;
        }
    }
    return true;
}

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
    for (const auto& passes : task.passes) {
        task.latency = std::max(task.latency, ChannelStream<Pixel>::latencyOf(passes, height));
        task.reachAcross = std::max(task.reachAcross, ChannelStream<Pixel>::reachAcrossOf(passes));
    }
    task.reachDown = task.latency;
    // Integer rows only: float box sums run from the start of the stream, and their means of
    // equal values need not come out as the value.
    task.tiled = std::is_same<typename StreamDepth<Pixel>::Row, std::uint16_t>::value && task.selection == nullptr &&
                 task.reachAcross <= kLongestTiledReach && task.reachDown <= kLongestTiledReach;
    task.interleaved = channelsGoTogether(task);
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

// Columns [first, last) of the area.
struct ColumnRange {
    std::int32_t first;
    std::int32_t last;  // exclusive
};

// Whether a source row (`width` pixels from the line's first column) may be streamed: rows
// need not count unless checked, and once one does not, no row of any band goes on.
template <class Pixel>
bool rowMayStream(const StreamTask<Pixel>& task, const Pixel* source, std::int32_t width) {
    if (!task.checkRows) return true;
    if (task.someRowFails.load(std::memory_order_relaxed)) return false;
    if (everyPixelOfRowCounts(source, width)) return true;
    task.someRowFails.store(true, std::memory_order_relaxed);
    return false;
}

// streamRows for channels that go together: one stream of rows of whole pixels, read and
// written as they lie in the frame, without parting and joining channels.
template <class Pixel>
bool streamPixelRows(const StreamTask<Pixel>& task, std::byte* storage, std::size_t storageSize, RowRange output,
                     ColumnRange line, ColumnRange kept) {
    using Channel = typename PixelTraits<Pixel>::Channel;
    const std::int32_t width = line.last - line.first, height = task.area.bottom - task.area.top;
    std::pmr::monotonic_buffer_resource memory(storage, storageSize);
    ChannelStream<Pixel> stream(task.kernels, task.passes[0], kChannelsPerPixel * width, height, output, task.latency,
                                &memory, nullptr, kChannelsPerPixel);
    const std::int32_t keptOffset = kChannelsPerPixel * (kept.first - line.first);
    const std::int32_t keptValues = kChannelsPerPixel * (kept.last - kept.first);
    std::int32_t written = output.first;
    for (std::int32_t y = stream.input().first; y < stream.input().last; ++y) {
        const Pixel* source = worldPixel<Pixel>(*task.source, task.area.left + line.first, task.area.top + y);
        if (!rowMayStream(task, source, width)) return false;
        task.kernels.widenValues(reinterpret_cast<const Channel*>(source), stream.inputSlot(y),
                                 kChannelsPerPixel * width);
        stream.accept(y);
        for (; written < stream.finishedUpTo(); ++written) {
            Pixel* to = worldPixel<Pixel>(*task.destination, task.area.left + kept.first, task.area.top + written);
            task.kernels.narrowValues(stream.finishedRow(written) + keptOffset, reinterpret_cast<Channel*>(to),
                                      keptValues);
        }
    }
    return true;
}

// Why streamRows stopped before its last row, if it did.
enum class StreamEnd { kDone, kRowDoesNotCount, kGuessFails };

// Streams output rows `output` at columns `kept`, reading the columns `line`: `kept` and the
// columns its windows reach, within the area. Windows that would reach past an end of `line`
// inside the area come out wrong, but only in the columns of `line` outside `kept`. `storage`
// holds memoryOfRows for the area's width. With `guess` (whole lines only, no selection, channels
// apart), its channels go as they are; when a row read does not bear it out, `unfinished` gets
// the first output row not written.
template <class Pixel>
StreamEnd streamRows(const StreamTask<Pixel>& task, std::byte* storage, std::size_t storageSize, RowRange output,
                     ColumnRange line, ColumnRange kept, const OneValueChannels<Pixel>* guess = nullptr,
                     std::int32_t* unfinished = nullptr) {
    if (task.interleaved) {
        return streamPixelRows(task, storage, storageSize, output, line, kept) ? StreamEnd::kDone
                                                                                : StreamEnd::kRowDoesNotCount;
    }
    using Row = typename StreamDepth<Pixel>::Row;
    using Channel = typename PixelTraits<Pixel>::Channel;
    const std::int32_t width = line.last - line.first, height = task.area.bottom - task.area.top;
    std::pmr::monotonic_buffer_resource memory(storage, storageSize);
    std::vector<ChannelStream<Pixel>> streams;
    streams.reserve(kChannelsPerPixel);
    RowRange rows = output;
    const std::vector<StreamPass> asItIs;
    for (int c = 0; c < kChannelsPerPixel; ++c) {
        const std::vector<StreamPass>& passes = guess != nullptr && guess->taken(c) ? asItIs : task.passes[c];
        streams.emplace_back(task.kernels, passes, width, height, output, task.latency, &memory, task.selection);
        rows.first = std::min(rows.first, streams[c].input().first);
        rows.last = std::max(rows.last, streams[c].input().last);
    }
    if (guess != nullptr) {  // every row the passes of the channels taken as they are would read
        rows.first = std::min(rows.first, std::max(output.first - task.latency, 0));
        rows.last = std::max(rows.last, std::min(output.last + task.latency, height));
    }
    auto needs = [&](int c, std::int32_t y) { return y >= streams[c].input().first && y < streams[c].input().last; };
    // Where the channels that do not need a source row put it.
    std::pmr::vector<Row> unneeded(static_cast<std::size_t>(kChannelsPerPixel) * width, &memory);
    const std::int32_t keptOffset = kept.first - line.first, keptWidth = kept.last - kept.first;

    std::int32_t written = output.first;
    for (std::int32_t y = rows.first; y < rows.last; ++y) {
        std::array<Row*, kChannelsPerPixel> slots;
        for (int c = 0; c < kChannelsPerPixel; ++c) {
            slots[c] = needs(c, y) ? streams[c].inputSlot(y) : unneeded.data() + static_cast<std::size_t>(c) * width;
        }
        const Pixel* source = worldPixel<Pixel>(*task.source, task.area.left + line.first, task.area.top + y);
        if (!rowMayStream(task, source, width)) return StreamEnd::kRowDoesNotCount;
        task.kernels.loadPixels(reinterpret_cast<const Channel*>(source), slots.data(), width);
        if (guess != nullptr && !guess->heldBy(slots.data(), width)) {
            *unfinished = written;
            return StreamEnd::kGuessFails;
        }
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
        // A channel taken as it is has its rows at once; the rows its passes would reach must
        // have borne the guess out before any of them goes out.
        if (guess != nullptr && y + 1 < rows.last) finished = std::min(finished, y + 1 - task.latency);
        for (; written < finished; ++written) {
            std::array<const Row*, kChannelsPerPixel> channels;
            for (int c = 0; c < kChannelsPerPixel; ++c) channels[c] = streams[c].finishedRow(written) + keptOffset;
            Pixel* to = worldPixel<Pixel>(*task.destination, task.area.left + kept.first, task.area.top + written);
            (task.uncachedOutput ? task.kernels.storePixelsUncached : task.kernels.storePixels)(
                channels.data(), reinterpret_cast<Channel*>(to), keptWidth);
            if (task.selection != nullptr) restoreUnselected(task, written, to);
        }
    }
    return StreamEnd::kDone;
}

// What the passes make of a pixel whose whole neighbourhood holds its value: that value, as
// the stream reads and writes it (a mean of equal values is the value, exactly).
template <class Pixel>
PixelWord<Pixel> throughTheStream(PixelWord<Pixel> word) {
    using Convert = StreamDepth<Pixel>;
    Pixel value;
    std::memcpy(&value, &word, sizeof value);
    value = Pixel{Convert::fromRow(Convert::toRow(value.alpha)), Convert::fromRow(Convert::toRow(value.red)),
                  Convert::fromRow(Convert::toRow(value.green)), Convert::fromRow(Convert::toRow(value.blue))};
    std::memcpy(&word, &value, sizeof word);
    return word;
}

template <class Pixel>
bool wordCounts(PixelWord<Pixel> word) {
    Pixel value;
    std::memcpy(&value, &word, sizeof value);
    return pixelCounts(value);
}

// The band in rows of tiles. A tile whose source, with every column and row its windows
// reach, holds one value gets that value; the others stream, the neighbouring ones of a row
// of tiles together, and rows of tiles without a single such tile together.
template <class Pixel>
bool streamTiles(const StreamTask<Pixel>& task, std::byte* storage, std::size_t storageSize, RowRange band) {
    const std::int32_t width = task.area.right - task.area.left, height = task.area.bottom - task.area.top;
    const std::int32_t tilesAcross = (width + kFlatTileColumns - 1) / kFlatTileColumns;
    const ColumnRange wholeLine{0, width};
    std::vector<std::uint8_t> oneValue;
    std::vector<PixelWord<Pixel>> values;
    auto columnsOf = [&](std::int32_t tile) {
        return ColumnRange{tile * kFlatTileColumns, std::min((tile + 1) * kFlatTileColumns, width)};
    };
    auto withReach = [&](ColumnRange columns) {
        return ColumnRange{std::max(columns.first - task.reachAcross, 0),
                           std::min(columns.last + task.reachAcross, width)};
    };
    RowRange waiting{band.first, band.first};  // rows of tiles that stream across the whole line
    for (std::int32_t top = band.first; top < band.last; top += kFlatTileRows) {
        const RowRange rows{top, std::min(top + kFlatTileRows, band.last)};
        findOneValueTiles<Pixel>(*task.source, task.area.left, task.area.right,
                                 task.area.top + std::max(rows.first - task.reachDown, 0),
                                 task.area.top + std::min(rows.last + task.reachDown, height), kFlatTileColumns,
                                 task.reachAcross, oneValue, values);
        if (std::find(oneValue.begin(), oneValue.end(), 1) == oneValue.end()) {
            waiting.last = rows.last;
            continue;
        }
        if (waiting.last > waiting.first &&
            streamRows(task, storage, storageSize, waiting, wholeLine, wholeLine) != StreamEnd::kDone) {
            return false;
        }
        waiting = {rows.last, rows.last};
        for (std::int32_t tile = 0; tile < tilesAcross; ++tile) {
            if (oneValue[tile] == 0) {
                const std::int32_t first = tile;
                while (tile + 1 < tilesAcross && oneValue[tile + 1] == 0) ++tile;
                const ColumnRange kept{columnsOf(first).first, columnsOf(tile).last};
                if (streamRows(task, storage, storageSize, rows, withReach(kept), kept) != StreamEnd::kDone) {
                    return false;
                }
            } else if (task.checkRows && !wordCounts<Pixel>(values[tile])) {
                task.someRowFails.store(true, std::memory_order_relaxed);
                return false;
            } else {
                values[tile] = throughTheStream<Pixel>(values[tile]);
            }
        }
        // The copied tiles row by row, each run of one value at once.
        for (std::int32_t y = rows.first; y < rows.last; ++y) {
            for (std::int32_t tile = 0; tile < tilesAcross; ++tile) {
                if (oneValue[tile] == 0) continue;
                const std::int32_t first = tile;
                while (tile + 1 < tilesAcross && oneValue[tile + 1] != 0 && values[tile + 1] == values[first]) ++tile;
                fillRow<Pixel>(*task.destination, task.area.left + columnsOf(first).first,
                               task.area.left + columnsOf(tile).last, task.area.top + y, values[first]);
            }
        }
    }
    return waiting.last == waiting.first ||
           streamRows(task, storage, storageSize, waiting, wholeLine, wholeLine) == StreamEnd::kDone;
}

template <class Pixel>
PF_Err streamBand(const StreamTask<Pixel>& task, std::int32_t iteration, std::int32_t iterations) {
    const std::int32_t width = task.area.right - task.area.left, height = task.area.bottom - task.area.top;
    const Band band = rowBand(iteration, iterations, height);
    if (band.count == 0) return PF_Err_NONE;
    const RowRange output{band.first, band.first + band.count};
    // The band's rows and sums in one block, given back whole: the worker's heap keeps a block
    // of that size for the next frame, where many smaller ones would go back to the system and
    // fault in afresh every frame. Every stream of the band uses it in turn.
    const std::size_t storageSize = task.memoryOfRows(width);
    const std::unique_ptr<std::byte[]> storage(new std::byte[storageSize]);
    if constexpr (!std::is_floating_point<typename PixelTraits<Pixel>::Channel>::value) {
        if (task.tiled) {
            streamTiles(task, storage.get(), storageSize, output);
            return PF_Err_NONE;
        }
    }
    const ColumnRange wholeLine{0, width};
    RowRange left = output;  // what streams with every pass
    if (!task.interleaved && task.selection == nullptr) {
        const OneValueChannels<Pixel> guess(worldPixel<Pixel>(*task.source, task.area.left, task.area.top + band.first),
                                            width);
        if (guess.any() && streamRows(task, storage.get(), storageSize, output, wholeLine, wholeLine, &guess,
                                      &left.first) != StreamEnd::kGuessFails) {
            return PF_Err_NONE;
        }
    }
    streamRows(task, storage.get(), storageSize, left, wholeLine, wholeLine);
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
    task.uncachedOutput = outputIsUncached<Pixel>(area);
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
    task.uncachedOutput = outputIsUncached<Pixel>(area);
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
