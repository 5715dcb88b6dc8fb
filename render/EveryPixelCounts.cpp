#include "render/EveryPixelCounts.h"

#include "render/PixelTask.h"
#include "render/WorldPixels.h"

#include <atomic>

namespace {

template <class Pixel>
struct CountCheck {
    const PF_EffectWorld* world;
    PF_LRect area;
    const SelectionMask* mask = nullptr;  // null: every pixel
    mutable std::atomic<bool> someFails{false};
};

template <class Pixel>
PF_Err checkRows(const CountCheck<Pixel>& check, std::int32_t iteration, std::int32_t iterations) {
    const std::int32_t width = check.area.right - check.area.left;
    const Band band = rowBand(iteration, iterations, check.area.bottom - check.area.top);
    for (std::int32_t j = band.first; j < band.first + band.count && !check.someFails.load(); ++j) {
        const Pixel* row = worldPixel<Pixel>(*check.world, check.area.left, check.area.top + j);
        bool counts = true;
        if (check.mask != nullptr) {
            const std::uint8_t* selected = check.mask->row(j);
            for (std::int32_t x = 0; x < width; ++x) counts &= selected[x] == 0 || pixelCounts(row[x]);
        } else {
            counts = everyPixelOfRowCounts(row, width);
        }
        if (!counts) check.someFails.store(true);
    }
    return PF_Err_NONE;
}

template <class Pixel>
PF_Err checkPixels(PF_InData* inData, A_long iterations, const PF_EffectWorld& world, const PF_LRect& area,
                   const SelectionMask* mask, bool& every) {
    every = false;
    if (areaIsEmpty(area)) return PF_Err_NONE;
    if (mask != nullptr && !maskMatchesArea(*mask, area)) return PF_Err_BAD_CALLBACK_PARAM;
    CountCheck<Pixel> check;
    check.world = &world;
    check.area = area;
    check.mask = mask;
    const PF_Err err = runPixelTask<CountCheck<Pixel>, checkRows<Pixel>>(inData, iterations, check);
    every = err == PF_Err_NONE && !check.someFails.load();
    return err;
}

}  // namespace

template <class Pixel>
PF_Err checkEveryPixelCounts(PF_InData* inData, A_long iterations, const PF_EffectWorld& world, const PF_LRect& area,
                             bool& every) {
    return checkPixels<Pixel>(inData, iterations, world, area, nullptr, every);
}

template <class Pixel>
PF_Err checkEverySelectedPixelCounts(PF_InData* inData, A_long iterations, const PF_EffectWorld& world,
                                     const PF_LRect& area, const SelectionMask& mask, bool& every) {
    return checkPixels<Pixel>(inData, iterations, world, area, &mask, every);
}

#define VELUMIXER_SELECTED_PIXELS_COUNT(Pixel)                                                               \
    template PF_Err checkEverySelectedPixelCounts<Pixel>(PF_InData*, A_long, const PF_EffectWorld&,          \
                                                         const PF_LRect&, const SelectionMask&, bool&);
VELUMIXER_SELECTED_PIXELS_COUNT(PF_Pixel8)
VELUMIXER_SELECTED_PIXELS_COUNT(PF_Pixel16)
VELUMIXER_SELECTED_PIXELS_COUNT(PF_PixelFloat)

template PF_Err checkEveryPixelCounts<PF_Pixel8>(PF_InData*, A_long, const PF_EffectWorld&, const PF_LRect&, bool&);
template PF_Err checkEveryPixelCounts<PF_Pixel16>(PF_InData*, A_long, const PF_EffectWorld&, const PF_LRect&, bool&);
template PF_Err checkEveryPixelCounts<PF_PixelFloat>(PF_InData*, A_long, const PF_EffectWorld&, const PF_LRect&,
                                                     bool&);
