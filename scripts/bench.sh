#!/usr/bin/env bash
# Measures whole frames through the effect module in the embedded host, beside an OpenCV peer
# and the memcpy floor, and publishes the result: docs/performance.md and
# docs/images/performance.png. Installs what it needs on Debian (run as root or with sudo),
# builds a native Release build with benchmarks in build/bench and runs every case once.
#
#   REPETITIONS=N   runs per case (default 7; the median is reported)
#   JOBS=N          build jobs (default 2)
set -euo pipefail
cd "$(dirname "$0")/.."

repetitions="${REPETITIONS:-7}"
jobs="${JOBS:-2}"
build=build/bench
results="$build/frame-bench.json"

# The native build's packages, the benchmark library, the OpenCV peer and the chart.
packages=(
  build-essential cmake ninja-build pkg-config libopenimageio-dev
  libbenchmark-dev libopencv-dev python3 python3-matplotlib
)
bash scripts/install-packages.sh "${packages[@]}"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DVELUMIXER_BENCHMARKS=ON -DVELUMIXER_TESTS=OFF -DVELUMIXER_CLI=ON
cmake --build "$build" -j "$jobs" --target velumixer_frame_bench

"$build/bin/velumixer_frame_bench" --benchmark_repetitions="$repetitions" \
  --benchmark_out="$results" --benchmark_out_format=json

# Debian's python3, the one python3-matplotlib is installed for (not another python3 on PATH).
/usr/bin/python3 scripts/bench_report.py "$results" docs/performance.md docs/images/performance.png
