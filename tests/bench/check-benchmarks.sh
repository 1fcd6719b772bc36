#!/usr/bin/env bash
# Runs every benchmark once at a tiny size, without dropping the page cache, and fails
# when one of them stops or prints a figure that is missing or not a number: a benchmark
# that measures nothing must not go unnoticed until someone needs its figures.
#
# Usage: tests/bench/check-benchmarks.sh path/to/scindarex-cli
set -euo pipefail
cli=$1
bench=$(cd "$(dirname "$0")/../../bench" && pwd)
export REPEAT=3 MIB=2 FILES=3 FILE_MIB=1 LIST_MEMBERS=200 SETTLE=0 DROP_CACHES=no

number='^[0-9]+(\.[0-9]+)?$'
failures=0
fail() {
    echo "$script: $*" >&2
    failures=$((failures + 1))
}

# expect_row LABEL COUNT: the table row LABEL holds COUNT figures besides its target.
expect_row() {
    local row figures
    row=$(grep -E "^$1 " <<<"$output" || true)
    [[ -n $row ]] || { fail "no row '$1'"; return; }
    read -r -a figures <<<"$(sed -E 's/<= [0-9.]+//' <<<"${row#"$1"}")"
    ((${#figures[@]} == $2)) || fail "row '$1' holds ${#figures[@]} figures, not $2: $row"
    for figure in "${figures[@]}"; do
        [[ $figure =~ $number ]] || fail "row '$1': '$figure' is not a number"
    done
}

# Every "N s" of the per-run and bound lines and every "(N kB" of the memory lines is a
# number.
check_units() {
    local bad
    bad=$(awk '/^(run [0-9]+[,:]|bounds:)/ {
                  for (i = 2; i <= NF; i++) if ($i ~ /^s[,;]?$/ && $(i - 1) !~ /^[0-9]+(\.[0-9]+)?$/) print
              }
              /peak resident memory/ && !/\([0-9]+ kB/ { print }' <<<"$output")
    [[ -z $bad ]] || fail "figures missing in: $bad"
    grep -q "^run " <<<"$output" || fail "no per-run figures"
}

declare -A rows=(
    [run-bench.sh]="split:3 join:3"
    [run-checksum-bench.sh]="split:4 join:4"
    [run-compare-bench.sh]="cold:3 warm:3"
    [run-archive-bench.sh]="pack:3 extract:3 list:3"
)
for script in run-bench.sh run-checksum-bench.sh run-compare-bench.sh run-archive-bench.sh; do
    if ! output=$("$bench/$script" "$cli" 2>&1); then
        fail "stopped:"$'\n'"$output"
        continue
    fi
    for row in ${rows[$script]}; do
        expect_row "${row%:*}" "${row#*:}"
    done
    check_units
    ((failures == 0)) || echo "$output" >&2
done
((failures == 0)) || exit 1
echo "benchmarks: every figure present"
