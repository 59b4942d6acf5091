#!/usr/bin/env bash
# Builds the player and its Debian package, and prints where the package is:
#   bash scripts/package.sh [BUILD_DIR]        (default: build)
# Install it with `sudo apt install ./build/tolvane99_*.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
dir="${1:-build}"
bash scripts/build.sh "$dir"
(cd "$dir" && cpack -G DEB >/dev/null)
ls "$dir"/tolvane99_*.deb
