#include "host/ThreadPool.h"

#include <algorithm>
#include <stdexcept>

namespace vmhost {

int defaultWorkerThreadCount() {
    return std::max(2, static_cast<int>(std::thread::hardware_concurrency()));
}

ThreadPool::ThreadPool(int threadCount, ThreadStart onThreadStart) {
    if (threadCount < 1) throw std::invalid_argument("ThreadPool: thread count must be at least 1");
    threads_.reserve(threadCount);
    threadIds_.reserve(threadCount);
    try {
        for (int i = 0; i < threadCount; ++i) {
            threads_.emplace_back([this, i, onThreadStart] { threadMain(i, onThreadStart); });
            threadIds_.push_back(threads_.back().get_id());
        }
    } catch (...) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        for (auto& t : threads_) t.join();
        throw;
    }
}

ThreadPool::~ThreadPool() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (auto& t : threads_) t.join();
}

int ThreadPool::indexOfCurrentThread() const {
    const auto self = std::this_thread::get_id();
    for (std::size_t i = 0; i < threadIds_.size(); ++i)
        if (threadIds_[i] == self) return static_cast<int>(i);
    return -1;
}

void ThreadPool::runOnEveryThread(const Job& job) {
    if (indexOfCurrentThread() >= 0) {
        for (int i = 0; i < size(); ++i) job(i);
        return;
    }
    std::lock_guard<std::mutex> turn(callerTurn_);
    std::unique_lock<std::mutex> lock(mutex_);
    job_ = &job;
    pending_ = size();
    firstException_ = nullptr;
    ++generation_;
    wake_.notify_all();
    finished_.wait(lock, [this] { return pending_ == 0; });
    job_ = nullptr;
    if (firstException_) {
        auto e = firstException_;
        firstException_ = nullptr;
        std::rethrow_exception(e);
    }
}

void ThreadPool::threadMain(int index, const ThreadStart& onThreadStart) {
    if (onThreadStart) onThreadStart(index);
    std::uint64_t seen = 0;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return stopping_ || generation_ != seen; });
        if (stopping_) return;
        seen = generation_;
        const Job* job = job_;
        lock.unlock();
        std::exception_ptr failure;
        try {
            (*job)(index);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        if (failure && !firstException_) firstException_ = failure;
        if (--pending_ == 0) finished_.notify_all();
    }
}

}  // namespace vmhost
