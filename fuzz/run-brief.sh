#!/usr/bin/env bash
# Runs the SVG parser fuzz target for about 30 seconds from the checked-in seeds.
# Usage: fuzz/run-brief.sh BUILD_DIR; the whole CI step, from the repository root:
#   CC=clang CXX=clang++ cmake -S . -B build-fuzz -DQUORVANE_BUILD_FUZZ=ON -DQUORVANE_BUILD_TESTS=OFF \
#     -DQUORVANE_BUILD_BENCH=OFF -DQUORVANE_SANITIZE=address,undefined \
#   && cmake --build build-fuzz --target svg_parse_fuzz -j4 && fuzz/run-brief.sh build-fuzz
# FUZZ_SECONDS overrides the 30 seconds. Exits non-zero when the fuzzer finds a crash, leak, hang or abort.
set -euo pipefail
build="${1:?usage: run-brief.sh BUILD_DIR}"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$here"/corpus/* "$work"/
"$build/fuzz/svg_parse_fuzz" -max_total_time="${FUZZ_SECONDS:-30}" -max_len=8192 -timeout=5 -rss_limit_mb=2048 \
	-dict="$here/svg.dict" -artifact_prefix="$work/" "$work"
