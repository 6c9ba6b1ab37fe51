#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs, from Debian's packages, everything that building, running and testing Tintorb needs.
# Does nothing when all of it is present; refreshes the package lists only when something is missing.
set -euo pipefail

packages=(
    g++ clang libclang-rt-14-dev cmake make ninja-build pkg-config
    qt6-base-dev libgl-dev googletest libgtest-dev libbenchmark-dev
    fonts-dejavu-core libspng-dev imagemagick python3-pil
    librsvg2-bin dpkg-dev desktop-file-utils appstream lintian
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
