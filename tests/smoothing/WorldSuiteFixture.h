#pragma once
// A checking host and its "PF World Suite" version 1, held for the whole test: the flag map
// lives in a world of the host's.

#include "host/Host.h"

#include <gtest/gtest.h>

class WorldSuiteFixture : public ::testing::Test {
protected:
    void SetUp() override {
        const void* suite = nullptr;
        ASSERT_EQ(0, host.basicSuite()->AcquireSuite(kPFWorldSuite, kPFWorldSuiteVersion1, &suite));
        worldSuite = static_cast<const PF_WorldSuite1*>(suite);
    }
    void TearDown() override { host.basicSuite()->ReleaseSuite(kPFWorldSuite, kPFWorldSuiteVersion1); }

    PF_ProgPtr effectRef() { return host.inData().effect_ref; }
    vmhost::WorldStore& worlds() { return host.context().worlds(); }

    vmhost::Host host{vmhost::HostConfig::checking()};
    const PF_WorldSuite1* worldSuite = nullptr;
};
