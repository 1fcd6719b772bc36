#!/usr/bin/env bash
# Speed and memory of scindarex-cli against the tools people use today:
#   split  1 GiB of random bytes into 15 000 KB pieces   vs  GNU split -b 15360000
#   join   those pieces back                              vs  cat p.* > out
# each run REPEAT times (at least 3), ours and theirs alternating, medians and ratios
# printed; then the peak resident memory of a split of a 3 GiB sparse file at
# 2 000 000 KB partitions (both scaled with MIB), from /usr/bin/time -v.
#
# Usage: bench/run-bench.sh [path/to/scindarex-cli]   (default: build/bin/scindarex-cli,
# which `make test` builds). REPEAT=5 and MIB=1024 by default. The work folder is made
# under the build folder, on the repository's file system, and removed at the end.
set -euo pipefail

# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
bench_init bench "${1:-}"
need_gnu_time

ours_split() {
    "$cli" split "$work/src/data.bin" --size "$piece_kb" --dest "$work/ours" --if-exists overwrite --quiet
}
gnu_split() {
    split -d -a 3 --numeric-suffixes=1 -b "$((piece_kb * 1024))" "$work/src/data.bin" "$work/gnu/p."
}
ours_join() {
    "$cli" join "$work/ours/data.001" --dest "$work/joined-ours" --if-exists overwrite --quiet
}
cat_join() {
    cat "$work"/gnu/p.* >"$work/joined-cat/out"
}
# The bound of both: a split or a join reads every byte once, and can go no faster.
read_bound() { cat "$work/src/data.bin"; }

bench_describe "$mib MiB of random bytes"

mkdir -p "$work"/{src,ours,gnu,joined-ours,joined-cat,sparse,none}
echo "making $mib MiB of random bytes..."
head -c "${mib}M" /dev/urandom >"$work/src/data.bin"

# One round not counted: the first runs after the data was written are slower for all.
echo "warming up..."
for command in ours_split gnu_split ours_join cat_join; do
    timed "$work/none" "$work/src/data.bin" "$command" >/dev/null
done

split_ours=() split_gnu=() join_ours=() join_cat=() read_alone=()
for ((i = 1; i <= repeat; i++)); do
    # Alternate which goes first, so that neither always runs on a warmer machine.
    if ((i % 2)); then
        split_ours+=("$(timed "$work/ours" "$work/src/data.bin" ours_split)")
        split_gnu+=("$(timed "$work/gnu" "$work/src/data.bin" gnu_split)")
        join_ours+=("$(timed "$work/joined-ours" "$work/ours/*" ours_join)")
        join_cat+=("$(timed "$work/joined-cat" "$work/gnu/*" cat_join)")
    else
        split_gnu+=("$(timed "$work/gnu" "$work/src/data.bin" gnu_split)")
        split_ours+=("$(timed "$work/ours" "$work/src/data.bin" ours_split)")
        join_cat+=("$(timed "$work/joined-cat" "$work/gnu/*" cat_join)")
        join_ours+=("$(timed "$work/joined-ours" "$work/ours/*" ours_join)")
    fi
    read_alone+=("$(timed "$work/none" "$work/src/data.bin" read_bound)")
    echo "run $i: split ours ${split_ours[-1]} s, GNU ${split_gnu[-1]} s;" \
        "join ours ${join_ours[-1]} s, cat ${join_cat[-1]} s; reading alone ${read_alone[-1]} s"
done
cmp -s "$work/src/data.bin" "$work/joined-ours/data.bin" || { echo "ours joined wrong bytes" >&2; exit 1; }
cmp -s "$work/src/data.bin" "$work/joined-cat/out" || { echo "cat joined wrong bytes" >&2; exit 1; }

ms=$(median "${split_ours[@]}") mg=$(median "${split_gnu[@]}")
mj=$(median "${join_ours[@]}") mc=$(median "${join_cat[@]}")
echo
printf '%-8s %12s %12s %8s %8s\n' "" "ours (s)" "theirs (s)" "ratio" "target"
printf '%-8s %12s %12s %8s %8s\n' split "$ms" "$mg" "$(ratio "$ms" "$mg")" "<= 0.90"
printf '%-8s %12s %12s %8s %8s\n' join "$mj" "$mc" "$(ratio "$mj" "$mc")" "<= 0.90"
mr=$(median "${read_alone[@]}")
echo
echo "bounds: reading the source alone $mr s (split $(ratio "$ms" "$mr") times that, join" \
    "$(ratio "$mj" "$mr") times that)"

rm -rf "$work"/ours "$work"/gnu "$work"/joined-*
# Partitions of about 2/3 and 1/2 of the sparse and the random file, as at 1 GiB.
sparse_size=$((mib * 2000000 / 1024)) data_size=$((mib * 500000 / 1024))
truncate -s "$((3 * mib))M" "$work/sparse/big.bin"
sparse_kb=$(peak_kb "$cli" split "$work/sparse/big.bin" --size "$sparse_size" --quiet)
rm -f "$work"/sparse/big.0*
data_kb=$(peak_kb "$cli" split "$work/src/data.bin" --size "$data_size" --dest "$work/sparse" --quiet)
echo
echo "peak resident memory, split of a $((3 * mib)) MiB sparse file at $sparse_size KB:" \
    "$((sparse_kb / 1024)) MiB ($sparse_kb kB; target <= 32 MiB)"
echo "peak resident memory, split of the $mib MiB random file at $data_size KB:" \
    "$((data_kb / 1024)) MiB ($data_kb kB)"
