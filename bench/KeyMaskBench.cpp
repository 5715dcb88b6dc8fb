// The key mask of a UHD frame with two key colours.
#include "bench/BenchFrame.h"
#include "host/Host.h"
#include "render/KeyColorMatch.h"

#include <benchmark/benchmark.h>

namespace {

template <class Pixel>
void keyMaskUhd(benchmark::State& state) {
    vmhost::Host host;
    BenchFrame<Pixel> source;
    source.paint();
    std::vector<KeyHLS> entries;
    for (const PF_Pixel color : {PF_Pixel{255, 3, 180, 245}, PF_Pixel{255, 200, 120, 40}}) {
        KeyColor key{};
        key.enable = 1;
        key.color = color;
        key.range = 10.0;
        KeyHLS entry{};
        makeKeyHLS(&host.inData(), key, entry);
        entries.push_back(entry);
    }
    SelectionMask mask;
    for (auto _ : state) {
        if (buildKeyMask<Pixel>(mask, &host.inData(), *source.world(), {0, 0, kUhdWidth, kUhdHeight}, entries) !=
            PF_Err_NONE) {
            state.SkipWithError("key mask failed");
        }
    }
    state.counters["workers"] = host.workerThreads();
    state.counters["Mpixel/s"] =
        benchmark::Counter(double(kUhdWidth) * kUhdHeight * state.iterations() / 1e6, benchmark::Counter::kIsRate);
}

BENCHMARK(keyMaskUhd<PF_Pixel8>)->Name("KeyMask8/UHD")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(keyMaskUhd<PF_Pixel16>)->Name("KeyMask16/UHD")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(keyMaskUhd<PF_PixelFloat>)->Name("KeyMaskFloat/UHD")->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
