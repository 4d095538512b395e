#!/usr/bin/env bash
# Runs every fuzz target for a short while from its checked-in seeds (corpus/<name>, the target's name
# without "_fuzz"). Usage: fuzz/run-brief.sh BUILD_DIR [TARGET...]; the whole CI step, from the repository root:
#   CC=clang CXX=clang++ cmake -S . -B build-fuzz -DQUORVANE_BUILD_FUZZ=ON -DQUORVANE_BUILD_TESTS=OFF \
#     -DQUORVANE_BUILD_BENCH=OFF -DQUORVANE_SANITIZE=address,undefined \
#   && cmake --build build-fuzz --target fuzz_targets -j4 && fuzz/run-brief.sh build-fuzz
# FUZZ_SECONDS overrides the 20 seconds per target. Exits non-zero when a fuzzer finds a crash, leak, hang,
# sanitizer report or broken property; the input that did it is kept in fuzz-findings/ of the working folder.
set -euo pipefail
build="${1:?usage: run-brief.sh BUILD_DIR [TARGET...]}"
shift
here="$(cd "$(dirname "$0")" && pwd)"
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(svg_parse processor_state controller_state vstpreset process)
findings="$PWD/fuzz-findings"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$findings"

for target in "${targets[@]}"; do
	mkdir -p "$work/$target"
	cp "$here/corpus/${target%_parse}/"* "$work/$target/"
	extra=()
	[ "$target" = svg_parse ] && extra=(-max_len=8192 -dict="$here/svg.dict")
	echo "== fuzzing $target for ${FUZZ_SECONDS:-20} s"
	"$build/fuzz/${target}_fuzz" -max_total_time="${FUZZ_SECONDS:-20}" -timeout=5 -rss_limit_mb=2048 \
		-print_final_stats=1 "${extra[@]}" -artifact_prefix="$findings/$target-" "$work/$target" 2>"$work/$target.log" || {
		tail -60 "$work/$target.log"
		exit 1
	}
	grep -E "stat::number_of_executed_units|Done [0-9]+ runs" "$work/$target.log" | tail -2
done
