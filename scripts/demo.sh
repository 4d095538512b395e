#!/usr/bin/env bash
# Main job: install dependencies, build, install the bundle (default ~/.vst3), render the demo.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUORVANE_BUILD_DIR:-$root/build}"
[ "${QUORVANE_SKIP_DEPS:-0}" = 1 ] || bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)"
cmake --install "$build"
mkdir -p "$root/out"
cd "$root/out"
"$build/host/cli/quorvane" demo
# The editor as a host shows it, at twice its size (a private Xvfb is started when there is no display).
"$build/host/cli/quorvane" view --png editor-2x.png --scale 2
echo "Demo written to $root/out (demo-dry.wav, demo-ducked.wav, demo-gain.png, editor-2x.png)"
