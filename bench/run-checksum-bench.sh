#!/usr/bin/env bash
# Speed of the checksum files against what people do today with GNU tools:
#   split --checksums of 1 GiB into 15 000 KB pieces   vs  split -b 15360000, then
#                                                           sha256sum of the pieces
#   join with verification (checksum file beside)      vs  sha256sum -c, then cat
# and, for reference, our split and join without checksums. Each run REPEAT times (at
# least 3), in alternating order; medians and ratios printed.
#
# Usage: bench/run-checksum-bench.sh [path/to/scindarex-cli]   (default:
# build/bin/scindarex-cli). REPEAT=5 and MIB=1024 by default. The page cache is handled
# as run-bench.sh does: inputs read once, then dropped before every timed run (root only).
set -euo pipefail

# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
bench_init bench-checksum "${1:-}"

src=$work/src/data.bin
ours_split() {
    "$cli" split "$src" --size "$piece_kb" --dest "$work/ours" --if-exists overwrite --checksums --quiet
}
gnu_split() {
    split -d -a 3 --numeric-suffixes=1 -b "$((piece_kb * 1024))" "$src" "$work/gnu/p."
    (cd "$work/gnu" && sha256sum p.* >"$work/sums/p.sha256")
}
plain_split() {
    "$cli" split "$src" --size "$piece_kb" --dest "$work/plain" --if-exists overwrite --quiet
}
ours_join() {
    "$cli" join "$work/ours/data.001" --dest "$work/joined-ours" --if-exists overwrite --quiet
}
gnu_join() {
    (cd "$work/gnu" && sha256sum -c --quiet "$work/sums/p.sha256")
    cat "$work"/gnu/p.* >"$work/joined-gnu/out"
}
plain_join() {
    "$cli" join "$work/plain/data.001" --dest "$work/joined-plain" --if-exists overwrite --quiet
}

bench_describe "$mib MiB of random bytes"

mkdir -p "$work"/{src,ours,gnu,plain,sums,joined-ours,joined-gnu,joined-plain,none}
echo "making $mib MiB of random bytes..."
head -c "${mib}M" /dev/urandom >"$src"

echo "warming up..."
for command in ours_split gnu_split plain_split ours_join gnu_join plain_join; do
    timed "$work/none" "$src" "$command" >/dev/null
done

declare -A runs
record() { runs[$1]+="$2 "; }
last() { awk '{ print $NF }' <<<"${runs[$1]}"; }
for ((i = 1; i <= repeat; i++)); do
    # Rotate which goes first, so that none always runs on a warmer machine.
    splits=(ours gnu plain) joins=(ours gnu plain)
    shift_by=$((i % 3))
    splits=("${splits[@]:shift_by}" "${splits[@]:0:shift_by}")
    joins=("${joins[@]:shift_by}" "${joins[@]:0:shift_by}")
    for who in "${splits[@]}"; do
        record "split_$who" "$(timed "$work/$who" "$src" "${who}_split")"
    done
    for who in "${joins[@]}"; do
        record "join_$who" "$(timed "$work/joined-$who" "$work/$who/*" "${who}_join")"
    done
    echo "run $i: split $(last split_ours) s, GNU split + sha256sum $(last split_gnu) s;" \
        "join $(last join_ours) s, sha256sum -c + cat $(last join_gnu) s"
done
for joined in "$work/joined-ours/data.bin" "$work/joined-gnu/out" "$work/joined-plain/data.bin"; do
    cmp -s "$src" "$joined" || { echo "$joined holds wrong bytes" >&2; exit 1; }
done
(cd "$work/ours" && sha256sum -c --quiet --ignore-missing data.sha256) || { echo "sha256sum -c refused ours" >&2; exit 1; }

# shellcheck disable=SC2086
{
    so=$(median ${runs[split_ours]}) sg=$(median ${runs[split_gnu]}) sp=$(median ${runs[split_plain]})
    jo=$(median ${runs[join_ours]}) jg=$(median ${runs[join_gnu]}) jp=$(median ${runs[join_plain]})
}
echo
printf '%-6s %16s %16s %8s %8s %20s\n' "" "ours (s)" "GNU tools (s)" "ratio" "target" \
    "ours, no checksum (s)"
printf '%-6s %16s %16s %8s %8s %20s\n' split "$so" "$sg" "$(ratio "$so" "$sg")" "<= 0.70" "$sp"
printf '%-6s %16s %16s %8s %8s %20s\n' join "$jo" "$jg" "$(ratio "$jo" "$jg")" "<= 0.70" "$jp"
