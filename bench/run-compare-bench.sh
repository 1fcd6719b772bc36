#!/usr/bin/env bash
# Speed of `scindarex-cli compare` against cmp on two identical 1 GiB files of random
# bytes: each run REPEAT times (at least 3), ours and cmp alternating, medians and ratio
# printed; then the peak resident memory of one of those comparisons.
#
# Usage: bench/run-compare-bench.sh [path/to/scindarex-cli]   (default:
# build/bin/scindarex-cli). REPEAT=5 by default. The page cache is handled as
# run-bench.sh does: the inputs read once, then dropped before every timed run (root).
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-$repo/build/bin/scindarex-cli}
repeat=${REPEAT:-5}
[[ -x $cli ]] || { echo "scindarex-cli not found at $cli: build it first (make test)" >&2; exit 1; }
((repeat >= 3)) || { echo "REPEAT must be at least 3" >&2; exit 1; }
cli=$(cd "$(dirname "$cli")" && pwd)/$(basename "$cli")
command -v cmp >/dev/null || { echo "cmp not found (Debian package 'diffutils')" >&2; exit 1; }
[[ -x /usr/bin/time ]] || { echo "GNU time not found (Debian package 'time')" >&2; exit 1; }

work=$(mktemp -d "$(dirname "$(dirname "$cli")")/bench-compare.XXXXXX")
trap 'rm -rf "$work"' EXIT
fstype=$(stat -f -c %T "$work")
if [[ $fstype == tmpfs ]]; then
    echo "warning: $work is on tmpfs; the figures will not be those of a disk" >&2
fi

can_drop=no
if [[ -w /proc/sys/vm/drop_caches ]] && sync && echo 3 2>/dev/null >/proc/sys/vm/drop_caches; then
    can_drop=yes
fi

# Wall seconds of a command, each started from the same state: both inputs read once
# (the host's own cache of a virtual disk, see run-bench.sh), then the page cache dropped.
timed() {
    sync
    cat "$work/a.bin" "$work/b.bin" >/dev/null
    if [[ $can_drop == yes ]]; then
        echo 3 >/proc/sys/vm/drop_caches
    fi
    local start end status=0
    start=$(date +%s%N)
    "$@" >/dev/null || status=$?
    end=$(date +%s%N)
    ((status == 0)) || { echo "$* ended with status $status: the files differ?" >&2; exit 1; }
    awk -v ns=$((end - start)) 'BEGIN { printf "%.3f\n", ns / 1e9 }'
}

median() {
    printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END {
        if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

ours() { "$cli" compare "$work/a.bin" "$work/b.bin"; }
theirs() { cmp "$work/a.bin" "$work/b.bin"; }

echo "scindarex-cli: $cli"
echo "work folder:   $work ($fstype), $(nproc) processors, load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "page cache:    $([[ $can_drop == yes ]] && echo "dropped before every run" ||
    echo "NOT dropped (needs root and a writable /proc/sys/vm/drop_caches)")"
echo "repetitions:   $repeat"
echo

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
warm() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null || { echo "$* failed" >&2; exit 1; }
    end=$(date +%s%N)
    awk -v ns=$((end - start)) 'BEGIN { printf "%.3f\n", ns / 1e9 }'
}
cat "$work/a.bin" "$work/b.bin" >/dev/null
warm_ours=() warm_cmp=()
for ((i = 1; i <= repeat; i++)); do
    warm_ours+=("$(warm ours)")
    warm_cmp+=("$(warm theirs)")
done

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f\n", a / b }'; }
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
