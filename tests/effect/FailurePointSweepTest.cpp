// Every host call the effect makes that may fail, failed in turn: for each command
// sequence the host drives, the 1st, then the 2nd, ... until a run passes none. Each
// time the effect must answer an error the host can show (or succeed with the right
// picture), hold nothing afterwards, and render the next frame byte for byte as a
// fresh instance does.
#include "tests/support/UserDefaultsFolder.h"
#include "host/ErrorText.h"
#include "host/FailurePoints.h"
#include "host/FrameRenderer.h"
#include "host/Host.h"
#include "host/Image.h"
#include "host/ModulePath.h"

#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using vmhost::FailurePoint;
using vmhost::FrameRenderer;
using vmhost::FrameRequest;
using vmhost::FrameResult;
using vmhost::Host;
using vmhost::Image;
using vmhost::RenderCommand;

// Small, so that a sweep of a few hundred runs per sequence stays quick.
constexpr A_long kWidth = 17;
constexpr A_long kHeight = 13;

enum class EffectPath { Blur, SmallRadius, Key };

struct Scenario {
    EffectPath path;
    bool extract;
    PF_PixelFormat format;
    RenderCommand command;
};

std::string describe(const Scenario& s) {
    std::ostringstream text;
    text << (s.path == EffectPath::Blur ? "Blur" : s.path == EffectPath::SmallRadius ? "SmallRadius" : "Key")
         << (s.extract ? "Extract" : "") << "_"
         << (s.format == PF_PixelFormat_ARGB32 ? "8" : s.format == PF_PixelFormat_ARGB64 ? "16" : "Float") << "_"
         << (s.command == RenderCommand::SmartFX ? "SmartFX" : "Legacy");
    return text.str();
}

// Hard edges, gradients, a transparent corner and a block of the key colour (3, 180, 245).
Image sweepPicture(PF_PixelFormat format) {
    Image picture(format, kWidth, kHeight, 8, 0);
    for (A_long y = 0; y < kHeight; ++y) {
        for (A_long x = 0; x < kWidth; ++x) {
            PF_PixelFloat argb = {1.0f, (40 + x * 13 % 200) / 255.0f, (y * 19 % 256) / 255.0f,
                                  ((x ^ y) & 2) ? 0.9f : 0.1f};
            if (x >= 4 && x < 11 && y >= 3 && y < 9) argb = {1.0f, 3 / 255.0f, 180 / 255.0f, 245 / 255.0f};
            if (x + y < 3) argb = {0.0f, 0.5f, 0.5f, 0.5f};
            picture.setNormalized(x, y, argb);
        }
    }
    return picture;
}

void applyPath(Host& host, EffectPath path, bool extract) {
    auto& params = host.params();
    if (path == EffectPath::SmallRadius) {
        params.setFloatValue("Blur Amount", 1);
        params.setFloatValue("G", 0);
        params.setFloatValue("B", 0);
        params.setValue("Blur Type", 2);
        params.setValue("Blur Repeat Num", 1);
    }
    if (path == EffectPath::Key || extract) {
        params.setValue("1 : Enable", 1);
        params.setFloatValue("1 : Color Range", 10);
    }
    if (extract) params.setValue("Mode", 2);
}

// One effect instance in a checking host, taken through the commands one by one.
class Instance {
public:
    Instance() : host_(std::make_unique<Host>(config())) { host_->loadEffect(vmhost::defaultModulePath()); }

    static vmhost::HostConfig config() {
        vmhost::HostConfig config = vmhost::HostConfig::checking();
        // One worker: with more, two workers that meet a new colour at the same moment may both
        // ask the host for it, and the number of calls would change from run to run.
        config.workerThreads = 1;
        config.layerWidth = kWidth;
        config.layerHeight = kHeight;
        return config;
    }

    Host& host() { return *host_; }

private:
    std::unique_ptr<Host> host_;
};

// The set-up commands of a new instance that shows its controls, is saved and is loaded
// again, in order.
const std::vector<PF_Cmd> kSetUpCommands = {
    PF_Cmd_GLOBAL_SETUP,   PF_Cmd_PARAMS_SETUP,    PF_Cmd_SEQUENCE_SETUP, PF_Cmd_UPDATE_PARAMS_UI,
    PF_Cmd_GET_FLATTENED_SEQUENCE_DATA, PF_Cmd_SEQUENCE_FLATTEN, PF_Cmd_SEQUENCE_RESETUP};

// Sends the commands from `first` on; the index of the first that fails, or size() when none does.
std::size_t sendFrom(Host& host, std::size_t first, PF_Err& err) {
    for (std::size_t i = first; i < kSetUpCommands.size(); ++i) {
        const PF_Cmd cmd = kSetUpCommands[i];
        err = host.send(cmd, cmd == PF_Cmd_UPDATE_PARAMS_UI ? host.paramsArray() : nullptr);
        if (err != PF_Err_NONE) return i;
    }
    err = PF_Err_NONE;
    return kSetUpCommands.size();
}

