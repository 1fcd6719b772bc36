#!/usr/bin/env bash
# The Windows installer under wine64: a silent install, the installed program started with
# an archive as "l FILE" (it must still be running a few seconds later), then a silent
# uninstall, after which nothing of it may be left. Usage: windows-install-runs.sh WINE SETUP
set -euo pipefail
wine=$1
setup=$(realpath "$2")
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
drive_c="$WINEPREFIX/drive_c"
folder="$drive_c/Program Files/Scindarex"
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Scindarex.lnk"

fail() {
    echo "installer: $*" >&2
    exit 1
}

# Wine would mirror the Start menu entry and the file type into the desktop's own menus,
# outside the prefix, and leave some behind after the uninstall: test-windows.sh turns that
# off, and the folders it would write to are ours here, which must stay empty.
desktop=$(mktemp -d)
trap 'rm -rf "$desktop"' EXIT
export XDG_DATA_HOME="$desktop/data" XDG_CONFIG_HOME="$desktop/config"

"$wine" "$setup" /S
"$wineserver" -w
for file in scindarex.exe scindarex-cli.exe help/guide.html uninstall.exe; do
    [[ -f "$folder/$file" ]] || fail "no $file in $folder"
done
[[ -f "$shortcut" ]] || fail "no Start menu entry"
# The working folder is the shortcut's last UTF-16 string.
[[ $(strings -e l "$shortcut" | tail -n 1) == *'C:\Program Files\Scindarex' ]] ||
    fail "the Start menu entry starts in $(strings -e l "$shortcut" | tail -n 1)"
"$wine" reg query 'HKLM\Software\Classes\Scindarex.Package\shell\open\command' /ve \
    | grep -q 'scindarex.exe" l "%1"' || fail "no .pck file type"

# The installed tool makes an archive; the installed program opens it and waits for the user.
work="$drive_c/scindarex-install-test"
mkdir -p "$work"
printf 'Été\n' >"$work/été.txt"
(cd "$work" && "$wine" "$folder/scindarex-cli.exe" pack essai.pck été.txt >/dev/null)
set +e
timeout 8 "$wine" "$folder/scindarex.exe" l 'C:\scindarex-install-test\essai.pck'
status=$?
set -e
"$wineserver" -k || true
"$wineserver" -w
rm -rf "$work"
[[ $status -eq 124 ]] || fail "the installed program ended (status $status) instead of running"

uninstaller="C:\\Program Files\\Scindarex\\uninstall.exe"
"$wine" "$uninstaller" /S
"$wineserver" -w
[[ ! -e "$folder" ]] || fail "left behind: $(find "$folder" | head -5)"
[[ ! -e "$shortcut" ]] || fail "the Start menu entry is left behind"
if "$wine" reg query 'HKLM\Software\Classes\.pck' >/dev/null 2>&1; then
    fail "the .pck file type is left behind"
fi
if "$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Scindarex' \
    >/dev/null 2>&1; then
    fail "the uninstall entry is left behind"
fi
[[ -z $(find "$desktop" -type f) ]] || fail "left in the desktop's menus: $(find "$desktop" -type f)"
echo "installer: installed, ran and uninstalled without a trace"
