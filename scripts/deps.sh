#!/usr/bin/env bash
# Installs the Debian packages the player needs to build and run, plus any named
# on the command line. Only missing packages are installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev libmpv-dev libcdio-dev libiso9660-dev libasound2-dev
  libfluidsynth-dev timgm6mb-soundfont libgtest-dev libgmock-dev fonts-noto-cjk
  fonts-dejavu-core poppler-utils qt6-qpa-plugins dpkg-dev
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
