#pragma once
// How every frame-level case runs, the effect's and its peers' alike: wall-clock time in
// milliseconds, one timed frame per run (each run warms up with a frame of its own first);
// --benchmark_repetitions gives the runs whose median is reported. CPU time is the whole
// process's, so beside the wall-clock time it shows how well the frame used its threads.

#include <benchmark/benchmark.h>

// Threads a frame gets: the effect's workers and the peer's OpenCV threads.
constexpr int kBenchWorkers = 2;

inline void frameRuns(benchmark::internal::Benchmark* runs) {
    runs->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->Iterations(1);
}
