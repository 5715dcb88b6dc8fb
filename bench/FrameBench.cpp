// Whole UHD frames through the effect module in the embedded host, as a host renders them:
// SmartFX pre-render and render, every output handed back to the host for the next frame.
// Every run renders one frame to warm up (first touch of memory, the module's own set-up)
// before the timed one; repetitions give the median. Memcpy16, one plain copy of the 16-bit
// frame, is the memory floor the frame times are read against.
#include "bench/FramePictures.h"
#include "bench/FrameRuns.h"
#include "bench/HostedEffect.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <exception>
#include <string>
#include <vector>

namespace {

struct FrameCase {
    vmhost::Image (*picture)();
    std::vector<std::string> settings;
    int workers = kBenchWorkers;
    // Above 0: key colour 1 on a colour of the picture, within this range (percent).
    int keyRange = 0;
    // Nothing to do: the frame must come back as a plain copy, without the effect making a world.
    bool copyOnly = false;
};

std::vector<std::string> gaussian30() {
    // G and B to 0 as well: radius 31 on every channel, as the OpenCV peer blurs.
    return {"Blur Type=Gaussian", "Blur Amount=30", "G=0", "B=0"};
}

// Radius 2 everywhere with one box pass: the edge smoothing path.
std::vector<std::string> smallRadius() {
    return {"Blur Amount=1", "G=0", "B=0", "Blur Repeat Num=1"};
}

// Radius 1 everywhere (Auto Alpha follows R, G and B), no brightness: nothing to blur.
std::vector<std::string> nothingToDo() {
    return {"G=0", "B=0"};
}

void keyOnPicture(HostedEffect& effect, const vmhost::Image& picture, int range) {
    effect.set("1 : Enable=on");
    effect.set("1 : Color=" + colorTextAt(picture, picture.width() / 3, picture.height() / 3));
    effect.set("1 : Color Range=" + std::to_string(range));
}

void renderFrame(benchmark::State& state, const FrameCase& frameCase) {
    state.counters["workers"] = frameCase.workers;
    try {
        const vmhost::Image input = frameCase.picture();
        HostedEffect effect(input.width(), input.height(), frameCase.workers);
        for (const std::string& setting : frameCase.settings) effect.set(setting);
        if (frameCase.keyRange > 0) keyOnPicture(effect, input, frameCase.keyRange);

        const long long worldsBefore = effect.worldsMade();
        vmhost::Image warmUp = effect.render(input);
        if (frameCase.copyOnly && (effect.worldsMade() != worldsBefore || !warmUp.samePixels(input))) {
            state.SkipWithError("the effect did more than copy the frame");
            return;
        }
        effect.giveBack(std::move(warmUp));
        for (auto _ : state) {
            vmhost::Image output = effect.render(input);
            benchmark::DoNotOptimize(output.row(0));
            effect.giveBack(std::move(output));
        }
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

void memcpyFrame(benchmark::State& state) {
    const vmhost::Image source = smoothPicture<PF_Pixel16>();
    vmhost::Image destination(source.format(), source.width(), source.height());
    const std::size_t bytes = static_cast<std::size_t>(source.rowbytes()) * source.height();
    std::memcpy(destination.row(0), source.row(0), bytes);
    for (auto _ : state) {
        std::memcpy(destination.row(0), source.row(0), bytes);
        benchmark::ClobberMemory();
    }
}

BENCHMARK_CAPTURE(renderFrame, Default16, FrameCase{smoothPicture<PF_Pixel16>, {}})->Name("Default16")->Apply(frameRuns);
BENCHMARK_CAPTURE(renderFrame, Default16_1, FrameCase{smoothPicture<PF_Pixel16>, {}, 1})
    ->Name("Default16/1worker")
    ->Apply(frameRuns);
BENCHMARK_CAPTURE(renderFrame, Default8, FrameCase{smoothPicture<PF_Pixel8>, {}})->Name("Default8")->Apply(frameRuns);
BENCHMARK_CAPTURE(renderFrame, DefaultFloat, FrameCase{smoothPicture<PF_PixelFloat>, {}})
    ->Name("DefaultFloat")
    ->Apply(frameRuns);
BENCHMARK_CAPTURE(renderFrame, Gaussian30_16, FrameCase{smoothPicture<PF_Pixel16>, gaussian30()})
    ->Name("Gaussian30_16")
    ->Apply(frameRuns);
BENCHMARK_CAPTURE(renderFrame, Gaussian30_Float, FrameCase{smoothPicture<PF_PixelFloat>, gaussian30()})
    ->Name("Gaussian30_Float")
    ->Apply(frameRuns);
BENCHMARK_CAPTURE(renderFrame, Gaussian30_16_1, FrameCase{smoothPicture<PF_Pixel16>, gaussian30(), 1})
    ->Name("Gaussian30_16/1worker")
    ->Apply(frameRuns);
BENCHMARK_CAPTURE(renderFrame, SmallRadius8_CelArt, FrameCase{celArtPicture, smallRadius()})
    ->Name("SmallRadius8_CelArt")
    ->Apply(frameRuns);
BENCHMARK_CAPTURE(renderFrame, SmallRadius8_Flat, FrameCase{flatPicture, smallRadius()})
    ->Name("SmallRadius8_Flat")
    ->Apply(frameRuns);
BENCHMARK_CAPTURE(renderFrame, NoWork8, FrameCase{smoothPicture<PF_Pixel8>, nothingToDo(), kBenchWorkers, 0, true})
    ->Name("NoWork8")
    ->Apply(frameRuns);
BENCHMARK_CAPTURE(renderFrame, Key20_16, FrameCase{smoothPicture<PF_Pixel16>, {}, kBenchWorkers, 20})
    ->Name("Key20_16")
    ->Apply(frameRuns);
// Most of the frame selected: the masked row stream's case.
BENCHMARK_CAPTURE(renderFrame, Key50_16, FrameCase{smoothPicture<PF_Pixel16>, {}, kBenchWorkers, 50})
    ->Name("Key50_16")
    ->Apply(frameRuns);
BENCHMARK_CAPTURE(renderFrame, NoWork16, FrameCase{smoothPicture<PF_Pixel16>, nothingToDo(), kBenchWorkers, 0, true})
    ->Name("NoWork16")
    ->Apply(frameRuns);
BENCHMARK(memcpyFrame)->Name("Memcpy16")->Apply(frameRuns);

}  // namespace
