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

# Wall seconds of a command, each started from the same state: its own earlier output
# deleted, every write flushed, a pause for the device to finish what the deletion
# started (the file system may discard freed blocks in the background), its input read
# once and the page cache dropped. The read matters on a virtual machine: the host keeps
# its own cache of the disk, which dropping ours does not empty, and without the read
# whichever command came first after other work read its input from the host's disk and
# ran up to twice as slowly, for ours and theirs alike. A benchmark whose inputs are
# prepared otherwise defines its own.
timed() {
    local output=$1 input=$2
    shift 2
    rm -f "$output"/*
    sync
    sleep "${SETTLE:-2}"
    # The input may be a pattern naming a piece set: expanded here on purpose.
    # shellcheck disable=SC2086
    cat $input >/dev/null
    drop_caches
    seconds_of "$@"
}

median() {
    printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END {
        if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f\n", a / b }'; }

# The conditions of the figures that follow.
bench_describe() {
    echo "scindarex-cli: $cli"
    echo "work folder:   $work ($fstype), $(nproc) processors, load average $(cut -d' ' -f1-3 /proc/loadavg)"
    echo "page cache:    $([[ $can_drop == yes ]] && echo "dropped before every run" ||
        echo "NOT dropped (needs root and a writable /proc/sys/vm/drop_caches)")"
    echo "repetitions:   $repeat"
    echo
}