class FailurePointSweep {
public:
    // Everything the effect took must be back once a command has returned.
    static void expectNothingHeldBetweenCommands(Host& host, const std::string& where) {
        EXPECT_EQ(0, host.suites().heldTotal()) << where << host.suites().describeHeld();
        EXPECT_EQ(0, host.handles().locked()) << where;
        EXPECT_EQ(0, host.paramCalls().outstandingCheckOuts()) << where;
        EXPECT_EQ(0, host.outstandingBlocks()) << where;
        EXPECT_EQ(0, host.handles().misuses()) << where;
        EXPECT_EQ(0, host.worlds().misuses()) << where;
    }

    // After the set-down commands nothing at all is left.
    static void setDownAndExpectNothingLeft(Host& host, const std::string& where) {
        EXPECT_EQ(PF_Err_NONE, host.send(PF_Cmd_SEQUENCE_SETDOWN)) << where;
        EXPECT_EQ(PF_Err_NONE, host.send(PF_Cmd_GLOBAL_SETDOWN)) << where;
        expectNothingHeldBetweenCommands(host, where);
        EXPECT_EQ(0, host.handles().outstanding()) << where;
        EXPECT_EQ(0, host.outstandingWorlds()) << where;
    }

    // An error code the host has a name for, or a message of the effect's own.
    static void expectShowableError(PF_Err err, const std::string& returnMessage, const std::string& where) {
        EXPECT_NE(PF_Err_NONE, err) << where;
        const bool named = vmhost::describeError(err).rfind("error ", 0) != 0;
        EXPECT_TRUE(named || !returnMessage.empty()) << where << ": " << vmhost::describeError(err);
    }

    static FrameResult render(Host& host, const Scenario& s) {
        FrameRequest request;
        request.command = s.command;
        return FrameRenderer(host).render(sweepPicture(s.format), request);
    }

    static std::string failedCall(Host& host) {
        const auto point = host.failurePoints().failed();
        return point ? vmhost::failurePointName(*point) : "none";
    }
};

// Prints and keeps the number of failure points one test covered.
void reportCovered(const std::string& sequence, int covered, int counted) {
    EXPECT_EQ(counted, covered) << sequence << ": every call the counter saw is failed once";
    std::cout << "[ sweep ] " << sequence << ": " << covered << " failure points covered of " << counted
              << " counted\n";
}

// --- Render sequences -----------------------------------------------------------------------------

class RenderSweepTest : public ::testing::TestWithParam<Scenario>, protected FailurePointSweep {};

TEST_P(RenderSweepTest, EveryFailingHostCallIsSurvived) {
    const Scenario s = GetParam();
    const std::string name = describe(s);
    auto setUp = [&](Instance& instance) {
        Host& host = instance.host();
        PF_Err err = PF_Err_NONE;
        EXPECT_EQ(kSetUpCommands.size(), sendFrom(host, 0, err)) << vmhost::describeError(err);
        applyPath(host, s.path, s.extract);
    };

    Image reference;
    int counted = 0;
    {
        Instance fresh;
        setUp(fresh);
        fresh.host().failurePoints().arm(0);
        const FrameResult result = render(fresh.host(), s);
        fresh.host().failurePoints().disarm();
        counted = fresh.host().failurePoints().counted();
        ASSERT_EQ(PF_Err_NONE, result.err) << name << ": " << result.returnMessage;
        reference = result.output;
        setDownAndExpectNothingLeft(fresh.host(), name + " unfailed");
    }
    ASSERT_GT(counted, 0) << name;

    int covered = 0;
    for (int n = 1;; ++n) {
        Instance instance;
        setUp(instance);
        Host& host = instance.host();
        host.failurePoints().arm(n);
        const FrameResult failed = render(host, s);
        host.failurePoints().disarm();
        if (!host.failurePoints().failed()) {
            EXPECT_EQ(PF_Err_NONE, failed.err) << name << ": run " << n << " failed nothing";
            break;
        }
        ++covered;
        const std::string where = name + ", call " + std::to_string(n) + " (" + failedCall(host) + ")";
        if (failed.err == PF_Err_NONE)
            EXPECT_TRUE(failed.output.samePixels(reference)) << where << ": a success must be the right picture";
        else
            expectShowableError(failed.err, failed.returnMessage, where);
        EXPECT_EQ(0, failed.leakedHandles) << where;
        EXPECT_EQ(0, failed.leakedWorlds) << where;
        EXPECT_EQ(0, failed.checkoutMisuses) << where;
        expectNothingHeldBetweenCommands(host, where);

        const FrameResult next = render(host, s);
        EXPECT_EQ(PF_Err_NONE, next.err) << where << ": the next frame";
        EXPECT_TRUE(next.output.samePixels(reference)) << where << ": the next frame is as a fresh instance's";
        setDownAndExpectNothingLeft(host, where);
        if (::testing::Test::HasFailure()) break;  // one broken call is enough to report
    }
    reportCovered(name, covered, counted);
}

