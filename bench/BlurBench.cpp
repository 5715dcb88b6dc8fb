// One blur call on a UHD frame, all pixels selected, pass by pass (the way of frames in which
// not every pixel counts): box and Gaussian, 16-bit and float, radii 5, 30 and 300, repeat
// count 3 (four passes); and the row stream the render driver takes for the others.
#include "bench/BenchFrame.h"
#include "host/Host.h"
#include "render/Blur.h"
#include "render/RowStreamBlur.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

template <class Pixel, bool gaussian>
void blurUhd(benchmark::State& state) {
    vmhost::Host host;
    BenchFrame<Pixel> source, destination, scratch;
    // Destination and scratch start as the input, as the render driver leaves them.
    for (BenchFrame<Pixel>* frame : {&source, &destination, &scratch}) frame->paint();
    const PF_LRect area = {0, 0, kUhdWidth, kUhdHeight};
    SelectionMask mask;
    allocateMask(mask, &host.inData(), kUhdWidth, kUhdHeight);
    fillMask(mask);
    const double radius = static_cast<double>(state.range(0));
    const ChannelRadii radii = {radius, radius, radius, radius};

    for (auto _ : state) {
        const PF_Err err =
            gaussian ? gaussianBlur<Pixel>(destination.world(), &host.inData(), PF_Iterations_ONCE_PER_PROCESSOR,
                                           source.world(), scratch.world(), area, mask, 0.0, radii, 3, nullptr)
                     : boxBlur<Pixel>(destination.world(), &host.inData(), PF_Iterations_ONCE_PER_PROCESSOR,
                                      source.world(), scratch.world(), area, mask, 0.0, radii, 3, nullptr);
        if (err != PF_Err_NONE) state.SkipWithError("blur failed");
    }
    state.counters["workers"] = host.workerThreads();
    state.counters["Mpixel/s"] =
        benchmark::Counter(double(kUhdWidth) * kUhdHeight * state.iterations() / 1e6, benchmark::Counter::kIsRate);
}

// The row stream on a frame in which every pixel counts: args radius (every channel; 0 for
// the defaults' A 16, R 1, G 6, B 16), repeat count and frame width (the height 9/16 of it).
// Families of these show how the cost grows: not with a box's radius, linearly with a
// Gaussian's taps, with the repeat count and with the pixel count.
template <class Pixel, StreamKernel kernel>
void stream(benchmark::State& state) {
    const auto width = static_cast<A_long>(state.range(2));
    const A_long height = std::max<A_long>(1, width * 9 / 16);
    vmhost::Host host;
    BenchFrame<Pixel> source(width, height), destination(width, height);
    source.paint();
    const PF_LRect area = {0, 0, width, height};
    const double r = static_cast<double>(state.range(0));
    const ChannelRadii radii = r == 0 ? ChannelRadii{16, 1, 6, 16} : ChannelRadii{r, r, r, r};
    const auto repeatCount = static_cast<std::int32_t>(state.range(1));
    for (auto _ : state) {
        if (streamBlur<Pixel>(&host.inData(), PF_Iterations_ONCE_PER_PROCESSOR, kernel, *source.world(),
                              *destination.world(), area, 0.0, radii, repeatCount) != PF_Err_NONE) {
            state.SkipWithError("stream failed");
        }
    }
    state.counters["workers"] = host.workerThreads();
    state.counters["ns/pixel"] = benchmark::Counter(double(width) * height * state.iterations(),
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Wall time, and the CPU time of every worker (steadier on a shared machine).
void measured(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
}

void radii(benchmark::internal::Benchmark* b) {
    b->Arg(5)->Arg(30)->Arg(300)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
}

BENCHMARK(blurUhd<PF_Pixel16, false>)->Name("BoxBlur16/UHD/repeat3")->Apply(radii);
BENCHMARK(blurUhd<PF_PixelFloat, false>)->Name("BoxBlurFloat/UHD/repeat3")->Apply(radii);
BENCHMARK(blurUhd<PF_Pixel16, true>)->Name("GaussianBlur16/UHD/repeat3")->Apply(radii);
BENCHMARK(blurUhd<PF_PixelFloat, true>)->Name("GaussianBlurFloat/UHD/repeat3")->Apply(radii);
constexpr std::int64_t kUhd = kUhdWidth;
BENCHMARK(stream<PF_Pixel16, StreamKernel::Box>)->Name("StreamBox16/defaults")->Args({0, 3, kUhd})->Apply(measured);
BENCHMARK(stream<PF_Pixel8, StreamKernel::Box>)->Name("StreamBox8/defaults")->Args({0, 3, kUhd})->Apply(measured);
BENCHMARK(stream<PF_Pixel16, StreamKernel::Gaussian>)->Name("StreamGaussian16/31")->Args({31, 3, kUhd})->Apply(measured);
BENCHMARK(stream<PF_PixelFloat, StreamKernel::Gaussian>)
    ->Name("StreamGaussianFloat/31")
    ->Args({31, 3, kUhd})
    ->Apply(measured);
// radius, repeat count, width
BENCHMARK(stream<PF_Pixel16, StreamKernel::Box>)
    ->Name("StreamBox16/byRadius")
    ->ArgsProduct({{1, 10, 100, 1000}, {3}, {kUhd}})
    ->Apply(measured);
BENCHMARK(stream<PF_Pixel16, StreamKernel::Gaussian>)
    ->Name("StreamGaussian16/byRadius")
    ->ArgsProduct({{3, 10, 30, 100}, {3}, {kUhd}})
    ->Apply(measured);
BENCHMARK(stream<PF_Pixel16, StreamKernel::Box>)
    ->Name("StreamBox16/byRepeat")
    ->ArgsProduct({{16}, {1, 2, 5, 10}, {kUhd}})
    ->Apply(measured);
BENCHMARK(stream<PF_Pixel16, StreamKernel::Box>)
    ->Name("StreamBox16/byWidth")
    ->ArgsProduct({{16}, {3}, {64, 256, 1024, 3840, 7680}})
    ->Apply(measured);

}  // namespace
