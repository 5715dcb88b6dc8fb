#include "render/OneValueArea.h"

#include "render/PixelTask.h"

#include <atomic>
#include <cstring>

namespace {

template <class Pixel>
struct OneValueCheck {
    const PF_EffectWorld* world;
    PF_LRect area;
    PixelWord<Pixel> first;
    mutable std::atomic<bool> someDiffers{false};
};

template <class Pixel>
PF_Err compareRows(const OneValueCheck<Pixel>& check, std::int32_t iteration, std::int32_t iterations) {
    const Band band = rowBand(iteration, iterations, check.area.bottom - check.area.top);
    const std::size_t bytes = static_cast<std::size_t>(check.area.right - check.area.left) * sizeof(PixelWord<Pixel>);
    for (std::int32_t j = band.first; j < band.first + band.count; ++j) {
        if (check.someDiffers.load(std::memory_order_relaxed)) return PF_Err_NONE;
        const Pixel* pixels = worldPixel<Pixel>(*check.world, check.area.left, check.area.top + j);
        const auto* row = reinterpret_cast<const unsigned char*>(pixels);
        // No branch per pixel, for the vectoriser.
        PixelWord<Pixel> differs = 0;
        for (std::size_t at = 0; at < bytes; at += sizeof differs) {
            PixelWord<Pixel> word;
            std::memcpy(&word, row + at, sizeof word);
            differs |= word ^ check.first;
        }
        if (differs != 0) check.someDiffers.store(true, std::memory_order_relaxed);
    }
    return PF_Err_NONE;
}

}  // namespace

template <class Pixel>
PF_Err checkOneValue(PF_InData* inData, A_long iterations, const PF_EffectWorld& world, const PF_LRect& area,
                     bool& one) {
    one = false;
    if constexpr (sizeof(Pixel) > sizeof(std::uint64_t)) {
        return PF_Err_NONE;
    } else {
        if (areaIsEmpty(area)) return PF_Err_NONE;
        OneValueCheck<Pixel> check;
        check.world = &world;
        check.area = area;
        std::memcpy(&check.first, worldPixel<Pixel>(world, area.left, area.top), sizeof check.first);
        const PF_Err err = runPixelTask<OneValueCheck<Pixel>, compareRows<Pixel>>(inData, iterations, check);
        one = err == PF_Err_NONE && !check.someDiffers.load();
        return err;
    }
}

template PF_Err checkOneValue<PF_Pixel8>(PF_InData*, A_long, const PF_EffectWorld&, const PF_LRect&, bool&);
template PF_Err checkOneValue<PF_Pixel16>(PF_InData*, A_long, const PF_EffectWorld&, const PF_LRect&, bool&);
template PF_Err checkOneValue<PF_PixelFloat>(PF_InData*, A_long, const PF_EffectWorld&, const PF_LRect&, bool&);
