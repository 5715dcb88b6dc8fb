#include "render/EveryPixelCounts.h"

#include "render/PixelTask.h"
#include "render/WorldPixels.h"

#include <atomic>

namespace {

template <class Pixel>
struct CountCheck {
    const PF_EffectWorld* world;
    PF_LRect area;
    mutable std::atomic<bool> someFails{false};
};

template <class Pixel>
PF_Err checkRows(const CountCheck<Pixel>& check, std::int32_t iteration, std::int32_t iterations) {
    const std::int32_t width = check.area.right - check.area.left;
    const Band band = rowBand(iteration, iterations, check.area.bottom - check.area.top);
    for (std::int32_t j = band.first; j < band.first + band.count && !check.someFails.load(); ++j) {
        const Pixel* row = worldPixel<Pixel>(*check.world, check.area.left, check.area.top + j);
        if (!everyPixelOfRowCounts(row, width)) check.someFails.store(true);
    }
    return PF_Err_NONE;
}

}  // namespace

template <class Pixel>
PF_Err checkEveryPixelCounts(PF_InData* inData, A_long iterations, const PF_EffectWorld& world, const PF_LRect& area,
                             bool& every) {
    every = false;
    if (areaIsEmpty(area)) return PF_Err_NONE;
    CountCheck<Pixel> check;
    check.world = &world;
    check.area = area;
    const PF_Err err = runPixelTask<CountCheck<Pixel>, checkRows<Pixel>>(inData, iterations, check);
    every = err == PF_Err_NONE && !check.someFails.load();
    return err;
}

template PF_Err checkEveryPixelCounts<PF_Pixel8>(PF_InData*, A_long, const PF_EffectWorld&, const PF_LRect&, bool&);
template PF_Err checkEveryPixelCounts<PF_Pixel16>(PF_InData*, A_long, const PF_EffectWorld&, const PF_LRect&, bool&);
template PF_Err checkEveryPixelCounts<PF_PixelFloat>(PF_InData*, A_long, const PF_EffectWorld&, const PF_LRect&,
                                                     bool&);
