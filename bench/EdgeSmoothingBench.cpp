// The edge smoothing pass on a UHD 8-bit frame: tiled pixel art with hard edges everywhere,
// and a flat frame. The pass's last step, the scan of the flag map, is also timed alone on a
// map without flags: one test per row.
#include "bench/BenchFrame.h"
#include "bench/PixelArt.h"
#include "host/Host.h"
#include "render/EdgeFlagMap.h"
#include "render/EdgeSmoothContext.h"
#include "render/EdgeSmoothing.h"
#include "render/EdgeSmoothingScan.h"
#include "render/RenderParams.h"

#include <benchmark/benchmark.h>

namespace {

void paint(PF_EffectWorld& world, bool hardEdges) {
    for (A_long y = 0; y < world.height; ++y) {
        auto* row = reinterpret_cast<PF_Pixel8*>(reinterpret_cast<std::uint8_t*>(world.data) + y * world.rowbytes);
        for (A_long x = 0; x < world.width; ++x) row[x] = hardEdges ? pixelArt(x, y) : pixelArtSky();
    }
}

void smoothEdgesUhd(benchmark::State& state, bool hardEdges) {
    vmhost::Host host;
    BenchFrame<PF_Pixel8> source, destination;
    paint(*source.world(), hardEdges);
    vmhost::WorldStore::Loan sourceLoan(host.context().worlds(), *source.world(), kPixelFormat8);
    vmhost::WorldStore::Loan destinationLoan(host.context().worlds(), *destination.world(), kPixelFormat8);

    EdgeSmoothSettings settings;
    setEdgeSmoothDefaults(settings);
    settings.inData = &host.inData();
    settings.pixelFormat = kPixelFormat8;
    settings.source = source.world();
    settings.destination = destination.world();
    for (auto _ : state) {
        if (smoothEdges(settings) != PF_Err_NONE) state.SkipWithError("smoothEdges failed");
    }
    state.counters["Mpixel/s"] =
        benchmark::Counter(double(kUhdWidth) * kUhdHeight * state.iterations() / 1e6, benchmark::Counter::kIsRate);
}

void scanFlatUhd(benchmark::State& state) {
    vmhost::Host host;
    BenchFrame<PF_Pixel8> source, destination;
    const void* suite = nullptr;
    host.basicSuite()->AcquireSuite(kPFWorldSuite, kPFWorldSuiteVersion1, &suite);
    {
        EdgeFlagMap flags;
        if (flags.create(*static_cast<const PF_WorldSuite1*>(suite), host.inData().effect_ref, kUhdWidth,
                         kUhdHeight) != PF_Err_NONE) {
            state.SkipWithError("no flag map");
        }
        EdgeBlendLog<PF_Pixel8> log;
        log.start(*source.world(), *destination.world(), 0, kUhdHeight, 0);
        const EdgeSmoothContext<PF_Pixel8> context(flags, *source.world(), log, 70, 0);
        for (auto _ : state) {
            smoothFlaggedRows(context, 0, kUhdHeight);
            benchmark::ClobberMemory();
        }
    }
    host.basicSuite()->ReleaseSuite(kPFWorldSuite, kPFWorldSuiteVersion1);
    state.counters["s/row"] = benchmark::Counter(double(kUhdHeight) * state.iterations(),
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK_CAPTURE(smoothEdgesUhd, pixelArt, true)->Name("SmoothEdges8/UHD/pixelArt")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(smoothEdgesUhd, flat, false)->Name("SmoothEdges8/UHD/flat")->Unit(benchmark::kMillisecond);
BENCHMARK(scanFlatUhd)->Name("SmoothEdgesScan/UHD/flat")->Unit(benchmark::kMillisecond);

}  // namespace
