#!/usr/bin/env bash
# Sets up the machine, builds the native effect and the embedded host, and runs the host's
# smoke check: the effect is loaded and taken through set-up, about and shut-down.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/native"

bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target Velumixer velumixer-host-smoke -j "$(nproc 2>/dev/null || echo 2)"
exec "$build/bin/velumixer-host-smoke" "$build/bin/Velumixer.so"
