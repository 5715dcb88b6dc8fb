// Scratch memory from the host's handles.
#include "AEUtil/AEException.h"
#include "AEUtil/AEMemory.h"
#include "host/Host.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

using AEUtil::AEMemory;

class HostMemoryTest : public ::testing::Test {
protected:
    vmhost::Host host{vmhost::HostConfig::checking()};
    SPBasicSuite* basic() { return host.basicSuite(); }
};

TEST_F(HostMemoryTest, NothingIsAskedForNothing) {
    EXPECT_EQ(nullptr, AEMemory::alloc(0, basic()));
    EXPECT_EQ(nullptr, AEMemory::alloc(16, nullptr));
    {
        const auto empty = AEUtil::makeHostBuffer(0, basic());
        EXPECT_FALSE(AEUtil::SharedArray<std::uint8_t>(empty)) << "nor does a copy of it";
    }
    EXPECT_EQ(0, host.handles().allocations());
    EXPECT_EQ(0, host.suites().acquisitions());
}

TEST_F(HostMemoryTest, HostOutOfMemoryIsReportedWithTheRequest) {
    host.handles().failNthAllocation(1);
    try {
        AEMemory::alloc(64, basic());
        FAIL() << "no exception";
    } catch (const AEUtil::AEException& e) {
        EXPECT_EQ(PF_Err_OUT_OF_MEMORY, e.code);
        const std::string message = e.message();
        EXPECT_EQ(0u, message.find("AEUtil/AEMemory(45): ")) << message;
        EXPECT_NE(std::string::npos, message.find("alloc_size=96\n")) << message;
    }
    EXPECT_EQ(0, host.suites().heldTotal());
}

TEST_F(HostMemoryTest, RequestsBeyondTheHostsSizeLimitAreRefusedUpFront) {
    for (std::size_t bytes : {static_cast<std::size_t>(INT_MAX) - 31, static_cast<std::size_t>(INT_MAX),
                              static_cast<std::size_t>(UINT_MAX) + 64}) {
        try {
            AEMemory::alloc(bytes, basic());
            ADD_FAILURE() << bytes;
        } catch (const AEUtil::AEException& e) {
            EXPECT_EQ(PF_Err_OUT_OF_MEMORY, e.code);
        }
    }
    EXPECT_EQ(0, host.handles().allocations()) << "nothing may wrap around into a small request";
    EXPECT_EQ(0, host.suites().heldTotal());
}

TEST_F(HostMemoryTest, MissingHandleSuiteIsTheBareCode) {
    host.suites().failNthAcquisition(1, std::string(kPFHandleSuite));
    try {
        AEMemory::alloc(64, basic());
        FAIL() << "no exception";
    } catch (int code) {
        EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, code);
    }
    EXPECT_EQ(0, host.handles().allocations());
}

}  // namespace
