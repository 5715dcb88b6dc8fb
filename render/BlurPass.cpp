#include "render/BlurPass.h"

#include "render/BoxColumnSweep.h"
#include "render/LineBlurrer.h"
#include "render/SparseBoxPass.h"
#include "render/WorldPixels.h"

#include <algorithm>
#include <type_traits>
#include <vector>

namespace {

template <class Pixel, class KernelSet>
PF_Err blurRows(const BlurTask<KernelSet>& task, std::int32_t iteration, std::int32_t iterations) {
    const std::int32_t width = task.area.right - task.area.left;
    const Band band = rowBand(iteration, iterations, task.area.bottom - task.area.top);
    if (band.count == 0) return PF_Err_NONE;

    // 16-bit box rows with few selected pixels go from the list of them, without keep-division
    // (with it, the line blur's spans are as short as the list; measured no faster).
    constexpr bool listable = std::is_same<Pixel, PF_Pixel16>::value && std::is_same<KernelSet, BoxWindowSet>::value;
    LineBlurrer<Pixel> blurrer(width, *task.quotients);
    SelectedPixelRow selected(listable ? width : 0);
    for (std::int32_t j = band.first; j < band.first + band.count; ++j) {
        if (task.mask.rowFlags[j] == 0) continue;
        const A_long y = task.area.top + j;
        const BlurLine<Pixel> line{worldPixel<Pixel>(*task.source, task.area.left, y), task.mask.row(j),
                                   worldPixel<Pixel>(*task.destination, task.area.left, y), width};
        if constexpr (listable) {
            if (!task.keepDivision && sparseEnoughForTheList(selected.collect(line), width)) {
                selected.box(line, task.kernels, *task.quotients);
                continue;
            }
        }
        blurrer.blur(line, task.kernels, task.keepDivision);
    }
    return PF_Err_NONE;
}

// Columns are gathered a few at a time, so that every row of the world is read and
// written in short contiguous pieces rather than one pixel per cache line.
constexpr std::int32_t kColumnBlock = 8;

template <class Pixel, class KernelSet>
PF_Err blurColumns(const BlurTask<KernelSet>& task, std::int32_t iteration, std::int32_t iterations) {
    const std::int32_t height = task.area.bottom - task.area.top;
    const Band band = rowBand(iteration, iterations, task.area.right - task.area.left);
    if (band.count == 0) return PF_Err_NONE;
    if constexpr (std::is_same<KernelSet, BoxWindowSet>::value) {
        if constexpr (std::is_same<Pixel, PF_Pixel16>::value) {
            if (sweepSelectedColumns(task, band.first, band.count)) return PF_Err_NONE;
        }
        if (canSweepBoxColumns<Pixel>(task, band.first, band.count)) {
            sweepBoxColumns<Pixel>(task, band.first, band.count);
            return PF_Err_NONE;
        }
    }

    LineBlurrer<Pixel> blurrer(height, *task.quotients);
    const std::size_t blockSize = static_cast<std::size_t>(kColumnBlock) * height;
    std::vector<Pixel> source(blockSize);
    std::vector<Pixel> target(blockSize);
    std::vector<std::uint8_t> mask(blockSize);
    const std::uint8_t* columnFlags = task.mask.columnFlags;
    const std::int32_t bandEnd = band.first + band.count;
    for (std::int32_t first = band.first; first < bandEnd; first += kColumnBlock) {
        const std::int32_t columns = std::min(kColumnBlock, bandEnd - first);
        if (std::all_of(columnFlags + first, columnFlags + first + columns, [](std::uint8_t f) { return f == 0; })) {
            continue;
        }
        const A_long left = task.area.left + first;
        for (std::int32_t j = 0; j < height; ++j) {
            const Pixel* from = worldPixel<Pixel>(*task.source, left, task.area.top + j);
            const Pixel* to = worldPixel<Pixel>(*task.destination, left, task.area.top + j);
            const std::uint8_t* selected = task.mask.row(j) + first;
            for (std::int32_t b = 0; b < columns; ++b) {
                source[b * height + j] = from[b];
                target[b * height + j] = to[b];
                mask[b * height + j] = selected[b];
            }
        }
        for (std::int32_t b = 0; b < columns; ++b) {
            if (columnFlags[first + b] == 0) continue;
            const std::size_t at = static_cast<std::size_t>(b) * height;
            blurrer.blur(BlurLine<Pixel>{&source[at], &mask[at], &target[at], height}, task.kernels, task.keepDivision);
        }
        for (std::int32_t j = 0; j < height; ++j) {
            Pixel* to = worldPixel<Pixel>(*task.destination, left, task.area.top + j);
            for (std::int32_t b = 0; b < columns; ++b) {
                if (mask[b * height + j] != 0) to[b] = target[b * height + j];
            }
        }
    }
    return PF_Err_NONE;
}

// Enough that the workers end together on a frame whose selection is uneven, few enough that
// each band's set-up stays small beside its lines (8 to 16 measured best on UHD).
constexpr std::int32_t kBandsPerWorker = 8;

}  // namespace

template <class Pixel, class KernelSet>
PF_Err runBlurPass(PF_InData* inData, A_long iterations, const BlurTask<KernelSet>& task, BlurDirection direction) {
    using Task = BlurTask<KernelSet>;
    if (areaIsEmpty(task.area)) return PF_Err_NONE;
    if (!maskMatchesArea(task.mask, task.area)) return PF_Err_BAD_CALLBACK_PARAM;
    if (iterations == PF_Iterations_ONCE_PER_PROCESSOR) {
        // A selection can lie in one part of the frame: the workers take small bands in turn
        // rather than one large band each.
        if (direction == BlurDirection::Horizontal) {
            return runPixelTaskInChunks<Task, blurRows<Pixel, KernelSet>>(inData, kBandsPerWorker, task);
        }
        return runPixelTaskInChunks<Task, blurColumns<Pixel, KernelSet>>(inData, kBandsPerWorker, task);
    }
    if (direction == BlurDirection::Horizontal) {
        return runPixelTask<Task, blurRows<Pixel, KernelSet>>(inData, iterations, task);
    }
    return runPixelTask<Task, blurColumns<Pixel, KernelSet>>(inData, iterations, task);
}

template PF_Err runBlurPass<PF_Pixel16, GaussKernelSet>(PF_InData*, A_long, const BlurTask<GaussKernelSet>&,
                                                        BlurDirection);
template PF_Err runBlurPass<PF_Pixel16, BoxWindowSet>(PF_InData*, A_long, const BlurTask<BoxWindowSet>&, BlurDirection);
template PF_Err runBlurPass<PF_PixelFloat, GaussKernelSet>(PF_InData*, A_long, const BlurTask<GaussKernelSet>&,
                                                           BlurDirection);
template PF_Err runBlurPass<PF_PixelFloat, BoxWindowSet>(PF_InData*, A_long, const BlurTask<BoxWindowSet>&,
                                                         BlurDirection);
