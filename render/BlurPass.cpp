#include "render/BlurPass.h"

#include "render/LineBlurrer.h"
#include "render/WorldPixels.h"

#include <vector>

namespace {

template <class Pixel, class KernelSet>
PF_Err blurRows(const BlurTask<KernelSet>& task, std::int32_t iteration, std::int32_t iterations) {
    const std::int32_t width = task.area.right - task.area.left;
    const Band band = rowBand(iteration, iterations, task.area.bottom - task.area.top);
    if (band.count == 0) return PF_Err_NONE;

    LineBlurrer<Pixel> blurrer(width);
    for (std::int32_t j = band.first; j < band.first + band.count; ++j) {
        if (task.mask.rowFlags[j] == 0) continue;
        const A_long y = task.area.top + j;
        const BlurLine<Pixel> line{worldPixel<Pixel>(*task.source, task.area.left, y), task.mask.row(j),
                                   worldPixel<Pixel>(*task.destination, task.area.left, y), width};
        blurrer.blur(line, task.kernels, task.keepDivision);
    }
    return PF_Err_NONE;
}

template <class Pixel, class KernelSet>
PF_Err blurColumns(const BlurTask<KernelSet>& task, std::int32_t iteration, std::int32_t iterations) {
    const std::int32_t height = task.area.bottom - task.area.top;
    const Band band = rowBand(iteration, iterations, task.area.right - task.area.left);
    if (band.count == 0) return PF_Err_NONE;

    LineBlurrer<Pixel> blurrer(height);
    std::vector<Pixel> source(static_cast<std::size_t>(height));
    std::vector<Pixel> target(static_cast<std::size_t>(height));
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(height));
    for (std::int32_t k = band.first; k < band.first + band.count; ++k) {
        if (task.mask.columnFlags[k] == 0) continue;
        const A_long x = task.area.left + k;
        for (std::int32_t j = 0; j < height; ++j) {
            const A_long y = task.area.top + j;
            mask[j] = task.mask.row(j)[k];
            source[j] = *worldPixel<Pixel>(*task.source, x, y);
            target[j] = *worldPixel<Pixel>(*task.destination, x, y);
        }
        blurrer.blur(BlurLine<Pixel>{source.data(), mask.data(), target.data(), height}, task.kernels,
                     task.keepDivision);
        for (std::int32_t j = 0; j < height; ++j) {
            if (mask[j] != 0) *worldPixel<Pixel>(*task.destination, x, task.area.top + j) = target[j];
        }
    }
    return PF_Err_NONE;
}

}  // namespace

template <class Pixel, class KernelSet>
PF_Err runBlurPass(PF_InData* inData, A_long iterations, const BlurTask<KernelSet>& task, BlurDirection direction) {
    using Task = BlurTask<KernelSet>;
    if (areaIsEmpty(task.area)) return PF_Err_NONE;
    if (!maskMatchesArea(task.mask, task.area)) return PF_Err_BAD_CALLBACK_PARAM;
    if (direction == BlurDirection::Horizontal) {
        return runPixelTask<Task, blurRows<Pixel, KernelSet>>(inData, iterations, task);
    }
    return runPixelTask<Task, blurColumns<Pixel, KernelSet>>(inData, iterations, task);
}

template PF_Err runBlurPass<PF_Pixel16, GaussKernelSet>(PF_InData*, A_long, const BlurTask<GaussKernelSet>&,
                                                        BlurDirection);
template PF_Err runBlurPass<PF_Pixel16, BoxWindowSet>(PF_InData*, A_long, const BlurTask<BoxWindowSet>&,
                                                      BlurDirection);
template PF_Err runBlurPass<PF_PixelFloat, GaussKernelSet>(PF_InData*, A_long, const BlurTask<GaussKernelSet>&,
                                                           BlurDirection);
template PF_Err runBlurPass<PF_PixelFloat, BoxWindowSet>(PF_InData*, A_long, const BlurTask<BoxWindowSet>&,
                                                         BlurDirection);
