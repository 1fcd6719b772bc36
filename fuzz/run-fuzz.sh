#!/usr/bin/env bash
# Builds the archive reader's fuzzer with clang and runs it from the seed corpus.
#
#   fuzz/run-fuzz.sh [RUNS]        RUNS executions (10 000 000 by default)
#   FUZZ_SECONDS=60 fuzz/run-fuzz.sh   a time-boxed run instead, as CI would do
#
# New inputs go to a working copy of the corpus in the build folder; a crash is written
# there as crash-* and ends the run with a failure. Keep such an input in fuzz/corpus
# (and the fix's test) before running again.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build-fuzz}
RUNS=${1:-10000000}

CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSCX_FUZZ=ON >/dev/null
cmake --build "$BUILD_DIR" --target fuzz_archive_reader

work="$BUILD_DIR/fuzz-corpus"
mkdir -p "$work"
cp -n fuzz/corpus/* "$work"/

limits=(-runs="$RUNS")
if [[ -n "${FUZZ_SECONDS:-}" ]]; then
    limits=(-max_total_time="$FUZZ_SECONDS")
fi
exec "$BUILD_DIR/bin/fuzz_archive_reader" "${limits[@]}" -max_len=4096 -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$BUILD_DIR/" "$work"
