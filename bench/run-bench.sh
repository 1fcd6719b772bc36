#!/usr/bin/env bash
# Speed and memory of scindarex-cli against the tools people use today:
#   split  1 GiB of random bytes into 15 000 KB pieces   vs  GNU split -b 15360000
#   join   those pieces back                              vs  cat p.* > out
# each run REPEAT times (at least 3), ours and theirs alternating, medians and ratios
# printed; then the peak resident memory of a split of a 3 GiB sparse file at
# 2 000 000 KB partitions, from /usr/bin/time -v.
#
# Usage: bench/run-bench.sh [path/to/scindarex-cli]   (default: build/bin/scindarex-cli,
# which `make test` builds). REPEAT=5 by default. The work folder is made under the
# build folder, on the repository's file system, and removed at the end.
set -euo pipefail

# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
bench_init bench "${1:-}"

if [[ ! -x /usr/bin/time ]]; then
    echo "Installing GNU time (Debian package 'time')..."
    sudo=()
    [[ $(id -u) -eq 0 ]] || sudo=(sudo)
    "${sudo[@]}" apt-get install -y -qq time >/dev/null
fi

ours_split() {
    "$cli" split "$work/src/data.bin" --size 15000 --dest "$work/ours" --if-exists overwrite --quiet
}
gnu_split() {
    split -d -a 3 --numeric-suffixes=1 -b 15360000 "$work/src/data.bin" "$work/gnu/p."
}
ours_join() {
    "$cli" join "$work/ours/data.001" --dest "$work/joined-ours" --if-exists overwrite --quiet
}
cat_join() {
    cat "$work"/gnu/p.* >"$work/joined-cat/out"
}

bench_describe

mkdir -p "$work"/{src,ours,gnu,joined-ours,joined-cat,sparse,none}
echo "making 1 GiB of random bytes..."
head -c 1G /dev/urandom >"$work/src/data.bin"

# One round not counted: the first runs after the 1 GiB was written are slower for all.
echo "warming up..."
for command in ours_split gnu_split ours_join cat_join; do
    timed "$work/none" "$work/src/data.bin" "$command" >/dev/null
done

split_ours=() split_gnu=() join_ours=() join_cat=()
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
    echo "run $i: split ours ${split_ours[-1]} s, GNU ${split_gnu[-1]} s;" \
        "join ours ${join_ours[-1]} s, cat ${join_cat[-1]} s"
done
cmp -s "$work/src/data.bin" "$work/joined-ours/data.bin" || { echo "ours joined wrong bytes" >&2; exit 1; }
cmp -s "$work/src/data.bin" "$work/joined-cat/out" || { echo "cat joined wrong bytes" >&2; exit 1; }

ms=$(median "${split_ours[@]}") mg=$(median "${split_gnu[@]}")
mj=$(median "${join_ours[@]}") mc=$(median "${join_cat[@]}")
echo
printf '%-8s %12s %12s %8s %8s\n' "" "ours (s)" "theirs (s)" "ratio" "target"
printf '%-8s %12s %12s %8s %8s\n' split "$ms" "$mg" "$(ratio "$ms" "$mg")" "<= 0.90"
printf '%-8s %12s %12s %8s %8s\n' join "$mj" "$mc" "$(ratio "$mj" "$mc")" "<= 0.90"

rm -rf "$work"/ours "$work"/gnu "$work"/joined-*
truncate -s 3G "$work/sparse/big.bin"
peak_kb() {
    /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F': ' '/Maximum resident set size/ { print $2 }'
}
sparse_kb=$(peak_kb "$cli" split "$work/sparse/big.bin" --size 2000000 --quiet)
rm -f "$work"/sparse/big.0*
data_kb=$(peak_kb "$cli" split "$work/src/data.bin" --size 500000 --dest "$work/sparse" --quiet)
echo
echo "peak resident memory, split of a 3 GiB sparse file at 2 000 000 KB: $((sparse_kb / 1024)) MiB" \
    "($sparse_kb kB; target <= 32 MiB)"
echo "peak resident memory, split of the 1 GiB random file at 500 000 KB: $((data_kb / 1024)) MiB" \
    "($data_kb kB)"
