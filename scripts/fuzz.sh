#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer + UndefinedBehaviorSanitizer) in
# build/fuzz and runs them.
#   fuzz.sh replay                  every committed input of every target once (the test
#                                   command replays them in its own builds; this is the same
#                                   under libFuzzer)
#   fuzz.sh TARGET|all SECONDS      fuzz each target for that long (one process), then replace
#                                   fuzz/corpus/TARGET by the smallest set of its inputs and the
#                                   new ones that keeps every feature seen (-merge=1); 0 seconds
#                                   only shrinks the committed corpus so
# Targets: fuzz_sequence_data fuzz_ini_file fuzz_command_line fuzz_render.
# Crashes are written to build/fuzz/crashes/.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/build/fuzz"
jobs=$(nproc 2>/dev/null || echo 2)
all_targets=(fuzz_sequence_data fuzz_ini_file fuzz_command_line fuzz_render)

mkdir -p "$dir"
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DVELUMIXER_FUZZ=ON -DVELUMIXER_SANITIZE="address,undefined" -DVELUMIXER_TESTS=OFF -DVELUMIXER_CLI=ON \
  >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; exit 1; }
cmake --build "$dir" -j "$jobs" --target "${all_targets[@]}" || exit 1

export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

if [ "${1:-}" = "replay" ]; then
  ctest --test-dir "$dir" --output-on-failure -L fuzz
  exit $?
fi

target=${1:-}
seconds=${2:-}
if [ -z "$target" ] || [ -z "$seconds" ]; then
  echo "usage: $0 replay | $0 TARGET|all SECONDS" >&2
  exit 2
fi
targets=("$target")
[ "$target" = "all" ] && targets=("${all_targets[@]}")

status=0
mkdir -p "$dir/crashes"
for t in "${targets[@]}"; do
  corpus="$root/fuzz/corpus/$t"
  found="$dir/found/$t"
  mkdir -p "$corpus" "$found"
  if [ "$seconds" -gt 0 ]; then
    echo "=== $t for ${seconds}s ==="
    "$dir/bin/$t" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$dir/crashes/$t-" "$found" "$corpus" || status=1
  fi
  # The committed corpus stays minimal: old and new inputs merged into an empty folder.
  minimal="$dir/minimal/$t"
  rm -rf "$minimal" && mkdir -p "$minimal"
  if "$dir/bin/$t" -merge=1 -artifact_prefix="$dir/crashes/$t-" "$minimal" "$corpus" "$found" \
      >"$dir/$t.merge.log" 2>&1 && [ -n "$(ls -A "$minimal")" ]; then
    rm -rf "$corpus" && mv "$minimal" "$corpus"
  else
    status=1
  fi
  rm -rf "$found"
done
exit "$status"
