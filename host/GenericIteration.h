#pragma once
// The host side of iterate_generic: spreads a worker's iterations over the pool.

#include <cstdint>

namespace vmhost {

class ThreadPool;

// Same shape as the effect API's worker: (refcon, thread index, iteration, total).
using IterationWorker = std::int32_t (*)(void* refcon, std::int32_t threadIndex,
                                         std::int32_t iteration, std::int32_t total);

// The effect API's "once per processor" iteration count.
constexpr std::int32_t kOncePerThread = -1;

// count == kOncePerThread: the worker runs once on every pool thread with
// iteration = thread index and total = pool size (never -1).
// count >= 0: iterations 0..count-1 are handed out to the pool threads; once a
// worker fails, no further iterations start.
// Returns the first non-zero worker result (first in time), after every
// started worker has returned. Any other negative count is refused with
// `badCountError`.
std::int32_t iterateGeneric(ThreadPool& pool, std::int32_t count, void* refcon,
                            IterationWorker worker, std::int32_t badCountError);

}  // namespace vmhost
