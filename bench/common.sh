# Sourced by the benchmarks: what every one of them does the same way.

# bench_init NAME [path/to/scindarex-cli]: sets repo, cli (absolute), repeat (REPEAT, 5 by
# default, at least 3), work (a folder NAME.XXXXXX beside the build folder, on the
# repository's file system, removed at exit), fstype and can_drop.
bench_init() {
    repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
    cli=${2:-$repo/build/bin/scindarex-cli}
    repeat=${REPEAT:-5}
    [[ -x $cli ]] || { echo "scindarex-cli not found at $cli: build it first (make test)" >&2; exit 1; }
    ((repeat >= 3)) || { echo "REPEAT must be at least 3" >&2; exit 1; }
    cli=$(cd "$(dirname "$cli")" && pwd)/$(basename "$cli")

    work=$(mktemp -d "$(dirname "$(dirname "$cli")")/$1.XXXXXX")
    trap 'rm -rf "$work"' EXIT
    fstype=$(stat -f -c %T "$work")
    if [[ $fstype == tmpfs ]]; then
        echo "warning: $work is on tmpfs; the figures will not be those of a disk" >&2
    fi

    # Dropping the page cache needs root and a writable /proc/sys; without it every run
    # after the first reads its input from memory, for ours and theirs alike.
    can_drop=no
    if [[ -w /proc/sys/vm/drop_caches ]] && sync && echo 3 2>/dev/null >/proc/sys/vm/drop_caches; then
        can_drop=yes
    fi
}

drop_caches() {
    sync
    if [[ $can_drop == yes ]]; then
        echo 3 >/proc/sys/vm/drop_caches
    fi
}

# Wall seconds of a command, on one line.
seconds_of() {
    local start end
    start=$(date +%s%N)
    "$@"
    end=$(date +%s%N)
    awk -v ns=$((end - start)) 'BEGIN { printf "%.3f\n", ns / 1e9 }'
}

median() {
    printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END {
        if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f\n", a / b }'; }
