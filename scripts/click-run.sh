#!/usr/bin/env bash
# Plays a folder of generated MP3 files by clicking the real window under Xvfb: the
# player searches the folder at start and plays, then the script clicks "next",
# "louder" twice, "stop" and "exit" at the places the layout file gives, takes a
# picture of the window and checks the log and the saved settings for each step.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh xvfb xauth xdotool imagemagick ffmpeg
bash scripts/build.sh build
player="$PWD/build/stage/Tolvane99"
work="$PWD/build/click-run"
home="$work/home"
music="$work/music"
rm -rf "$work"
mkdir -p "$home/.local/share/tolvane99" "$music"

for n in 1 2 3; do
  ffmpeg -loglevel error -f lavfi -i "sine=frequency=$((300 + 110 * n)):duration=40" \
    -ac 2 -q:a 7 "$music/song0$n.mp3"
done

# Settings: no read-me, search the configured device M: at start and play, volume 50%.
cat > "$home/.local/share/tolvane99/registry.reg" <<'EOF'
[HKEY_CURRENT_USER\Software\Ostrana\Tolvane99 V1.1]
"ReadMe"="1"
"ScanType1"="False"
"ScanType2"="True"
"ScanType3"="False"
"DiskName"="M:"
"AutoPlay"="1"
"Volume"="500"
EOF
printf 'M=%s\n' "$music" > "$home/.local/share/tolvane99/drives.ini"

log="$PWD/build/stage/TL99.log"
shot="$work/tolvane99-clicked.png"
HOME="$home" TOLVANE99_MPV="ao=null" xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -euo pipefail
  player="$1"; log="$2"; shot="$3"; layout="$4"
  logtext() { iconv -f CP950 -t UTF-8 "$log" 2>/dev/null || cat "$log"; }
  wait_for() { # a text in the log, up to 20 seconds
    for _ in $(seq 1 80); do logtext | grep -qiF "$1" && return 0; sleep 0.25; done
    echo "not in the log: $1" >&2; logtext >&2; return 1
  }
  "$player" & pid=$!
  wait_for "播放-M:\\song01.mp3"
  # The main window is the visible one as wide as a skin.
  main=""
  for _ in $(seq 1 40); do
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
      eval "$(xdotool getwindowgeometry --shell "$w")"
      if [ "$WIDTH" -ge 400 ]; then main=$w; wx=$X; wy=$Y; break 2; fi
    done
    sleep 0.25
  done
  [ -n "$main" ] || { echo "main window not found" >&2; exit 1; }
  click() { # control-panel button i, at its centre from the layout file
    local i=$1 section
    section=$(iconv -f CP950 -t UTF-8 "$layout" | tr -d "\r" | sed -n "/^\[控制台\]/,/^\[/p")
    local x y w h
    x=$(echo "$section" | sed -n "s/^X$i=//p"); y=$(echo "$section" | sed -n "s/^Y$i=//p")
    w=$(echo "$section" | sed -n "s/^W$i=//p"); h=$(echo "$section" | sed -n "s/^H$i=//p")
    xdotool mousemove $((wx + x + w / 2)) $((wy + y + h / 2)) click 1
    sleep 1.5
  }
  sleep 2
  click 11                       # next song
  wait_for "播放-M:\\song02.mp3"
  click 4; click 4               # louder, twice
  click 1                        # stop
  import -window root "$shot"
  click 8                        # exit
  for _ in $(seq 1 40); do kill -0 "$pid" 2>/dev/null || break; sleep 0.25; done
  if kill -0 "$pid" 2>/dev/null; then echo "still running after exit" >&2; kill "$pid"; exit 1; fi
  wait_for "退出Tolvane99"
' _ "$player" "$log" "$shot" "$PWD/build/stage/Skin/Button.ini"

grep -q '"Volume"="700"' "$home/.local/share/tolvane99/registry.reg" ||
  { echo "the volume was not raised to 70%" >&2; exit 1; }
echo "Played, stepped to the next song, raised the volume to 70% and stopped by clicks."
echo "Picture of the window after the clicks: $shot"
echo "Log of the run: $log"
