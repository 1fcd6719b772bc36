#!/usr/bin/env bash
# Builds the readers' fuzzers with clang and runs each from its seed corpus.
#
#   fuzz/run-fuzz.sh [RUNS] [TARGET...]   RUNS executions of each (10 000 000 by default)
#   FUZZ_SECONDS=60 fuzz/run-fuzz.sh      a time-boxed run of each instead, as CI would do
#
# Targets: archive_reader meta_tag command_line cli_arguments size_text dos_attrib (all by
# default).
# New inputs go to a working copy of each corpus in the build folder; a crash is written
# there as crash-* and ends the run with a failure. Keep such an input in the target's
# seeds (and the fix's test) before running again.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build-fuzz}
RUNS=${1:-10000000}
shift || true
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] ||
    targets=(archive_reader meta_tag command_line cli_arguments size_text dos_attrib)

# The libraries the fuzzers link carry the coverage and the sanitizers too.
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all"
CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSCX_FUZZ=ON -DSCX_WITH_UI=OFF -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build "$BUILD_DIR" --target "${targets[@]/#/fuzz_}"

limits=(-runs="$RUNS")
if [[ -n "${FUZZ_SECONDS:-}" ]]; then
    limits=(-max_total_time="$FUZZ_SECONDS")
fi
for target in "${targets[@]}"; do
    seeds=fuzz/seeds/$target
    [[ $target == archive_reader ]] && seeds=fuzz/corpus
    work="$BUILD_DIR/corpus-$target"
    mkdir -p "$work"
    cp -n "$seeds"/* "$work"/
    log="$BUILD_DIR/fuzz-$target.log"
    echo "== $target"
    if ! "$BUILD_DIR/bin/fuzz_$target" "${limits[@]}" -max_len=4096 -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$BUILD_DIR/$target-" "$work" >"$log" 2>&1; then
        tail -n 40 "$log" >&2
        echo "fuzz_$target found a problem: see $log" >&2
        exit 1
    fi
    grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$log"
done
