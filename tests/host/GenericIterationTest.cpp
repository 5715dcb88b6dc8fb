// iterate_generic as the effect sees it: through utils, on the host's pool.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "host/Host.h"

namespace {

using namespace std::chrono_literals;

vmhost::HostConfig threeWorkers() {
    vmhost::HostConfig config = vmhost::HostConfig::checking();
    config.workerThreads = 3;
    return config;
}

struct Call {
    A_long thread;
    A_long iteration;
    A_long total;
    std::thread::id osThread;
};

struct CallLog {
    std::mutex mutex;
    std::vector<Call> calls;
    std::atomic<int> finished{0};
};

PF_Err logCall(void* refcon, A_long thread, A_long i, A_long total) {
    auto* log = static_cast<CallLog*>(refcon);
    std::this_thread::sleep_for(5ms);  // returning early must not look like finishing
    {
        std::lock_guard<std::mutex> lock(log->mutex);
        log->calls.push_back({thread, i, total, std::this_thread::get_id()});
    }
    ++log->finished;
    return PF_Err_NONE;
}

TEST(GenericIteration, OncePerThreadCallsEveryWorkerWithTheRealTotal) {
    vmhost::Host host(threeWorkers());
    std::thread::id firstThreadZero;
    for (int round = 0; round < 2; ++round) {
        CallLog log;
        ASSERT_EQ(PF_Err_NONE, host.utils()->iterate_generic(PF_Iterations_ONCE_PER_PROCESSOR, &log, logCall));
        EXPECT_EQ(3, log.finished.load());
        ASSERT_EQ(3u, log.calls.size());
        std::set<A_long> threads;
        std::set<std::thread::id> osThreads;
        for (const Call& call : log.calls) {
            EXPECT_EQ(3, call.total);
            EXPECT_EQ(call.thread, call.iteration);
            EXPECT_NE(std::this_thread::get_id(), call.osThread);
            threads.insert(call.thread);
            osThreads.insert(call.osThread);
            if (call.thread == 0) {
                if (round == 0) firstThreadZero = call.osThread;
                EXPECT_EQ(firstThreadZero, call.osThread) << "thread index 0 must stay one thread";
            }
        }
        EXPECT_EQ((std::set<A_long>{0, 1, 2}), threads);
        EXPECT_EQ(3u, osThreads.size());
    }
}

struct Counted {
    std::vector<std::atomic<int>> hits;
    std::atomic<int> badTotal{0};
    explicit Counted(int n) : hits(n) {}
};

PF_Err countIteration(void* refcon, A_long, A_long i, A_long total) {
    auto* counted = static_cast<Counted*>(refcon);
    if (total != static_cast<A_long>(counted->hits.size())) ++counted->badTotal;
    ++counted->hits[i];
    return PF_Err_NONE;
}

// Every worker waits until all three run at once, so the iterations are
// known to be spread over distinct threads.
struct Rendezvous {
    std::atomic<int> arrived{0};
    std::atomic<int> timedOut{0};
};

PF_Err meetOthers(void* refcon, A_long, A_long, A_long total) {
    auto* r = static_cast<Rendezvous*>(refcon);
    ++r->arrived;
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (r->arrived.load() < total) {
        if (std::chrono::steady_clock::now() > deadline) {
            ++r->timedOut;
            break;
        }
        std::this_thread::yield();
    }
    return PF_Err_NONE;
}

TEST(GenericIteration, CountedIterationsRunExactlyOnceSpreadOverThreads) {
    vmhost::Host host(threeWorkers());
    Counted counted(1000);
    ASSERT_EQ(PF_Err_NONE, host.utils()->iterate_generic(1000, &counted, countIteration));
    EXPECT_EQ(0, counted.badTotal.load());
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(1, counted.hits[i].load()) << "iteration " << i;

    Rendezvous rendezvous;
    ASSERT_EQ(PF_Err_NONE, host.utils()->iterate_generic(3, &rendezvous, meetOthers));
    EXPECT_EQ(0, rendezvous.timedOut.load());
}

struct Failing {
    std::atomic<int> finished{0};
};

// Thread 1 fails first, thread 2 fails later and finishes last.
PF_Err failOnSomeThreads(void* refcon, A_long thread, A_long, A_long) {
    auto* f = static_cast<Failing*>(refcon);
    PF_Err err = PF_Err_NONE;
    if (thread == 1) err = PF_Err_OUT_OF_MEMORY;
    if (thread == 2) {
        std::this_thread::sleep_for(100ms);
        err = PF_Err_INTERNAL_STRUCT_DAMAGED;
    }
    ++f->finished;
    return err;
}

PF_Err failAtFive(void* refcon, A_long, A_long i, A_long) {
    ++static_cast<Failing*>(refcon)->finished;
    return i == 5 ? PF_Interrupt_CANCEL : PF_Err_NONE;
}

PF_Err neverCalled(void* refcon, A_long, A_long, A_long) {
    ++static_cast<Failing*>(refcon)->finished;
    return PF_Err_NONE;
}

TEST(GenericIteration, ReturnsTheFirstErrorOnlyAfterEveryWorkerFinished) {
    vmhost::Host host(threeWorkers());
    Failing once;
    EXPECT_EQ(PF_Err_OUT_OF_MEMORY,
              host.utils()->iterate_generic(PF_Iterations_ONCE_PER_PROCESSOR, &once, failOnSomeThreads));
    EXPECT_EQ(3, once.finished.load());

    Failing counted;
    EXPECT_EQ(PF_Interrupt_CANCEL, host.utils()->iterate_generic(100000, &counted, failAtFive));
    EXPECT_LT(counted.finished.load(), 100000) << "iterations go on after a failure";

    Failing none;
    EXPECT_EQ(PF_Err_NONE, host.utils()->iterate_generic(0, &none, neverCalled));
    EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, host.utils()->iterate_generic(-2, &none, neverCalled));
    EXPECT_EQ(0, none.finished.load());

    // A thread no host is bound to has no pool to run on.
    PF_Err unbound = PF_Err_NONE;
    std::thread([&] { unbound = host.utils()->iterate_generic(1, &none, neverCalled); }).join();
    EXPECT_EQ(PF_Err_INVALID_CALLBACK, unbound);
}

}  // namespace
