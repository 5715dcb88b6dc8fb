#!/usr/bin/env bash
# Sets up the machine, builds the native and the Windows build, and runs both test suites
# (the Windows one under Wine), then the native suite under AddressSanitizer + UBSan and the
# threaded render tests under ThreadSanitizer (scripts/sanitize.sh). The native suites also
# replay the fuzz targets' committed corpus. Ends with "N passed, N failed"; exits non-zero
# on any failure.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
native="$root/build/native"
windows="$root/build/windows"
jobs=$(nproc 2>/dev/null || echo 2)

bash "$root/scripts/setup.sh" || { echo "setup failed"; exit 1; }

build() {  # <dir> [cmake args...]
  local dir=$1; shift
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELUMIXER_TESTS=ON "$@" >"$dir.configure.log" 2>&1 \
    || { cat "$dir.configure.log"; return 1; }
  cmake --build "$dir" -j "$jobs"
}

mkdir -p "$root/build"
build "$native" || { echo "0 passed, 1 failed"; exit 1; }
build "$windows" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" || { echo "0 passed, 1 failed"; exit 1; }

# The dialog tests show real windows: they use the user's display, or a virtual one
# started here. Wine gives the display only to them (see cmake/wine-run.sh.in).
xvfb_pid=""
if [ -z "${DISPLAY:-}" ]; then
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 100); do
    [ -s "$display_file" ] && break
    sleep 0.1
  done
  if [ -s "$display_file" ]; then
    export DISPLAY=":$(head -n 1 "$display_file")"
  else
    echo "warning: Xvfb did not start; the dialog tests will fail"
  fi
  rm -f "$display_file"
fi

# The Windows tests use two Wine prefixes: one without a display, and one whose desktop
# has the display, for the tests that show windows (see cmake/wine-run.sh.in).
prefixes=("$windows/wineprefix" "$windows/wineprefix-desktop")
cleanup() {
  for prefix in "${prefixes[@]}"; do
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  done
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" >/dev/null 2>&1 || true
}
trap cleanup EXIT

passed=0; failed=0; status=0
run_suite() {  # <name> <log file> <command that ends with ctest's summary...>
  local name=$1 log=$2
  shift 2
  echo "=== $name tests ==="
  "$@" 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  local line total bad
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$line" ]; then
    failed=$((failed + 1)); status=1; return
  fi
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  passed=$((passed + total - bad)); failed=$((failed + bad))
  [ "$rc" -eq 0 ] || status=1
}
run_suite native "$native/ctest.log" ctest --test-dir "$native" --output-on-failure -j "$jobs"
run_suite "AddressSanitizer + UBSan" "$root/build/asan.log" bash "$root/scripts/sanitize.sh" asan
run_suite ThreadSanitizer "$root/build/tsan.log" bash "$root/scripts/sanitize.sh" tsan
# Boot both prefixes (the second one's desktop on the display) and let their servers
# exit, which writes the registry. Then one server per prefix serves all Windows tests,
# kept until the end: a server that shuts down when idle can drop a test process that
# connects at that moment.
serve_prefix() {  # <prefix> <command that runs a Windows program in it...>
  local prefix=$1; shift
  "$@" cmd /c exit >/dev/null 2>&1 || true
  WINEPREFIX="$prefix" wineserver -w >/dev/null 2>&1 || true
  WINEPREFIX="$prefix" wineserver -p >/dev/null 2>&1 || true
  "$@" cmd /c exit >/dev/null 2>&1 || true
}
serve_prefix "${prefixes[0]}" "$windows/wine-run.sh"
serve_prefix "${prefixes[1]}" env VELUMIXER_WINE_DESKTOP=ja_JP.UTF-8 "$windows/wine-run.sh"
run_suite windows "$windows/ctest.log" ctest --test-dir "$windows" --output-on-failure -j "$jobs"

[ "$failed" -eq 0 ] || status=1
echo "${passed} passed, ${failed} failed"
exit "$status"
