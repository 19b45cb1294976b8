#!/usr/bin/env bash
# Installs the Debian packages Vidlark needs to build, play, package, check, fuzz and test; quiet
# when all are there.
set -euo pipefail

packages=(
    cmake make g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev libx11-dev libxtst-dev
    mplayer ffmpeg
    xvfb xdotool x11-utils x11-apps imagemagick dbus fonts-wqy-microhei
    dpkg-dev file binutils lintian desktop-file-utils appstream
    clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
