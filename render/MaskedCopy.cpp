#include "render/MaskedCopy.h"

#include "render/WorldPixels.h"

namespace {

template <class Pixel>
PF_Err copyRows(const PixelTask& task, std::int32_t iteration, std::int32_t iterations) {
    const std::int32_t width = task.area.right - task.area.left;
    const Band band = rowBand(iteration, iterations, task.area.bottom - task.area.top);
    for (std::int32_t j = band.first; j < band.first + band.count; ++j) {
        if (task.mask.rowFlags[j] == 0 && !task.clearUnselected) continue;
        const Pixel* from = worldPixel<Pixel>(*task.source, task.area.left, task.area.top + j);
        Pixel* to = worldPixel<Pixel>(*task.destination, task.area.left, task.area.top + j);
        const std::uint8_t* mask = task.mask.row(j);
        for (std::int32_t x = 0; x < width; ++x) {
            if (mask[x] != 0) {
                to[x] = from[x];
            } else if (task.clearUnselected) {
                to[x] = Pixel{};
            }
        }
    }
    return PF_Err_NONE;
}

}  // namespace

template <class Pixel>
PF_Err maskedCopy(PF_InData* inData, A_long iterations, const PixelTask& task) {
    if (areaIsEmpty(task.area)) return PF_Err_NONE;
    if (!maskMatchesArea(task.mask, task.area)) return PF_Err_BAD_CALLBACK_PARAM;
    return runPixelTask<PixelTask, copyRows<Pixel>>(inData, iterations, task);
}

template PF_Err maskedCopy<PF_Pixel8>(PF_InData*, A_long, const PixelTask&);
template PF_Err maskedCopy<PF_Pixel16>(PF_InData*, A_long, const PixelTask&);
template PF_Err maskedCopy<PF_PixelFloat>(PF_InData*, A_long, const PixelTask&);
