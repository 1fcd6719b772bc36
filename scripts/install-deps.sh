#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need, if missing;
# with "windows", those of the cross-build for Windows and of running it under wine64.
# Uses sudo when not run as root.
set -euo pipefail
if [[ "${1:-}" == windows ]]; then
    packages=(cmake ninja-build g++-mingw-w64-x86-64-posix googletest wine64 librsvg2-bin
              imagemagick nsis)
else
    packages=(
        g++ cmake ninja-build pkg-config clang-format
        qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-translations-l10n
        qt6-qpa-plugins libgl-dev
        libgtest-dev libgmock-dev
        libssl-dev
        fonts-dejavu-core
        xvfb xauth
        7zip
        librsvg2-bin dpkg-dev lintian appstream desktop-file-utils shared-mime-info file
        man-db strace
        python3-samba
        util-linux mount e2fsprogs
        time
    )
fi
missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0
echo "Installing: ${missing[*]}"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
