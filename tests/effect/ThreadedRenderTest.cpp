// Frames rendered at once on one instance, each spread over the host's eight workers:
// every frame equals the frame rendered alone. Under ThreadSanitizer this is where a
// data race between frames or workers shows.
#include "tests/support/EffectHostFixture.h"
#include "host/FrameRenderer.h"
#include "host/Image.h"

#include <thread>
#include <vector>

namespace {

using vmhost::FrameRenderer;
using vmhost::FrameRequest;
using vmhost::FrameResult;
using vmhost::Image;
using vmhost::RenderCommand;

Image busyPicture(PF_PixelFormat format, int width, int height) {
    Image picture(format, width, height, 16, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            PF_PixelFloat argb = {((x * 7 + y) % 5) ? 1.0f : 0.3f, (x * 5 % 256) / 255.0f, (y * 9 % 256) / 255.0f,
                                  ((x / 3 + y / 2) & 1) ? 0.8f : 0.05f};
            if (x > width / 4 && x < width / 2 && y > height / 3) argb = {1.0f, 3 / 255.0f, 180 / 255.0f, 245 / 255.0f};
            picture.setNormalized(x, y, argb);
        }
    }
    return picture;
}

struct ParamSet {
    const char* name;
    void (*apply)(vmhost::ParamList&);
};

const ParamSet kParamSets[] = {
    {"defaults", [](vmhost::ParamList&) {}},
    {"box with brightness", [](vmhost::ParamList& p) {
         p.setValue("Blur Type", 2);
         p.setFloatValue("Blur Amount", 3);
         p.setFloatValue("Brightness", 40);
     }},
    {"small radius", [](vmhost::ParamList& p) {
         p.setFloatValue("Blur Amount", 1);
         p.setFloatValue("G", 0);
         p.setFloatValue("B", 0);
         p.setValue("Blur Type", 2);
         p.setValue("Blur Repeat Num", 1);
     }},
    {"key extract", [](vmhost::ParamList& p) {
         p.setValue("1 : Enable", 1);
         p.setFloatValue("1 : Color Range", 20);
         p.setValue("Mode", 2);
     }},
};

class ThreadedRenderTest : public EffectHostTest {
protected:
    void SetUp() override {
        vmhost::HostConfig config = vmhost::HostConfig::checking();
        config.workerThreads = 8;
        start(config);
        setUpInstance();
    }
};

TEST_F(ThreadedRenderTest, ManyFramesAtOnceEqualAFrameRenderedAlone) {
    constexpr int kThreads = 4;
    constexpr int kFramesEach = 3;
    for (const ParamSet& set : kParamSets) {
        set.apply(host().params());
        for (const PF_PixelFormat format : {PF_PixelFormat_ARGB32, PF_PixelFormat_ARGB64, PF_PixelFormat_ARGB128}) {
            const Image input = busyPicture(format, 61, 47);
            FrameRenderer renderer(host());
            const FrameResult alone = renderer.render(input);
            ASSERT_EQ(PF_Err_NONE, alone.err) << set.name << ": " << alone.returnMessage;

            std::vector<FrameResult> results(kThreads * kFramesEach);
            std::vector<std::thread> threads;
            for (int t = 0; t < kThreads; ++t) {
                threads.emplace_back([&, t] {
                    // Half the threads use the legacy command: its parameter copies are per frame too.
                    FrameRequest request;
                    request.command = t % 2 ? RenderCommand::Legacy : RenderCommand::SmartFX;
                    for (int k = 0; k < kFramesEach; ++k)
                        results[t * kFramesEach + k] = renderer.render(input, request);
                });
            }
            for (std::thread& thread : threads) thread.join();
            for (std::size_t i = 0; i < results.size(); ++i) {
                EXPECT_EQ(PF_Err_NONE, results[i].err) << set.name << ", frame " << i;
                EXPECT_TRUE(results[i].output.samePixels(alone.output)) << set.name << ", frame " << i;
            }
        }
    }
    EXPECT_EQ(0, host().outstandingWorlds());
    EXPECT_EQ(0, host().handles().outstanding());
    EXPECT_FALSE(host().frameLeaks().leaked().any());
    expectNothingHeld();
}

}  // namespace
