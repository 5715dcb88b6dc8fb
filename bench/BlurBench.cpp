// One blur call on a UHD frame, all pixels selected: box and Gaussian, 16-bit and float,
// radii 5, 30 and 300, repeat count 3 (four passes); and the row stream the render driver
// takes for such frames.
#include "bench/BenchFrame.h"
#include "host/Host.h"
#include "render/Blur.h"
#include "render/RowStreamBlur.h"

#include <benchmark/benchmark.h>

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

// Defaults (box, A 16, R 1, G 6, B 16) or Gaussian 30 (31 on every channel), repeat count 3.
template <class Pixel, StreamKernel kernel>
void streamUhd(benchmark::State& state) {
    vmhost::Host host;
    BenchFrame<Pixel> source, destination;
    source.paint();
    const PF_LRect area = {0, 0, kUhdWidth, kUhdHeight};
    const ChannelRadii radii =
        kernel == StreamKernel::Box ? ChannelRadii{16, 1, 6, 16} : ChannelRadii{31, 31, 31, 31};
    for (auto _ : state) {
        if (streamBlur<Pixel>(&host.inData(), PF_Iterations_ONCE_PER_PROCESSOR, kernel, *source.world(),
                                 *destination.world(), area, 0.0, radii, 3) != PF_Err_NONE) {
            state.SkipWithError("stream failed");
        }
    }
    state.counters["workers"] = host.workerThreads();
    state.counters["Mpixel/s"] =
        benchmark::Counter(double(kUhdWidth) * kUhdHeight * state.iterations() / 1e6, benchmark::Counter::kIsRate);
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
BENCHMARK(streamUhd<PF_Pixel16, StreamKernel::Box>)->Name("StreamBox16/UHD/defaults")->Apply(measured);
BENCHMARK(streamUhd<PF_Pixel8, StreamKernel::Box>)->Name("StreamBox8/UHD/defaults")->Apply(measured);
BENCHMARK(streamUhd<PF_Pixel16, StreamKernel::Gaussian>)->Name("StreamGaussian16/UHD/31")->Apply(measured);
BENCHMARK(streamUhd<PF_PixelFloat, StreamKernel::Gaussian>)->Name("StreamGaussianFloat/UHD/31")->Apply(measured);

}  // namespace
