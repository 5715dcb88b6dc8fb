#pragma once
// How every pixel operation of a frame is spread over the host's worker threads: one
// iterate_generic call per operation, the task record as reference constant, and each
// iteration working on its own band of rows (or of columns).

#include "hostapi/HostApi.h"
#include "render/SelectionMask.h"

#include <algorithm>
#include <atomic>
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

// Runs `work(task, chunk, chunks)` once per chunk, `chunksPerWorker` chunks for every worker the
// host has (one iterate_generic call, once per processor). Each worker takes the next chunk as
// it finishes one, so that work spread unevenly over the frame (a selection in one part of it)
// keeps every worker busy to the end. After a chunk fails no more are taken; the host's result
// is returned.
template <class Task, PF_Err (*Work)(const Task&, std::int32_t, std::int32_t)>
PF_Err runPixelTaskInChunks(PF_InData* inData, std::int32_t chunksPerWorker, const Task& task);

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

template <class Task>
struct Chunks {
    const Task* task;
    std::int32_t perWorker;
    mutable std::atomic<std::int32_t> next{0};
    mutable std::atomic<bool> failed{false};
};

template <class Task, PF_Err (*Work)(const Task&, std::int32_t, std::int32_t)>
PF_Err takeChunks(const Chunks<Task>& chunks, std::int32_t /*worker*/, std::int32_t workers) {
    // Every worker is told the same number of workers, so all count the same chunks.
    const std::int32_t count = std::max(workers, std::int32_t(1)) * chunks.perWorker;
    for (std::int32_t i = chunks.next.fetch_add(1); i < count && !chunks.failed.load(); i = chunks.next.fetch_add(1)) {
        if (const PF_Err err = Work(*chunks.task, i, count)) {
            chunks.failed.store(true);
            return err;
        }
    }
    return PF_Err_NONE;
}

}  // namespace pixel_task_detail

template <class Task, PF_Err (*Work)(const Task&, std::int32_t, std::int32_t)>
PF_Err runPixelTask(PF_InData* inData, A_long iterations, const Task& task) {
    return inData->utils->iterate_generic(iterations, const_cast<Task*>(&task),
                                          &pixel_task_detail::callWorker<Task, Work>);
}

template <class Task, PF_Err (*Work)(const Task&, std::int32_t, std::int32_t)>
PF_Err runPixelTaskInChunks(PF_InData* inData, std::int32_t chunksPerWorker, const Task& task) {
    using Chunks = pixel_task_detail::Chunks<Task>;
    Chunks chunks;
    chunks.task = &task;
    chunks.perWorker = chunksPerWorker;
    return runPixelTask<Chunks, pixel_task_detail::takeChunks<Task, Work>>(inData, PF_Iterations_ONCE_PER_PROCESSOR,
                                                                            chunks);
}
