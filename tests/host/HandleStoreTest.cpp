// Handle memory as the effect reaches it: utils callbacks and the handle suite.

#include <gtest/gtest.h>

#include <cstring>

#include "host/Host.h"

namespace {

const PF_HandleSuite1* acquireHandleSuite(vmhost::Host& host) {
    const void* suite = nullptr;
    EXPECT_EQ(kSPNoError, host.basicSuite()->AcquireSuite(kPFHandleSuite, kPFHandleSuiteVersion1, &suite));
    return static_cast<const PF_HandleSuite1*>(suite);
}

TEST(HostHandles, LifecycleIsCountedAcrossUtilsAndHandleSuite) {
    vmhost::Host host{vmhost::HostConfig::checking()};
    PF_UtilCallbacks* utils = host.utils();
    const PF_HandleSuite1* suite = acquireHandleSuite(host);
    ASSERT_NE(nullptr, suite);

    PF_Handle a = utils->host_new_handle(40);
    PF_Handle b = suite->host_new_handle(A_u_longlong{3} << 20);
    ASSERT_NE(nullptr, a);
    ASSERT_NE(nullptr, b);
    EXPECT_EQ(2, host.handles().outstanding());
    EXPECT_EQ(40u, suite->host_get_handle_size(a));
    EXPECT_EQ(A_u_longlong{3} << 20, utils->host_get_handle_size(b));

    // Locking gives the handle's data; either table reaches the same store.
    auto* data = static_cast<unsigned char*>(utils->host_lock_handle(a));
    ASSERT_EQ(*a, data);
    EXPECT_EQ(1, host.handles().locked());
    std::memcpy(data, "0123456789", 10);
    suite->host_unlock_handle(a);
    EXPECT_EQ(0, host.handles().locked());

    // Resizing keeps the contents; the handle stays the same.
    PF_Handle same = a;
    ASSERT_EQ(PF_Err_NONE, utils->host_resize_handle(100, &a));
    EXPECT_EQ(same, a);
    EXPECT_EQ(100u, utils->host_get_handle_size(a));
    EXPECT_EQ(0, std::memcmp(*a, "0123456789", 10));

    // Misuse is counted, not crashed on.
    PF_Handle foreign = reinterpret_cast<PF_Handle>(&data);
    EXPECT_EQ(nullptr, utils->host_lock_handle(foreign));
    utils->host_unlock_handle(b);  // never locked
    EXPECT_EQ(2, host.handles().misuses());

    suite->host_lock_handle(b);
    utils->host_dispose_handle(b);  // a locked handle may be disposed
    suite->host_dispose_handle(a);
    utils->host_dispose_handle(nullptr);
    EXPECT_EQ(0, host.handles().outstanding());
    EXPECT_EQ(0, host.handles().locked());
    EXPECT_EQ(kSPNoError, host.basicSuite()->ReleaseSuite(kPFHandleSuite, kPFHandleSuiteVersion1));
}

// Workers run on the host's pool threads, which must reach the same store.
PF_Err churnHandles(void* refcon, A_long, A_long, A_long) {
    auto* utils = static_cast<PF_UtilCallbacks*>(refcon);
    for (int i = 0; i < 500; ++i) {
        PF_Handle h = utils->host_new_handle(16 + i);
        if (!h) return PF_Err_OUT_OF_MEMORY;
        if (!utils->host_lock_handle(h)) return PF_Err_BAD_CALLBACK_PARAM;
        utils->host_unlock_handle(h);
        utils->host_dispose_handle(h);
    }
    return PF_Err_NONE;
}

TEST(HostHandles, AccountingHoldsUnderConcurrentWorkers) {
    vmhost::HostConfig config = vmhost::HostConfig::checking();
    config.workerThreads = 4;
    vmhost::Host host(config);
    ASSERT_EQ(PF_Err_NONE, host.utils()->iterate_generic(PF_Iterations_ONCE_PER_PROCESSOR, host.utils(), churnHandles));
    EXPECT_EQ(4 * 500, host.handles().allocations());
    EXPECT_EQ(0, host.handles().outstanding());
    EXPECT_EQ(0, host.handles().locked());
    EXPECT_EQ(0, host.handles().misuses());
}

}  // namespace
