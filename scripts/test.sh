#!/usr/bin/env bash
# Test job: install dependencies, build, run every test; the Windows build's tests under Wine; then again under
# AddressSanitizer and UndefinedBehaviorSanitizer, the threaded tests under ThreadSanitizer, and every fuzz
# target briefly.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# The same results whatever the caller's locale (none at all in containers, cron and env -i); C.UTF-8 is built into
# Debian's and Ubuntu's C library.
export LC_ALL=C.UTF-8
unset LANGUAGE
jobs="$(nproc)"
[ "${QUORVANE_SKIP_DEPS:-0}" = 1 ] || bash "$root/scripts/install-deps.sh"

cleanup=()
trap 'for step in "${cleanup[@]}"; do eval "$step"; done' EXIT

# Window tests need an X server; start a private one on a free display unless a display is already there.
if [ -z "${DISPLAY:-}" ] && command -v Xvfb >/dev/null; then
  display_file="$(mktemp)"
  # Xvfb picks a free display itself and writes its number to descriptor 3 once it accepts connections.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  cleanup+=('kill $xvfb_pid 2>/dev/null || true' 'rm -f "$display_file"')
  for _ in $(seq 100); do
    if [ -s "$display_file" ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then break; fi
    sleep 0.1
  done
  display_number="$(head -n 1 "$display_file")"
  export DISPLAY=":$display_number"
  # Then wait until the server answers a client (xdpyinfo; a machine without it checks for the socket).
  answers() {
    if command -v xdpyinfo >/dev/null; then xdpyinfo >/dev/null 2>&1; else [ -S "/tmp/.X11-unix/X$display_number" ]; fi
  }
  for _ in $(seq 100); do
    if [ -z "$display_number" ] || answers; then break; fi
    sleep 0.1
  done
  if [ -z "$display_number" ] || ! answers; then
    echo "Xvfb did not start" >&2
    exit 1
  fi
fi

run_suite() {
  local dir="$1"; shift
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_BUILD_BENCH=OFF "$@"
  cmake --build "$dir" -j"$jobs"
  (cd "$dir" && ctest --output-on-failure -j"$jobs")
}

echo "== tests"
run_suite "$root/build-test"

echo "== Windows build (mingw-w64), its tests under Wine"
# Compared with the Linux build above: the same renders bit for bit, and presets read both ways.
[ "${QUORVANE_SKIP_DEPS:-0}" = 1 ] || bash "$root/scripts/install-deps.sh" "$root/.ci/packages-windows.txt"
win="$root/build-win-test"
# The tests' Wine prefix lives in the build folder; its server is this job's to stop.
cleanup+=('WINEPREFIX="$win/wine-prefix" "$(command -v wineserver || echo /usr/lib/wine/wineserver)" -k 2>/dev/null || true')
run_suite "$win" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/x86_64-w64-mingw32.cmake" \
  -DQUORVANE_LINUX_BUILD_DIR="$root/build-test"

echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite "$root/build-asan" -DQUORVANE_SANITIZE=address,undefined

echo "== tests under ThreadSanitizer"
TSAN_OPTIONS=halt_on_error=1 run_suite "$root/build-tsan" -DQUORVANE_SANITIZE=thread

echo "== fuzzing every target briefly"
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUORVANE_BUILD_FUZZ=ON -DQUORVANE_BUILD_TESTS=OFF -DQUORVANE_BUILD_BENCH=OFF -DQUORVANE_SANITIZE=address,undefined
cmake --build "$root/build-fuzz" --target fuzz_targets -j"$jobs"
bash "$root/fuzz/run-brief.sh" "$root/build-fuzz"

echo "== benchmarks build"
cmake -S "$root" -B "$root/build-test" -DQUORVANE_BUILD_BENCH=ON >/dev/null
cmake --build "$root/build-test" -j"$jobs"
