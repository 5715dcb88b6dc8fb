#pragma once
// A host with the effect module beside the test program loaded into it.

#include "host/Host.h"
#include "host/ModulePath.h"

#include <gtest/gtest.h>

#include <memory>

class EffectHostTest : public ::testing::Test {
protected:
    void SetUp() override { start(vmhost::HostConfig::checking()); }

    // Replaces the host with one of another configuration.
    void start(const vmhost::HostConfig& config) {
        host_.reset();
        host_ = std::make_unique<vmhost::Host>(config);
        host_->loadEffect(vmhost::defaultModulePath());
    }

    vmhost::Host& host() { return *host_; }

    // Global setup and parameter setup, as for a new effect instance.
    void setUpInstance() {
        ASSERT_EQ(PF_Err_NONE, host().send(PF_Cmd_GLOBAL_SETUP));
        ASSERT_EQ(PF_Err_NONE, host().send(PF_Cmd_PARAMS_SETUP));
        ASSERT_EQ(30, host().params().count());
    }
    const PF_ParamDef& param(const char* name) { return host().params().at(host().params().indexOf(name)); }

    // Nothing the effect took from the host may outlive a command.
    void expectNothingHeld() {
        EXPECT_EQ(0, host().suites().heldTotal()) << host().suites().describeHeld();
        EXPECT_EQ(0, host().handles().locked());
    }

private:
    std::unique_ptr<vmhost::Host> host_;
};