std::vector<Scenario> renderScenarios() {
    std::vector<Scenario> scenarios;
    for (const RenderCommand command : {RenderCommand::SmartFX, RenderCommand::Legacy}) {
        for (const PF_PixelFormat format : {PF_PixelFormat_ARGB32, PF_PixelFormat_ARGB64, PF_PixelFormat_ARGB128}) {
            // Hosts send float worlds with SmartFX only; for the legacy command an effect
            // refused "PF World Suite" 2 takes the world's deep flag for its depth, which
            // a float world has not.
            if (command == RenderCommand::Legacy && format == PF_PixelFormat_ARGB128) continue;
            for (const EffectPath path : {EffectPath::Blur, EffectPath::SmallRadius, EffectPath::Key}) {
                for (const bool extract : {false, true}) scenarios.push_back({path, extract, format, command});
            }
        }
    }
    return scenarios;
}

INSTANTIATE_TEST_SUITE_P(AllPaths, RenderSweepTest, ::testing::ValuesIn(renderScenarios()),
                         [](const ::testing::TestParamInfo<Scenario>& info) { return describe(info.param); });

// --- Set-up sequences -----------------------------------------------------------------------------

// Set-up, saving and loading of an instance, with the user's stored defaults or without;
// then storing and restoring them. A command that failed is sent again, as a host would
// when the user tries once more.
class SetUpSweepTest : public ::testing::TestWithParam<bool>, protected FailurePointSweep {};

TEST_P(SetUpSweepTest, EveryFailingHostCallIsSurvived) {
    const bool storedDefaults = GetParam();
    const std::string name = storedDefaults ? "set-up with stored defaults" : "set-up with built-in defaults";
    UserDefaultsFolder store;
    auto plantDefaults = [&] {
        if (storedDefaults) store.writeIni("[Version=1.0]\r\nG=2.5\r\nBlur Repeat Num=2\r\n1 : Enable=1\r\n");
    };
    const Scenario frame{EffectPath::Blur, false, PF_PixelFormat_ARGB32, RenderCommand::SmartFX};

    Image reference;
    int counted = 0;
    {
        plantDefaults();
        Instance fresh;
        fresh.host().failurePoints().arm(0);
        PF_Err err = PF_Err_NONE;
        ASSERT_EQ(kSetUpCommands.size(), sendFrom(fresh.host(), 0, err)) << vmhost::describeError(err);
        fresh.host().failurePoints().disarm();
        counted = fresh.host().failurePoints().counted();
        const FrameResult result = render(fresh.host(), frame);
        ASSERT_EQ(PF_Err_NONE, result.err);
        reference = result.output;
        setDownAndExpectNothingLeft(fresh.host(), name + " unfailed");
    }

    int covered = 0;
    for (int n = 1;; ++n) {
        plantDefaults();
        Instance instance;
        Host& host = instance.host();
        host.failurePoints().arm(n);
        PF_Err err = PF_Err_NONE;
        const std::size_t failedAt = sendFrom(host, 0, err);
        host.failurePoints().disarm();
        if (!host.failurePoints().failed()) {
            EXPECT_EQ(kSetUpCommands.size(), failedAt) << name << ": run " << n << " failed nothing";
            break;
        }
        ++covered;
        const std::string where = name + ", call " + std::to_string(n) + " (" + failedCall(host) + ")";
        expectNothingHeldBetweenCommands(host, where);
        if (failedAt < kSetUpCommands.size()) {
            expectShowableError(err, host.returnMessage(), where);
            // The host tries the failed command again, and goes on.
            EXPECT_EQ(kSetUpCommands.size(), sendFrom(host, failedAt, err)) << where << vmhost::describeError(err);
        }
        const FrameResult next = render(host, frame);
        EXPECT_EQ(PF_Err_NONE, next.err) << where << ": the next frame";
        EXPECT_TRUE(next.output.samePixels(reference)) << where << ": the next frame is as a fresh instance's";
        setDownAndExpectNothingLeft(host, where);
        if (::testing::Test::HasFailure()) break;
    }
    reportCovered(name, covered, counted);
}

INSTANTIATE_TEST_SUITE_P(Defaults, SetUpSweepTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? std::string("Stored") : std::string("BuiltIn");
                         });

}  // namespace
