#include "render/DriverTasks.h"

#include "render/BrightnessTable.h"
#include "render/DepthConversion.h"
#include "render/WorldPixels.h"

#include <algorithm>

namespace {

// Calls visit(from, to) for every selected pixel in the task's row band; rows without a
// selected pixel are skipped whole.
template <class From, class To, class Visit>
void forSelectedPixels(const PixelTask& t, std::int32_t iteration, std::int32_t iterations, Visit&& visit) {
    const std::int32_t width = t.area.right - t.area.left;
    const Band band = rowBand(iteration, iterations, t.area.bottom - t.area.top);
    for (std::int32_t j = band.first; j < band.first + band.count; ++j) {
        if (t.mask.rowFlags[j] == 0) continue;
        const From* from = worldPixel<From>(*t.source, t.area.left, t.area.top + j);
        To* to = worldPixel<To>(*t.destination, t.area.left, t.area.top + j);
        const std::uint8_t* mask = t.mask.row(j);
        for (std::int32_t x = 0; x < width; ++x) {
            if (mask[x] != 0) visit(from[x], to[x]);
        }
    }
}

template <class Pixel>
struct BrightnessTask {
    const PixelTask* pixels;
    const typename BrightnessTable<Pixel>::Entry* table;
};

template <class Pixel>
PF_Err brightenRows(const BrightnessTask<Pixel>& task, std::int32_t iteration, std::int32_t iterations) {
    using Table = BrightnessTable<Pixel>;
    forSelectedPixels<Pixel, Pixel>(*task.pixels, iteration, iterations, [&](const Pixel& from, Pixel& to) {
        to.alpha = from.alpha;
        to.red = Table::lookup(task.table, from.red);
        to.green = Table::lookup(task.table, from.green);
        to.blue = Table::lookup(task.table, from.blue);
    });
    return PF_Err_NONE;
}

// Converts the selected pixels of a row band from one depth to the other.
template <class From, class To, To (*convert)(const From&)>
PF_Err convertRows(const PixelTask& t, std::int32_t iteration, std::int32_t iterations) {
    forSelectedPixels<From, To>(t, iteration, iterations, [](const From& from, To& to) { to = convert(from); });
    return PF_Err_NONE;
}

PF_Pixel16 widenPixel(const PF_Pixel8& p) {
    return PF_Pixel16{widenTo16Bits(p.alpha), widenTo16Bits(p.red), widenTo16Bits(p.green), widenTo16Bits(p.blue)};
}

PF_Pixel8 narrowPixel(const PF_Pixel16& p) {
    return PF_Pixel8{narrowTo8Bits(p.alpha), narrowTo8Bits(p.red), narrowTo8Bits(p.green), narrowTo8Bits(p.blue)};
}

template <class Pixel>
PF_Err clearUnselectedAlpha(const PixelTask& t, std::int32_t iteration, std::int32_t iterations) {
    const std::int32_t width = t.area.right - t.area.left;
    const Band band = rowBand(iteration, iterations, t.area.bottom - t.area.top);
    for (std::int32_t j = band.first; j < band.first + band.count; ++j) {
        Pixel* to = worldPixel<Pixel>(*t.destination, t.area.left, t.area.top + j);
        const std::uint8_t* mask = t.mask.row(j);
        for (std::int32_t x = 0; x < width; ++x) {
            if (mask[x] == 0) to[x].alpha = 0;
        }
    }
    return PF_Err_NONE;
}

// Every task checks its area against the mask before any worker runs.
template <class Task, PF_Err (*Work)(const Task&, std::int32_t, std::int32_t)>
PF_Err runChecked(PF_InData* inData, A_long iterations, const PixelTask& pixels, const Task& task) {
    if (areaIsEmpty(pixels.area)) return PF_Err_NONE;
    if (!maskMatchesArea(pixels.mask, pixels.area)) return PF_Err_BAD_CALLBACK_PARAM;
    return runPixelTask<Task, Work>(inData, iterations, task);
}

}  // namespace

template <class Pixel>
PF_Err applyBrightness(PF_InData* inData, A_long iterations, const PixelTask& task, double b, double gain,
                       double curve) {
    const auto table = makeBrightnessTable<Pixel>(b, gain, curve);
    const BrightnessTask<Pixel> brightness{&task, table.get()};
    return runChecked<BrightnessTask<Pixel>, brightenRows<Pixel>>(inData, iterations, task, brightness);
}

PF_Err widenTo16(PF_InData* inData, A_long iterations, const PixelTask& task) {
    return runChecked<PixelTask, convertRows<PF_Pixel8, PF_Pixel16, widenPixel>>(inData, iterations, task, task);
}

PF_Err narrowTo8(PF_InData* inData, A_long iterations, const PixelTask& task) {
    return runChecked<PixelTask, convertRows<PF_Pixel16, PF_Pixel8, narrowPixel>>(inData, iterations, task, task);
}

template <class Pixel>
PF_Err extractAlpha(PF_InData* inData, A_long iterations, const PixelTask& task) {
    return runChecked<PixelTask, clearUnselectedAlpha<Pixel>>(inData, iterations, task, task);
}

#define VELUMIXER_DRIVER_TASKS(Pixel)                                                                      \
    template PF_Err applyBrightness<Pixel>(PF_InData*, A_long, const PixelTask&, double, double, double); \
    template PF_Err extractAlpha<Pixel>(PF_InData*, A_long, const PixelTask&);
VELUMIXER_DRIVER_TASKS(PF_Pixel8)
VELUMIXER_DRIVER_TASKS(PF_Pixel16)
VELUMIXER_DRIVER_TASKS(PF_PixelFloat)
