// A failing host call or a cancel ends the work at once and frees what it holds.
#include "AEUtil/AEException.h"
#include "render/KeyColorMatch.h"
#include "tests/render/BlurTestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// The host's callbacks, except that the Nth iterate_generic fails without running the worker.
class ErrorPathTest : public ::testing::Test {
protected:
    ErrorPathTest() : host(hostWithWorkers(3)), utils(*host.utils()), inData(host.inData()) {
        hostIterate = host.utils()->iterate_generic;
        utils.iterate_generic = iterate;
        inData.utils = &utils;
        calls = failingCall = 0;
    }

    static PF_Err iterate(A_long iterations, void* refcon, PF_IterateGenericFunc worker) {
        if (++calls == failingCall) return PF_Err_INTERNAL_STRUCT_DAMAGED;
        return hostIterate(iterations, refcon, worker);
    }
    static PF_Err failingRgbToHls(PF_ProgPtr, PF_Pixel*, PF_Fixed*) { return PF_Err_BAD_CALLBACK_PARAM; }

    template <class Pixel>
    BlurScene<Pixel> makeScene() {
        std::mt19937 random(11);
        BlurScene<Pixel> scene(24, 16, PF_LRect{0, 0, 24, 16});
        fillRandom(scene.source, random, 0.1);
        scene.mask = makeRandomRunMask(&inData, 24, 16, random);
        scene.prepareTargets();
        return scene;
    }

    static inline PF_Err (*hostIterate)(A_long, void*, PF_IterateGenericFunc) = nullptr;
    static inline int calls = 0;
    static inline int failingCall = 0;
    vmhost::Host host{vmhost::HostConfig::checking()};
    PF_UtilCallbacks utils;
    PF_InData inData;
};

TEST_F(ErrorPathTest, AFailingPassOrACancelEndsTheBlur) {
    for (const auto& variant : blurVariants<PF_Pixel16>()) {
        auto scene = makeScene<PF_Pixel16>();
        host.interaction().clearLog();
        calls = 0;
        failingCall = 2;
        ProgressMeter progress(&inData, 2);
        EXPECT_EQ(PF_Err_INTERNAL_STRUCT_DAMAGED, scene.run(variant, &inData, 0.0, {4, 4, 4, 4}, 3, &progress));
        EXPECT_EQ(2, calls) << variant.name << ": no pass after the failing one";
        EXPECT_EQ(1, host.interaction().progressCalls()) << variant.name << ": no report of the failing pass";
    }
    failingCall = 0;
    for (const auto& variant : blurVariants<PF_PixelFloat>()) {
        auto scene = makeScene<PF_PixelFloat>();
        host.interaction().clearLog();
        host.interaction().answerProgressFrom(3);
        calls = 0;
        ProgressMeter progress(&inData, 2);
        EXPECT_EQ(PF_Interrupt_CANCEL, scene.run(variant, &inData, 0.0, {4, 4, 4, 4}, 5, &progress)) << variant.name;
        EXPECT_EQ(3, calls) << variant.name;
        for (const auto& call : host.interaction().progressLog()) {
            EXPECT_EQ(0, call.current) << "passes report without stepping";
        }
        host.interaction().answerProgressFrom(0);
    }
    EXPECT_EQ(0, host.handles().outstanding());
}

TEST_F(ErrorPathTest, KeyMatchingStopsAtAFailingHost) {
    TestWorld<PF_Pixel8> source(9, 5);
    for (A_long y = 0; y < 5; ++y) {
        for (A_long x = 0; x < 9; ++x) source.at(x, y) = PF_Pixel8{255, static_cast<A_u_char>(x * 20), 40, 60};
    }
    const std::vector<KeyHLS> keys = {{0, 0, 0, 27904}};
    const PF_LRect area = {0, 0, 9, 5};
    {
        SelectionMask mask;
        utils.colorCB.RGBtoHLS = failingRgbToHls;
        EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, buildKeyMask<PF_Pixel8>(mask, &inData, *source.world(), area, keys));
        utils.colorCB.RGBtoHLS = host.utils()->colorCB.RGBtoHLS;
        failingCall = calls + 1;
        EXPECT_EQ(PF_Err_INTERNAL_STRUCT_DAMAGED, buildKeyMask<PF_Pixel8>(mask, &inData, *source.world(), area, keys));
        EXPECT_EQ(1, host.handles().outstanding());
    }
    EXPECT_EQ(0, host.handles().outstanding()) << "the mask goes back with its last holder";

    host.handles().failNthAllocation(1);
    SelectionMask mask;
    try {
        buildKeyMask<PF_Pixel8>(mask, &inData, *source.world(), area, keys);
        ADD_FAILURE() << "no exception";
    } catch (const AEUtil::AEException& e) {
        EXPECT_EQ(PF_Err_OUT_OF_MEMORY, e.code);
    }
    EXPECT_EQ(0, host.handles().outstanding());
    EXPECT_EQ(0, host.suites().heldTotal());
}

}  // namespace
