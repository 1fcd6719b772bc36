#!/usr/bin/env bash
# Speed and memory of the package archives of scindarex-cli against GNU tar:
#   pack     64 files of 16 MiB of random bytes             vs  tar cf
#   extract  all of them into an empty folder                vs  tar xf
#   list     an archive of 100 000 empty members             vs  tar tf
# each run REPEAT times (at least 3), ours and tar alternating, medians and ratios
# printed; then the peak resident memory of extracting one member of 1 GiB (MIB), from
# /usr/bin/time -v. The page cache is handled as run-bench.sh does: the input read once,
# then dropped before every timed run (root).
#
# Usage: bench/run-archive-bench.sh [path/to/scindarex-cli]   (default:
# build/bin/scindarex-cli). REPEAT=5 by default; FILES, FILE_MIB, LIST_MEMBERS and MIB
# change the sizes for a quick try. Two bounds are timed the same way for scale: reading the
# archive alone (cat) and writing as many bytes of zeros to new files alone (dd): an
# extraction must do both.
set -euo pipefail

# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
bench_init bench-archive "${1:-}"

files=${FILES:-64}
file_mib=${FILE_MIB:-16}
list_members=${LIST_MEMBERS:-100000}
command -v tar >/dev/null || { echo "tar not found (Debian package 'tar')" >&2; exit 1; }
need_gnu_time

# The members are named relative to their folder, as tar stores them.
ours_pack() { (cd "$work/src" && "$cli" pack "$work/p/ours.pck" f* --quiet); }
tar_pack() { tar cf "$work/t/theirs.tar" -C "$work/src" .; }
ours_extract() { "$cli" extract "$work/p/ours.pck" --dest "$work/xo/" --quiet; }
tar_extract() { tar xf "$work/t/theirs.tar" -C "$work/xt/"; }
ours_list() { "$cli" list "$work/list.pck"; }
read_bound() { cat "$work/p/ours.pck"; }
write_bound() { dd if=/dev/zero of="$work/w/zeros" bs=1M count="$((files * file_mib))" status=none; }
tar_list() { tar tf "$work/list.tar"; }

bench_describe "$files files of $file_mib MiB; $list_members empty members; a member of $mib MiB"

mkdir -p "$work"/{src,empty,p,t}
echo "making $files files of $file_mib MiB of random bytes and $list_members empty files..."
for ((i = 0; i < files; i++)); do
    head -c "${file_mib}M" /dev/urandom >"$(printf '%s/src/f%03d' "$work" "$i")"
done
# Short names, so that all of them fit on one command line.
(cd "$work/empty" && seq 1 "$list_members" | xargs touch && "$cli" pack "$work/list.pck" ./* --quiet)
tar cf "$work/list.tar" -C "$work/empty" .
"$cli" list "$work/list.pck" | tail -n +4 | wc -l | grep -qx "$list_members" ||
    { echo "the list archive does not hold $list_members members" >&2; exit 1; }

echo "warming up..."
timed "$work/p" "$work/src/*" ours_pack >/dev/null
timed "$work/t" "$work/src/*" tar_pack >/dev/null

pack_ours=() pack_tar=() extract_ours=() extract_tar=() list_ours=() list_tar=()
read_alone=() write_alone=()
for ((i = 1; i <= repeat; i++)); do
    round=(ours_pack tar_pack ours_extract tar_extract ours_list tar_list read_bound write_bound)
    ((i % 2)) ||
        round=(tar_pack ours_pack tar_extract ours_extract tar_list ours_list write_bound read_bound)
    for command in "${round[@]}"; do
        case $command in
            ours_pack) pack_ours+=("$(timed "$work/p" "$work/src/*" ours_pack)") ;;
            tar_pack) pack_tar+=("$(timed "$work/t" "$work/src/*" tar_pack)") ;;
            ours_extract) extract_ours+=("$(timed "$work/xo" "$work/p/ours.pck" ours_extract)") ;;
            tar_extract) extract_tar+=("$(timed "$work/xt" "$work/t/theirs.tar" tar_extract)") ;;
            ours_list) list_ours+=("$(timed "$work/none" "$work/list.pck" ours_list)") ;;
            tar_list) list_tar+=("$(timed "$work/none" "$work/list.tar" tar_list)") ;;
            read_bound) read_alone+=("$(timed "$work/none" "$work/p/ours.pck" read_bound)") ;;
            write_bound) write_alone+=("$(timed "$work/w" /dev/null write_bound)") ;;
        esac
    done
    echo "run $i: pack ours ${pack_ours[-1]} s, tar ${pack_tar[-1]} s;" \
        "extract ours ${extract_ours[-1]} s, tar ${extract_tar[-1]} s;" \
        "list ours ${list_ours[-1]} s, tar ${list_tar[-1]} s"
done
diff -r "$work/src" "$work/xo" >/dev/null || { echo "ours extracted wrong bytes" >&2; exit 1; }
diff -r "$work/src" "$work/xt" >/dev/null || { echo "tar extracted wrong bytes" >&2; exit 1; }

mp=$(median "${pack_ours[@]}") tp=$(median "${pack_tar[@]}")
mx=$(median "${extract_ours[@]}") tx=$(median "${extract_tar[@]}")
ml=$(median "${list_ours[@]}") tl=$(median "${list_tar[@]}")
echo
printf '%-8s %12s %12s %8s %8s\n' "" "ours (s)" "tar (s)" "ratio" "target"
printf '%-8s %12s %12s %8s %8s\n' pack "$mp" "$tp" "$(ratio "$mp" "$tp")" "<= 0.50"
printf '%-8s %12s %12s %8s %8s\n' extract "$mx" "$tx" "$(ratio "$mx" "$tx")" "<= 0.35"
printf '%-8s %12s %12s %8s %8s\n' list "$ml" "$tl" "$(ratio "$ml" "$tl")" "<= 0.50"
echo
mr=$(median "${read_alone[@]}")
echo "bounds: reading the archive alone $mr s (extract $(ratio "$mx" "$mr") times that), writing" \
    "$((files * file_mib)) MiB of zeros alone $(median "${write_alone[@]}") s"

rm -rf "$work"/xo "$work"/xt "$work"/t "$work"/empty "$work"/w
mkdir -p "$work/big" "$work/one"
rm -rf "$work/src"
head -c "${mib}M" /dev/urandom >"$work/big/member.bin"
"$cli" pack "$work/one.pck" "$work/big/member.bin" --quiet
rm -rf "$work/big" "$work/p"
kb=$(peak_kb "$cli" extract "$work/one.pck" --dest "$work/one" --quiet)
echo
echo "peak resident memory, extract of one member of $mib MiB: $((kb / 1024)) MiB ($kb kB;" \
    "target <= 32 MiB)"
