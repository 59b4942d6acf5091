#!/usr/bin/env bash
# Builds and starts the player. Without a display it runs under Xvfb in a demo home
# folder, saves pictures of the screen and says where they are.
set -euo pipefail
cd "$(dirname "$0")/.."
headless=0
[ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && headless=1
if [ $headless -eq 1 ]; then
  bash scripts/deps.sh xvfb xauth xdotool imagemagick
else
  bash scripts/deps.sh
fi
bash scripts/build.sh build
player="$PWD/build/stage/Tolvane99"

if [ $headless -eq 0 ]; then
  exec "$player"
fi

shots="$PWD/build/screenshots"
demo_home="$PWD/build/demo-home"
mkdir -p "$shots" "$demo_home"
HOME="$demo_home" xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  player="$1"; shots="$2"
  "$player" & pid=$!
  sleep 4
  import -window root "$shots/tolvane99-start.png"
  # First start: the read-me window waits to be closed; close it as a user would.
  if win=$(xdotool search --name "Tolvane說明檔" 2>/dev/null | head -n 1) && [ -n "$win" ]; then
    xdotool windowfocus --sync "$win" key space || true
    sleep 3
  fi
  import -window root "$shots/tolvane99.png"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
' _ "$player" "$shots"
# A second start with the shaped skin chosen, as the skin menu would leave it.
stage_dos="Z:$(echo "$PWD/build/stage" | sed 's|/|\\\\|g')"
printf '\n[HKEY_CURRENT_USER\\Software\\Ostrana\\Tolvane99 V1.1]\n"ReadMe"="1"\n"DeskPic"="%s\\\\Skin\\\\Jade.gif"\n' \
  "$stage_dos" >> "$demo_home/.local/share/tolvane99/registry.reg"
HOME="$demo_home" xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$1" & pid=$!
  sleep 4
  import -window root "$2/tolvane99-shaped.png"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
' _ "$player" "$shots"
echo "Saved a picture of the screen after start-up: $shots/tolvane99-start.png"
echo "Saved a picture of the main window: $shots/tolvane99.png"
echo "Saved a picture of the shaped skin Jade.gif: $shots/tolvane99-shaped.png"
echo "(log: $PWD/build/stage/TL99.log)"
