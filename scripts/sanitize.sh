#!/usr/bin/env bash
# Builds and runs native tests under sanitizers, each in a build folder of its own:
#   asan  AddressSanitizer + UndefinedBehaviorSanitizer, the whole native suite (build/asan)
#   tsan  ThreadSanitizer, the threaded render tests: frames at once on eight workers (build/tsan)
# The first report ends the test program, so any report is a failed test. Ends with
# ctest's "N% tests passed, N tests failed out of N" line; exits non-zero on any failure.
# Run setup.sh first on a fresh machine (scripts/test.sh does).
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
mode=${1:-}

case "$mode" in
  asan)
    dir="$root/build/asan"
    sanitizers="address,undefined"
    targets=(all)
    # Not the farm and package checks: they run the same programs as the native suite does,
    # only through Slurm and the Debian package.
    tests=(-LE "farm|package")
    # The host's own tests count every byte; what a sanitizer finds ends the program at once.
    # Allocation stacks unwound in full, through libraries built without frame pointers, so that
    # a leak suppression can name the library it happens in.
    export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:fast_unwind_on_malloc=0"
    export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
    export LSAN_OPTIONS="suppressions=$root/scripts/sanitizers/lsan.supp:print_suppressions=0"
    ;;
  tsan)
    dir="$root/build/tsan"
    sanitizers="thread"
    targets=(velumixer_threaded_render_tests velumixer_host_tests Velumixer velumixer_host_probe)
    tests=(-R "ThreadedRender|FrameRender\.|GenericIteration")
    export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$root/scripts/sanitizers/tsan.supp"
    ;;
  *)
    echo "usage: $0 asan|tsan" >&2
    exit 2
    ;;
esac

mkdir -p "$dir"
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELUMIXER_TESTS=ON \
  -DVELUMIXER_SANITIZE="$sanitizers" >"$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; exit 1; }
cmake --build "$dir" -j "$jobs" --target "${targets[@]}" || exit 1
ctest --test-dir "$dir" --output-on-failure -j "$jobs" "${tests[@]}"
