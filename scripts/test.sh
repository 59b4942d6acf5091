#!/usr/bin/env bash
# Builds the player and runs every test, then the quick cases of the bad-input matrix
# on the real program. Extra arguments go to CMake, e.g.
#   bash scripts/test.sh build-asan -DTOLVANE_SANITIZE=ON
set -euo pipefail
cd "$(dirname "$0")/.."
# The include direction between the folders of src/ first: it takes no build.
bash scripts/check-layers.sh
# ffmpeg, vcdimager and genisoimage make the media and discs the tests play; some
# tests run in the users' locale, zh_TW.UTF-8. The desktop tests run the player on a
# private session bus and install its package into a scratch root under Xvfb.
bash scripts/deps.sh ffmpeg vcdimager genisoimage locales dbus-daemon dbus-bin \
  desktop-file-utils xvfb xauth xdotool
bash scripts/user-locale.sh
dir="${1:-build}"
shift || true
bash scripts/build.sh "$dir" "$@"
(cd "$dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 120 -j "$(nproc)")
bash scripts/bad-input.sh --quick --player "$dir/stage/Tolvane99"
