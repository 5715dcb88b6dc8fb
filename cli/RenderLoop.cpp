#include "cli/RenderLoop.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace vmcli {

namespace {

class FramePool {
public:
    FramePool(const std::vector<FrameTask>& tasks, const FrameFunction& renderOne, FrameObserver& observer,
              const CancelFlag& cancel)
        : tasks_(tasks), renderOne_(renderOne), observer_(observer), cancel_(cancel) {}

    void work() {
        while (const FrameTask* task = take()) {
            try {
                const auto start = std::chrono::steady_clock::now();
                if (renderOne_(*task) == FrameOutcome::Written) {
                    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
                    {
                        std::lock_guard<std::mutex> lock(mutex_);
                        ++result_.written;
                    }
                    observer_.frameWritten(*task, took.count());
                }
            } catch (const std::exception& e) {
                fail(e.what());
            } catch (...) {
                fail("unknown error in frame " + std::to_string(task->frame));
            }
        }
        std::lock_guard<std::mutex> lock(mutex_);
        --running_;
        finished_.notify_all();
    }

    // Waits for the workers, forwarding a cancel as soon as it is seen.
    void wait(const std::function<void()>& onCancel) {
        std::unique_lock<std::mutex> lock(mutex_);
        bool forwarded = false;
        for (;;) {
            // Looked at before the worker count, so a cancel made before the last
            // worker ended is always forwarded.
            if (cancel_ && !forwarded) {
                forwarded = true;
                lock.unlock();
                onCancel();
                lock.lock();
            }
            if (running_ == 0) break;
            // A signal handler sets the flag and cannot notify: look at it now and then.
            finished_.wait_for(lock, std::chrono::milliseconds(100));
        }
    }

    // Before the workers start, so wait() cannot miss one.
    void addRunning(int workers) {
        std::lock_guard<std::mutex> lock(mutex_);
        running_ += workers;
    }

    LoopResult result() const {
        std::lock_guard<std::mutex> lock(mutex_);
        LoopResult result = result_;
        result.cancelled = cancel_ && result.written < static_cast<int>(tasks_.size());
        return result;
    }

private:
    const FrameTask* take() {
        std::lock_guard<std::mutex> lock(mutex_);
        if (cancel_ || next_ >= tasks_.size()) return nullptr;
        return &tasks_[next_++];
    }

    void fail(const std::string& message) {
        std::lock_guard<std::mutex> lock(mutex_);
        result_.errors.push_back(message);
    }

    const std::vector<FrameTask>& tasks_;
    const FrameFunction& renderOne_;
    FrameObserver& observer_;
    const CancelFlag& cancel_;
    mutable std::mutex mutex_;
    std::condition_variable finished_;
    std::size_t next_ = 0;
    int running_ = 0;
    LoopResult result_;
};

}  // namespace

LoopResult renderFrames(const std::vector<FrameTask>& tasks, int jobs, const FrameFunction& renderOne,
                        FrameObserver& observer, const CancelFlag& cancel, const std::function<void()>& onCancel) {
    FramePool pool(tasks, renderOne, observer, cancel);
    const int workers = std::max(1, std::min<int>(jobs, static_cast<int>(tasks.size())));
    pool.addRunning(workers);
    std::vector<std::thread> threads;
    for (int i = 0; i < workers; ++i) threads.emplace_back([&pool] { pool.work(); });
    pool.wait(onCancel);
    for (std::thread& thread : threads) thread.join();
    return pool.result();
}

}  // namespace vmcli
