#!/usr/bin/env bash
# Speed of `scindarex-cli compare` against cmp on two identical 1 GiB files of random
# bytes: each run REPEAT times (at least 3), ours and cmp alternating, medians and ratio
# printed; then the peak resident memory of one of those comparisons.
#
# Usage: bench/run-compare-bench.sh [path/to/scindarex-cli]   (default:
# build/bin/scindarex-cli). REPEAT=5 by default. The page cache is handled as
# run-bench.sh does: the inputs read once, then dropped before every timed run (root).
set -euo pipefail

# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
bench_init bench-compare "${1:-}"

command -v cmp >/dev/null || { echo "cmp not found (Debian package 'diffutils')" >&2; exit 1; }
[[ -x /usr/bin/time ]] || { echo "GNU time not found (Debian package 'time')" >&2; exit 1; }

# Wall seconds of a command, each started from the same state: both inputs read once
# (the host's own cache of a virtual disk, see run-bench.sh), then the page cache dropped.
timed() {
    sync
    cat "$work/a.bin" "$work/b.bin" >/dev/null
    drop_caches
    seconds_of succeeds "$@"
}

# Runs a comparison, which must find the files identical.
succeeds() {
    local status=0
    "$@" >/dev/null || status=$?
    ((status == 0)) || { echo "$* ended with status $status: the files differ?" >&2; exit 1; }
}

ours() { "$cli" compare "$work/a.bin" "$work/b.bin"; }
theirs() { cmp "$work/a.bin" "$work/b.bin"; }

bench_describe

echo "making two identical files of 1 GiB of random bytes..."
head -c 1G /dev/urandom >"$work/a.bin"
cp "$work/a.bin" "$work/b.bin"

echo "warming up..."
timed ours >/dev/null
timed theirs >/dev/null

times_ours=() times_cmp=()
for ((i = 1; i <= repeat; i++)); do
    # Alternate which goes first, so that neither always runs on a warmer machine.
    if ((i % 2)); then
        times_ours+=("$(timed ours)")
        times_cmp+=("$(timed theirs)")
    else
        times_cmp+=("$(timed theirs)")
        times_ours+=("$(timed ours)")
    fi
    echo "run $i: ours ${times_ours[-1]} s, cmp ${times_cmp[-1]} s"
done

# The same with both files already in the page cache: what the comparison itself costs,
# apart from the disk.
warm() { seconds_of succeeds "$@"; }
cat "$work/a.bin" "$work/b.bin" >/dev/null
warm_ours=() warm_cmp=()
for ((i = 1; i <= repeat; i++)); do
    warm_ours+=("$(warm ours)")
    warm_cmp+=("$(warm theirs)")
done

mo=$(median "${times_ours[@]}") mc=$(median "${times_cmp[@]}")
wo=$(median "${warm_ours[@]}") wc=$(median "${warm_cmp[@]}")
echo
printf '%-14s %12s %12s %8s %8s\n' "" "ours (s)" "cmp (s)" "ratio" "target"
printf '%-14s %12s %12s %8s %8s\n' "compare" "$mo" "$mc" "$(ratio "$mo" "$mc")" "<= 0.50"
printf '%-14s %12s %12s %8s\n' "cache warm" "$wo" "$wc" "$(ratio "$wo" "$wc")"

peak_kb=$(/usr/bin/time -v "$cli" compare "$work/a.bin" "$work/b.bin" 2>&1 >/dev/null |
    awk -F': ' '/Maximum resident set size/ { print $2 }')
echo
echo "peak resident memory, comparison of the two 1 GiB files: $((peak_kb / 1024)) MiB ($peak_kb kB)"
