#!/usr/bin/env bash
# The player side by side with the Linux music players people already use, when they
# are installed (qmmp, audacious; Debian packages, for measuring only). On one private
# X display, session bus and sound server whose only output is a null sink, in
# interleaved runs:
#   start-up to the first window (the second start: faces and settings made), the CPU
#   its threads used until then, the resident memory 3 s after the start;
#   the CPU and resident memory while a 60 s MP3 plays, over 30 s;
#   and the music scan of the benches, as its ratio to find.
# Prints medians and each peer's figure against ours.
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${RUNS:-7}
play_runs=${PLAY_RUNS:-5}
bash scripts/deps.sh xvfb xauth libx11-dev ffmpeg pulseaudio pulseaudio-utils dbus libbenchmark-dev
# A desktop session has its message bus; without one every player would try to start it.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
  exec dbus-run-session -- bash "$0" "$@"
fi
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLVANE_BENCH=ON -DTOLVANE_TESTS=OFF >/dev/null
cmake --build build-bench -j "$(nproc)" --target Tolvane99 tolvane_bench
work="$PWD/build-bench/peers"
rm -rf "$work"
mkdir -p "$work/runtime"
chmod 700 "$work/runtime"
cc -O2 -o "$work/window-time" scripts/peers/window-time.c -lX11

players=(tolvane99)
command -v qmmp >/dev/null && players+=(qmmp)
command -v audacious >/dev/null && players+=(audacious)
program() {
  case "$1" in
    tolvane99) echo "$PWD/build-bench/stage/Tolvane99" ;;
    *) command -v "$1" ;;
  esac
}

song="$work/song.mp3"
ffmpeg -loglevel error -f lavfi -i "sine=frequency=440:duration=60" -f lavfi \
  -i "sine=frequency=660:duration=60" -filter_complex amerge -ac 2 -b:a 192k "$song"

# A home per player; ours has seen its read-me already.
for p in "${players[@]}"; do mkdir -p "$work/home-$p"; done
mkdir -p "$work/home-tolvane99/.local/share/tolvane99"
printf '[HKEY_CURRENT_USER\\Software\\Ostrana\\Tolvane99 V1.1]\n"ReadMe"="1"\n' \
  >"$work/home-tolvane99/.local/share/tolvane99/registry.reg"

export XDG_RUNTIME_DIR="$work/runtime"
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --log-target=stderr \
  -L "module-null-sink sink_name=bench" -L module-native-protocol-unix >"$work/pulse.log" 2>&1 &
pulse=$!
cleanup() {
  kill "$xvfb" "$pulse" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null || { echo "the sound server did not start" >&2; exit 1; }

# Runs one player: its pid, seconds to the window and CPU until then on stdout.
start() {
  local p=$1
  shift
  HOME="$work/home-$p" XDG_CONFIG_HOME="$work/home-$p/.config" \
    "$work/window-time" 30 "$(program "$p")" "$@" 2>>"$work/errors.log"
}
stop() {
  kill "$1" 2>/dev/null || true
  for _ in $(seq 100); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.05; done
  kill -9 "$1" 2>/dev/null || true
}
rss_mb() { awk '/^VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$1/status"; }
cpu_s() { cat /proc/"$1"/task/*/schedstat | awk '{s += $1} END {printf "%.4f", s / 1e9}'; }
record() { echo "$2" >>"$work/$1.values"; }

# The first start of each makes its settings and caches; it is not counted.
for p in "${players[@]}"; do
  read -r pid _ _ < <(start "$p") || true
  sleep 3
  stop "$pid"
done

echo "start-up: $runs interleaved runs of ${players[*]}"
for run in $(seq "$runs"); do
  # Each run starts with the next player, so none always goes first.
  count=${#players[@]}
  for i in $(seq 0 $((count - 1))); do
    p=${players[$(((i + run) % count))]}
    read -r pid seconds cpu < <(start "$p") || true
    sleep 3
    record "$p.start" "$seconds"
    record "$p.cpu" "$cpu"
    record "$p.rss" "$(rss_mb "$pid")"
    stop "$pid"
    sleep 0.5
  done
done

echo "playing: $play_runs interleaved runs of 30 s each"
for run in $(seq "$play_runs"); do
  count=${#players[@]}
  for i in $(seq 0 $((count - 1))); do
    p=${players[$(((i + run) % count))]}
    read -r pid _ _ < <(start "$p" "$song") || true
    sleep 3
    inputs=$(pactl list short sink-inputs | wc -l)
    [ "$inputs" -ge 1 ] || echo "warning: $p plays nothing to the sound server" >&2
    before=$(cpu_s "$pid")
    sleep 30
    after=$(cpu_s "$pid")
    record "$p.play" "$(awk -v a="$after" -v b="$before" 'BEGIN {printf "%.2f", (a - b) / 30 * 100}')"
    record "$p.playrss" "$(rss_mb "$pid")"
    stop "$pid"
    sleep 0.5
  done
done

median() { sort -g "$work/$1.values" | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
row() {
  local title=$1 key=$2 unit=$3 line ours
  ours=$(median "tolvane99.$key")
  line="| $title | $ours $unit"
  for p in "${players[@]:1}"; do line+=" | $(median "$p.$key") $unit"; done
  for p in "${players[@]:1}"; do
    line+=" | $(awk -v a="$ours" -v b="$(median "$p.$key")" 'BEGIN {printf "%.2f", a / b}')"
  done
  echo "$line |"
}
header="| measure (medians) | Tolvane99"
for p in "${players[@]:1}"; do header+=" | $p"; done
for p in "${players[@]:1}"; do header+=" | ours / $p"; done
echo
echo "$header |"
row "start-up to the window (second start)" start s
row "CPU used until the window" cpu s
row "resident memory 3 s after start" rss MB
row "CPU while an MP3 plays (30 s)" play %
row "resident memory while it plays" playrss MB

echo
echo "music scan of 100,000 files in 10,000 folders:"
QT_QPA_PLATFORM=offscreen build-bench/bench/tolvane_bench --benchmark_filter='BM_MusicScan' 2>/dev/null |
  grep BM_MusicScan
[ -s "$work/errors.log" ] && { echo "messages from the runs:"; sort "$work/errors.log" | uniq -c; }
exit 0
