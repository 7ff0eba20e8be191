#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, plus any named
# as arguments (the fuzz script adds clang), skipping the package manager
# entirely when everything is already there.
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev libgl1-mesa-dev libpugixml-dev
          libsqlite3-dev python3 xvfb xauth poppler-utils fonts-dejavu-core
          qt6-svg-dev desktop-file-utils appstream dpkg-dev file
          fonts-liberation2 fonts-comic-neue qt6-translations-l10n "$@")

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
