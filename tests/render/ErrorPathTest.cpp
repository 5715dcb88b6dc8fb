// A failing pass or a cancel ends the blur at once and frees what it holds.
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

}  // namespace
