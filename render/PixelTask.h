#pragma once
// How every pixel operation of a frame is spread over the host's worker threads: one
// iterate_generic call per operation, the task record as reference constant, and each
// iteration working on its own band of rows (or of columns).

#include "hostapi/HostApi.h"
#include "render/SelectionMask.h"

#include <cstdint>
#include <exception>
#include <new>

// The job record of a row-parallel pixel operation; lives on the caller's stack and is
// read-only for the workers. Operations that need more data derive from it.
struct PixelTask {
    PF_EffectWorld* destination = nullptr;  // written
    PF_EffectWorld* source = nullptr;       // read; null when the operation needs none
    PF_LRect area = {0, 0, 0, 0};           // the pixels to process
    SelectionMask mask;                     // shares the frame's mask bytes
    bool clearUnselected = false;           // unselected destination pixels become 0
};

// Tasks index the mask with area-relative coordinates, so it must have the area's size.
// An empty area needs no mask at all.
bool areaIsEmpty(const PF_LRect& area);
bool maskMatchesArea(const SelectionMask& mask, const PF_LRect& area);

// Lines [first, first + count) of an iteration's band.
struct Band {
    std::int32_t first;
    std::int32_t count;
};

// Band i of n over `extent` lines: the first extent mod n bands hold one line more.
// A host that passes no usable count (n < 1) gets everything in iteration 0.
Band rowBand(std::int32_t i, std::int32_t n, std::int32_t extent);

// Runs `work(task, iteration, iterations)` once per iteration through the host's
// iterate_generic and returns the host's result. Exceptions never cross into the host:
// a worker that throws reports PF_Err_OUT_OF_MEMORY or PF_Err_INTERNAL_STRUCT_DAMAGED.
template <class Task, PF_Err (*Work)(const Task&, std::int32_t, std::int32_t)>
PF_Err runPixelTask(PF_InData* inData, A_long iterations, const Task& task);

// ---------------------------------------------------------------------------

namespace pixel_task_detail {

template <class Task, PF_Err (*Work)(const Task&, std::int32_t, std::int32_t)>
PF_Err callWorker(void* refcon, A_long /*threadIndex*/, A_long i, A_long n) {
    try {
        return Work(*static_cast<const Task*>(refcon), i, n);
    } catch (const std::bad_alloc&) {
        return PF_Err_OUT_OF_MEMORY;
    } catch (...) {
        return PF_Err_INTERNAL_STRUCT_DAMAGED;
    }
}

}  // namespace pixel_task_detail

template <class Task, PF_Err (*Work)(const Task&, std::int32_t, std::int32_t)>
PF_Err runPixelTask(PF_InData* inData, A_long iterations, const Task& task) {
    return inData->utils->iterate_generic(iterations, const_cast<Task*>(&task),
                                          &pixel_task_detail::callWorker<Task, Work>);
}
