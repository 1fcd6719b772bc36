#!/usr/bin/env bash
# Builds the Debian package from a built tree, has lintian check it, unpacks it into a
# scratch root and checks what a user gets: the programs start, the guide, translations,
# icon, menu entry, file type, manual pages and completion are where they are looked for.
# Usage: check-package.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
    echo "ÉCHEC : $*" >&2
    failures=$((failures + 1))
}

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; exit 1; }
deb=$(echo "$scratch"/out/scindarex_*.deb)
[[ -f $deb ]] || { echo "no package in $scratch/out" >&2; exit 1; }

# Dependencies computed from the binaries, plus what the program loads at run time.
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6svg6 libssl3 qt6-translations-l10n qt6-qpa-plugins; do
    [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

if command -v lintian >/dev/null; then
    lintian --fail-on error --suppress-tags initial-upload-closes-no-bugs "$deb" ||
        fail "lintian reports errors"
else
    echo "lintian is missing: not run" >&2
fi

root=$scratch/root
dpkg-deb -x "$deb" "$root"
share=$root/usr/share
id=org.scindarex.Scindarex

# The command-line tool runs and says its version.
version=$("$root/usr/bin/scindarex-cli" --version) || fail "scindarex-cli --version failed"
[[ $version == *2.01* ]] || fail "scindarex-cli --version printed: $version"

# The program starts on the offscreen platform and stays up with a file given as "Open
# with" gives it; at start it loads Qt's French translations. Where tracing is not
# allowed (containers without ptrace), the translations are only looked for.
printf 'contenu' >"$scratch/film.avi"
trace=()
if strace -f -o /dev/null true 2>/dev/null; then
    trace=(strace -f -e trace=openat -o "$scratch/trace")
fi
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$scratch "${trace[@]}" \
    timeout 5 "$root/usr/bin/scindarex" l "$scratch/film.avi" >"$scratch/run.log" 2>&1 &&
    status=0 || status=$?
[[ $status -eq 124 ]] || { cat "$scratch/run.log" >&2; fail "scindarex ended early ($status)"; }
if [[ ${#trace[@]} -gt 0 ]]; then
    grep -v ENOENT "$scratch/trace" | grep -q 'qtbase_fr\.qm' || fail "qtbase_fr.qm not loaded"
else
    [[ -f /usr/share/qt6/translations/qtbase_fr.qm ]] || fail "qtbase_fr.qm missing"
fi

# The guide where the installed program looks for it: share/scindarex beside bin.
[[ -f $root/usr/bin/../share/scindarex/help/guide.html ]] || fail "guide missing"

# Menu entry, metainfo and file type pass their validators.
desktop=$share/applications/$id.desktop
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop entry invalid"
fi
grep -qx 'Exec=scindarex l %f' "$desktop" || fail "desktop entry does not open a file as 'l path'"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" >/dev/null ||
    fail "metainfo invalid"
cp -r "$share/mime" "$scratch/mime"
update-mime-database "$scratch/mime" >/dev/null 2>&1 || fail "update-mime-database failed"
grep -q 'application/x-scindarex-pack' "$scratch/mime/globs2" || fail ".pck glob not registered"
grep -aq '@scindarexpack;' "$scratch/mime/magic" || fail ".pck magic not registered"

# Icons: the SVG and each PNG at its size.
[[ -f $share/icons/hicolor/scalable/apps/$id.svg ]] || fail "scalable icon missing"
for size in 16 24 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x${size}/apps/$id.png
    file "$png" | grep -q "PNG image data, $size x $size" || fail "icon $size: $(file "$png")"
done

# Manual pages render without warnings, in the French and the default folders.
for page in scindarex scindarex-cli; do
    for dir in man1 fr/man1; do
        gz=$share/man/$dir/$page.1.gz
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$gz" 2>&1 >/dev/null) ||
            fail "man $dir/$page failed"
        [[ -z $warnings ]] || fail "man $dir/$page: $warnings"
    done
done

# Completion: subcommands, a subcommand's options, --if-exists modes, files.
completion=$share/bash-completion/completions/scindarex-cli
complete_line() {
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1));
             _scindarex_cli; printf "%s\n" "${COMPREPLY[@]}"' _ "$completion" "$@" | sort | xargs
}
[[ $(complete_line scindarex-cli sp) == split ]] || fail "completion of 'sp'"
[[ $(complete_line scindarex-cli join --no) == --no-verify ]] || fail "completion of join --no"
[[ $(complete_line scindarex-cli split a --if-exists "") == "ask copy fail overwrite" ]] ||
    fail "completion of --if-exists"
[[ $(cd "$scratch" && complete_line scindarex-cli split fil) == film.avi ]] ||
    fail "completion of a file name"

[[ $failures -eq 0 ]] || exit 1
echo "package checked: $(basename "$deb")"
