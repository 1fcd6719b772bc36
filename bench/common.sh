# Sourced by the benchmarks: what every one of them does the same way.

# bench_init NAME [path/to/scindarex-cli]: sets repo, cli (absolute), repeat (REPEAT, 5 by
# default, at least 3), mib (MIB, the size of the data in MiB, 1024 by default), work (a
# folder NAME.XXXXXX beside the build folder, on the repository's file system, removed at
# exit), fstype, can_drop, and piece_kb, the size of the pieces that the split benchmarks
# cut: 15 000 KB at 1 GiB, the same 70 pieces at any size. DROP_CACHES=no keeps the page
# cache even for root.
bench_init() {
    repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
    cli=${2:-$repo/build/bin/scindarex-cli}
    repeat=${REPEAT:-5}
    mib=${MIB:-1024}
    [[ -x $cli ]] || { echo "scindarex-cli not found at $cli: build it first (make test)" >&2; exit 1; }
    ((repeat >= 3)) || { echo "REPEAT must be at least 3" >&2; exit 1; }
    ((mib >= 1)) || { echo "MIB must be at least 1" >&2; exit 1; }
    cli=$(cd "$(dirname "$cli")" && pwd)/$(basename "$cli")
    piece_kb=$((mib * 15000 / 1024))

    work=$(mktemp -d "$(dirname "$(dirname "$cli")")/$1.XXXXXX")
    trap 'rm -rf "$work"' EXIT
    fstype=$(stat -f -c %T "$work")
    if [[ $fstype == tmpfs ]]; then
        echo "warning: $work is on tmpfs; the figures will not be those of a disk" >&2
    fi

    # Dropping the page cache needs root and a writable /proc/sys; without it every run
    # after the first reads its input from memory, for ours and theirs alike.
    can_drop=no
    if [[ ${DROP_CACHES:-yes} != no && -w /proc/sys/vm/drop_caches ]] &&
        sync && echo 3 2>/dev/null >/proc/sys/vm/drop_caches; then
        can_drop=yes
    fi
}

# Stops at once when GNU time, which measures the peak memory, is missing.
need_gnu_time() {
    [[ -x /usr/bin/time ]] || { echo "GNU time not found (Debian package 'time')" >&2; exit 1; }
}

drop_caches() {
    if [[ $can_drop == yes ]]; then
        sync
        echo 3 >/proc/sys/vm/drop_caches
    fi
}

# Wall seconds of a command, on one line; what the command prints is discarded, so that
# it never mixes with the figure.
seconds_of() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    awk -v ns=$((end - start)) 'BEGIN { printf "%.3f\n", ns / 1e9 }'
}

# timed OUTPUT INPUT COMMAND...: wall seconds of a command, each started from the same
# state: its output folder emptied, every write flushed, a pause of SETTLE seconds (2 by
# default) for the device to finish what the deletion started (the file system may
# discard freed blocks in the background), its input read once and the page cache
# dropped. The read matters on a virtual machine: the host keeps its own cache of the
# disk, which dropping ours does not empty, and without the read whichever command came
# first after other work read its input from the host's disk and ran up to twice as
# slowly, for ours and theirs alike. SETTLE=0 neither flushes nor pauses: the figures of
# such a run only show that the benchmark measures.
timed() {
    local output=$1 input=$2 settle=${SETTLE:-2}
    shift 2
    rm -rf "$output"
    mkdir -p "$output"
    if [[ $settle != 0 ]]; then
        sync
        sleep "$settle"
    fi
    # The input may be a pattern, or several files: expanded here on purpose.
    # shellcheck disable=SC2086
    cat $input >/dev/null
    drop_caches
    seconds_of "$@"
}

# Peak resident memory of a command, in kB.
peak_kb() {
    /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F': ' '/Maximum resident set size/ { print $2 }'
}

median() {
    printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END {
        if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f\n", a / b }'; }

# bench_describe [SIZES]: the conditions of the figures that follow.
bench_describe() {
    echo "scindarex-cli: $cli"
    echo "work folder:   $work ($fstype), $(nproc) processors, load average $(cut -d' ' -f1-3 /proc/loadavg)"
    local kept="needs root and a writable /proc/sys/vm/drop_caches"
    [[ ${DROP_CACHES:-yes} != no ]] || kept="DROP_CACHES=no"
    echo "page cache:    $([[ $can_drop == yes ]] && echo "dropped before every run" ||
        echo "NOT dropped ($kept)")"
    echo "repetitions:   $repeat"
    [[ -z ${1:-} ]] || echo "sizes:         $1"
    echo
}
