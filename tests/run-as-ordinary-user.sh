#!/usr/bin/env bash
# Runs the permission tests (suites named *PermissionTest) of the given test programs as
# uid 65534, for a ctest run as root: root passes every permission check, so these tests
# only show what an ordinary user meets when an ordinary user runs them. Run as anyone
# else, it skips: the normal run already was that user's.
#
# The programs are copied into a scratch folder under /tmp, which that user can reach
# whatever the build tree's place (a checkout under /root is not open to them).
set -euo pipefail

readonly user=65534
readonly skip=77

if [[ $(id -u) -ne 0 ]]; then
    echo "not root: the permission tests already ran as this user"
    exit $skip
fi
if ! command -v setpriv >/dev/null; then
    echo "setpriv (util-linux) is missing: cannot run as uid $user"
    exit $skip
fi

scratch=$(mktemp -d /tmp/scx-as-user-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
chmod 0755 "$scratch"
mkdir "$scratch/tmp"
chmod 0700 "$scratch/tmp"
chown "$user:$user" "$scratch/tmp"

status=0
for program in "$@"; do
    name=$(basename "$program")
    cp "$program" "$scratch/$name"
    chmod 0755 "$scratch/$name"
    echo "== $name as uid $user"
    if ! (cd "$scratch/tmp" &&
        setpriv --reuid=$user --regid=$user --clear-groups \
            env TMPDIR="$scratch/tmp" HOME="$scratch/tmp" XDG_RUNTIME_DIR="$scratch/tmp" \
            "$scratch/$name" --gtest_filter='*PermissionTest.*') | tee "$scratch/$name.log"; then
        status=1
    fi
    # A filter that picks nothing would pass in silence.
    if ! grep -q '^\[ RUN' "$scratch/$name.log"; then
        echo "$name: no permission test found"
        status=1
    fi
done
exit $status
