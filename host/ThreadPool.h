#pragma once
// A fixed set of worker threads that run one job on every thread at a time.
// Thread index 0 is always the same OS thread, which lets the host hand the
// progress and abort callbacks to exactly one worker.

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace vmhost {

class ThreadPool {
public:
    // Runs once on each new thread before it takes any job (the host binds
    // its context there).
    using ThreadStart = std::function<void(int threadIndex)>;
    using Job = std::function<void(int threadIndex)>;

    explicit ThreadPool(int threadCount, ThreadStart onThreadStart = {});
    ~ThreadPool();
    ThreadPool(const ThreadPool&) = delete;
    ThreadPool& operator=(const ThreadPool&) = delete;

    int size() const { return static_cast<int>(threads_.size()); }

    // Calls job(i) once for every thread index i, each on its own pool thread,
    // and returns when all calls have finished. Callers from several threads
    // take turns. A call from inside a job runs the indices one after another
    // on the calling thread instead of deadlocking. An exception thrown by a
    // job is rethrown here after all calls finished.
    void runOnEveryThread(const Job& job);

    // Index of the calling thread in this pool, or -1 for any other thread.
    int indexOfCurrentThread() const;

private:
    void threadMain(int index, const ThreadStart& onThreadStart);

    std::vector<std::thread> threads_;
    std::vector<std::thread::id> threadIds_;

    std::mutex callerTurn_;  // one job at a time
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable finished_;
    const Job* job_ = nullptr;
    std::uint64_t generation_ = 0;
    int pending_ = 0;
    bool stopping_ = false;
    std::exception_ptr firstException_;
};

// Hardware threads, but never fewer than two so that threading faults show up.
int defaultWorkerThreadCount();

}  // namespace vmhost
