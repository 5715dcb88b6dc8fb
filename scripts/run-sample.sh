#!/usr/bin/env bash
# Sets up the machine, builds the native effect and the command-line renderer, and renders
# the bundled sample with key colour 1 (#03B4F5, the lake's blues within 10 %) and the
# defaults otherwise into build/sample-out/.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/native"
out="$root/build/sample-out"

bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELUMIXER_CLI=ON >/dev/null
cmake --build "$build" --target velumixer-render -j "$(nproc 2>/dev/null || echo 2)"
mkdir -p "$out"
"$build/bin/velumixer-render" --set "1 : Enable=on" --set "1 : Color=#03B4F5" --set "1 : Color Range=10" \
  "$root/samples/lake-at-night.png" "$out/lake-at-night-keyed.png"
