#include "host/GenericIteration.h"

#include <atomic>

#include "host/ThreadPool.h"

namespace vmhost {

namespace {

// Keeps the first failure reported by any thread.
class FirstError {
public:
    void offer(std::int32_t err) {
        std::int32_t expected = 0;
        if (err != 0) value_.compare_exchange_strong(expected, err);
    }
    bool failed() const { return value_.load() != 0; }
    std::int32_t value() const { return value_.load(); }

private:
    std::atomic<std::int32_t> value_{0};
};

}  // namespace

std::int32_t iterateGeneric(ThreadPool& pool, std::int32_t count, void* refcon,
                            IterationWorker worker, std::int32_t badCountError) {
    if (!worker || count < kOncePerThread) return badCountError;
    if (count == 0) return 0;

    FirstError firstError;
    if (count == kOncePerThread) {
        const std::int32_t total = pool.size();
        pool.runOnEveryThread(
            [&](int thread) { firstError.offer(worker(refcon, thread, thread, total)); });
        return firstError.value();
    }

    std::atomic<std::int32_t> next{0};
    pool.runOnEveryThread([&](int thread) {
        for (;;) {
            if (firstError.failed()) return;
            const std::int32_t i = next.fetch_add(1);
            if (i >= count) return;
            firstError.offer(worker(refcon, thread, i, count));
        }
    });
    return firstError.value();
}

}  // namespace vmhost
