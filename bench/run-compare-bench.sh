#!/usr/bin/env bash
# Speed of `scindarex-cli compare` against cmp on two identical 1 GiB files of random
# bytes, each run REPEAT times (at least 3), ours and cmp alternating, medians and ratios
# printed:
#   cold  the page cache dropped before every run, as run-bench.sh does (root)
#   warm  both files already in the page cache: the comparison's own cost, as right
#         after a join or a copy
# then the peak resident memory of one of those comparisons. The bound of the cold runs is
# timed the same way for scale: reading both files at once (two cat in parallel).
#
# Usage: bench/run-compare-bench.sh [path/to/scindarex-cli]   (default:
# build/bin/scindarex-cli). REPEAT=5 and MIB=1024 (the size of each file) by default.
set -euo pipefail

# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
bench_init bench-compare "${1:-}"

command -v cmp >/dev/null || { echo "cmp not found (Debian package 'diffutils')" >&2; exit 1; }
need_gnu_time

# Runs a comparison, which must find the files identical.
succeeds() {
    local status=0
    "$@" >/dev/null || status=$?
    ((status == 0)) || { echo "$* ended with status $status: the files differ?" >&2; exit 1; }
}

ours() { succeeds "$cli" compare "$work/a.bin" "$work/b.bin"; }
theirs() { succeeds cmp "$work/a.bin" "$work/b.bin"; }
read_bound() {
    cat "$work/a.bin" >/dev/null &
    cat "$work/b.bin"
    wait
}
inputs="$work/a.bin $work/b.bin"

bench_describe "two files of $mib MiB of random bytes"

mkdir -p "$work/none"
echo "making two identical files of $mib MiB of random bytes..."
head -c "${mib}M" /dev/urandom >"$work/a.bin"
cp "$work/a.bin" "$work/b.bin"

echo "warming up..."
timed "$work/none" "$inputs" ours >/dev/null
timed "$work/none" "$inputs" theirs >/dev/null

cold_ours=() cold_cmp=() bound=()
for ((i = 1; i <= repeat; i++)); do
    # Alternate which goes first, so that neither always runs on a warmer machine.
    if ((i % 2)); then
        cold_ours+=("$(timed "$work/none" "$inputs" ours)")
        cold_cmp+=("$(timed "$work/none" "$inputs" theirs)")
    else
        cold_cmp+=("$(timed "$work/none" "$inputs" theirs)")
        cold_ours+=("$(timed "$work/none" "$inputs" ours)")
    fi
    bound+=("$(timed "$work/none" "$inputs" read_bound)")
    echo "run $i, cold: ours ${cold_ours[-1]} s, cmp ${cold_cmp[-1]} s, both files read ${bound[-1]} s"
done

# Both files read just before each warm run too: whatever else ran meanwhile (another
# benchmark dropping the page cache) must not make one of them cold.
warm() {
    # shellcheck disable=SC2086
    cat $inputs >/dev/null
    seconds_of "$@"
}
warm_ours=() warm_cmp=()
for ((i = 1; i <= repeat; i++)); do
    if ((i % 2)); then
        warm_ours+=("$(warm ours)")
        warm_cmp+=("$(warm theirs)")
    else
        warm_cmp+=("$(warm theirs)")
        warm_ours+=("$(warm ours)")
    fi
    echo "run $i, warm: ours ${warm_ours[-1]} s, cmp ${warm_cmp[-1]} s"
done

co=$(median "${cold_ours[@]}") cc=$(median "${cold_cmp[@]}")
wo=$(median "${warm_ours[@]}") wc=$(median "${warm_cmp[@]}")
echo
printf '%-6s %12s %12s %8s %8s\n' "" "ours (s)" "cmp (s)" "ratio" "target"
printf '%-6s %12s %12s %8s %8s\n' cold "$co" "$cc" "$(ratio "$co" "$cc")" "<= 0.80"
printf '%-6s %12s %12s %8s %8s\n' warm "$wo" "$wc" "$(ratio "$wo" "$wc")" "<= 0.50"
echo
echo "bounds: reading both files at once, cold $(median "${bound[@]}") s"

kb=$(peak_kb "$cli" compare "$work/a.bin" "$work/b.bin")
echo
echo "peak resident memory, comparison of the two $mib MiB files: $((kb / 1024)) MiB ($kb kB)"
