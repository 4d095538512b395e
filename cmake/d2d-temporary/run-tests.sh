#!/bin/sh
# TEMPORARY: builds the GUI library's Windows back end and its tests with the cross toolchain and runs them
# under Wine in a private prefix, until the project's Windows stage in scripts/test.sh runs them.
# Usage: cmake/d2d-temporary/run-tests.sh [build folder]   (needs a display: DISPLAY, or Xvfb installed)
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-"$root/build-win32-gui"}
if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null || [ ! -x /usr/lib/wine/wine64 ]; then
  apt-get install -y --no-install-recommends g++-mingw-w64-x86-64-posix mingw-w64-tools wine64 >/dev/null
fi
cmake -S "$root/cmake/d2d-temporary" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.d2d-temporary.cmake" >/dev/null
cmake --build "$build" -j"$(nproc)"
export WINEPREFIX="$build/wineprefix" WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
xvfb=""
if [ -z "${DISPLAY:-}" ]; then
  exec 3>"$build/xvfb-display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 >/dev/null 2>&1 &
  xvfb=$!
  while [ ! -s "$build/xvfb-display" ]; do sleep 0.1; done
  export DISPLAY=":$(cat "$build/xvfb-display")"
fi
status=0
(cd "$build" && ctest -j2 --output-on-failure --timeout 300) || status=$?
/usr/lib/wine/wineserver -k 2>/dev/null || true
[ -n "$xvfb" ] && kill "$xvfb"
exit $status
