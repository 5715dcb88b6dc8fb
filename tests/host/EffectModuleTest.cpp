// Loading a real module and driving it: the probe effect calls the host from
// the module's side, as the effect will.

#include <gtest/gtest.h>

#include <cstring>

#include "ProbeProtocol.h"
#include "host/Host.h"
#include "host/ModulePath.h"

namespace {

std::string probePath() {
    return vmhost::pathBesideExecutable(PROBE_MODULE_FILE);
}

TEST(EffectModule, LoadFailuresNameTheFileOrSymbol) {
    const std::string missing = vmhost::pathBesideExecutable("NoSuchEffect.aex");
    try {
        vmhost::EffectModule module(missing);
        FAIL() << "loaded a missing file";
    } catch (const vmhost::ModuleLoadError& e) {
        EXPECT_NE(std::string::npos, std::string(e.what()).find("NoSuchEffect.aex")) << e.what();
    }
    try {
        vmhost::EffectModule module(probePath(), "NoSuchEntryPoint");
        FAIL() << "resolved a missing symbol";
    } catch (const vmhost::ModuleLoadError& e) {
        EXPECT_NE(std::string::npos, std::string(e.what()).find("NoSuchEntryPoint")) << e.what();
    }
}

TEST(EffectModule, SetupCommandsRoundTripThroughTheHost) {
    vmhost::Host host{vmhost::HostConfig::checking()};
    host.loadEffect(probePath());
    ASSERT_NE(nullptr, host.module());
    ASSERT_NE(nullptr, host.module()->nativeHandle());

    ASSERT_EQ(PF_Err_NONE, host.send(PF_Cmd_GLOBAL_SETUP));
    EXPECT_EQ(probe::kVersion, host.outData().my_version);
    EXPECT_EQ(probe::kOutFlags, host.outData().out_flags);
    EXPECT_EQ(probe::kOutFlags2, host.outData().out_flags2);
    ASSERT_NE(nullptr, host.inData().global_data) << "the host keeps the effect's global data";
    EXPECT_EQ(probe::kGlobalMagic, *static_cast<A_u_long*>(*host.inData().global_data));

    // With a planted pattern, what the effect left alone stays the pattern.
    host.fillOutData(0xEE);
    ASSERT_EQ(PF_Err_NONE, host.sendAsPrepared(PF_Cmd_ABOUT));
    EXPECT_EQ("Probe 2.3 0.25\rabout", host.returnMessage());
    EXPECT_EQ(static_cast<char>(0xEE), host.outData().name[0]);
    EXPECT_EQ(0xEEEEEEEEu, host.outData().my_version);

    // send() starts from a clean out_data.
    ASSERT_EQ(PF_Err_NONE, host.send(PF_Cmd_PARAMS_SETUP));
    EXPECT_EQ(probe::kNumParams, host.outData().num_params);
    EXPECT_EQ("", host.returnMessage());

    ASSERT_EQ(PF_Err_NONE, host.send(PF_Cmd_GLOBAL_SETDOWN));
    EXPECT_EQ(nullptr, host.inData().global_data);
    EXPECT_EQ(0, host.handles().outstanding());
    EXPECT_EQ(0, host.suites().heldTotal());
}

TEST(EffectModule, CallbacksWorkFromInsideTheModule) {
    vmhost::HostConfig config = vmhost::HostConfig::checking();
    config.workerThreads = 3;
    config.applicationId = PF_FourCharCode("PrMr");
    config.appLanguage = std::string("ja_JP");
    vmhost::Host host(config);
    host.loadEffect(probePath());
    host.inData().version.minor = 2;  // tests may change in_data before sending

    PF_ParamDef* params[1] = {nullptr};
    PF_LayerDef output{};
    probe::RenderReport report{};
    ASSERT_EQ(PF_Err_NONE, host.send(PF_Cmd_RENDER, params, &output, &report));
    EXPECT_EQ(PF_FourCharCode("PrMr"), report.applId);
    EXPECT_EQ(13, report.apiMajor);
    EXPECT_EQ(2, report.apiMinor);
    EXPECT_EQ(params, report.paramsSeen);
    EXPECT_EQ(&output, report.outputSeen);
    EXPECT_TRUE(report.hadBasicSuite);
    EXPECT_EQ(kSPNoError, report.appSuiteError);
    EXPECT_STREQ("ja_JP", report.language);
    EXPECT_EQ(PF_Err_NONE, report.iterateResult);
    EXPECT_EQ(3, report.workerCalls);
    EXPECT_EQ(3, report.reportedTotal);
    EXPECT_EQ(3, report.workerHandles);
    EXPECT_EQ(PF_Err_NONE, report.progressResult);
    EXPECT_EQ(PF_Err_NONE, report.hlsResult);
    EXPECT_EQ(0, report.orangeHls[1] - 32768);  // lightness exactly 1/2
    EXPECT_EQ(65536, report.orangeHls[2]);
    EXPECT_EQ(1, host.interaction().progressCalls());
    EXPECT_EQ(0, host.interaction().callsFromOtherWorkers());
    EXPECT_EQ(0, host.suites().heldTotal());
    EXPECT_EQ(0, host.handles().outstanding());

    // Without the App suite the probe's acquisition is refused.
    host.setAppLanguage(std::nullopt);
    ASSERT_EQ(PF_Err_NONE, host.send(PF_Cmd_RENDER, nullptr, nullptr, &report));
    EXPECT_EQ(kSPSuiteNotFoundError, report.appSuiteError);
    EXPECT_EQ(nullptr, report.paramsSeen);
}

}  // namespace
