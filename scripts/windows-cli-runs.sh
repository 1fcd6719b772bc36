#!/usr/bin/env bash
# scindarex-cli.exe under wine64 on accented names, which reach it as UTF-16 and the
# files through the wide-character API: split and join "vidéo.mkv", pack and extract
# "été.txt", each result compared byte for byte with what went in.
set -euo pipefail
wine=$1
cli=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

run() {
    "$wine" "$cli" "$@"
}

head -c 3000000 /dev/urandom >vidéo.mkv
cp vidéo.mkv original.mkv
run split vidéo.mkv --quiet
[[ -f vidéo.001 && -f vidéo.003 ]] || { echo "split wrote no vidéo.001 to vidéo.003" >&2; exit 1; }
rm vidéo.mkv
run join vidéo.001 --quiet
cmp vidéo.mkv original.mkv

printf 'un été\r\n' >été.txt
run pack archive.pck été.txt --quiet
mkdir sortie
run extract archive.pck --dest sortie --quiet
cmp sortie/été.txt été.txt

# A refusal keeps its exit status through wine.
status=0
run join été.txt --quiet 2>/dev/null || status=$?
[[ $status -eq 1 ]] || { echo "join of a file that is no first piece exited $status" >&2; exit 1; }
echo "scindarex-cli.exe under wine64: split, join, pack, extract and a refusal as expected"
