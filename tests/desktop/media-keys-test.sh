#!/usr/bin/env bash
# The desktop's media keys and "now playing" on the real player, over a private session
# bus (run under dbus-run-session): a folder given on the command line plays as a play
# list; PlayPause, Next, Stop and the volume sent over the bus act as the buttons do;
# the song's title, album and length are read back and every change is signalled; an
# audio CD image given to a second copy is played by the first; Quit ends it in order.
#   dbus-run-session -- bash tests/desktop/media-keys-test.sh STAGED_PLAYER
set -euo pipefail
stage=$(dirname "$(realpath "$1")")
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || { echo "no session bus: run under dbus-run-session" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/tolvane-keys.XXXXXX")
pid=""
monitor=""
cleanup() {
    [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
    [ -n "$monitor" ] && kill "$monitor" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
prog=$work/program
home=$work/home
music=$home/music
mkdir -p "$prog" "$home/.local/share/tolvane99" "$music" "$work/tmp" "$work/discs"
cp -a "$stage/." "$prog/"
rm -f "$prog/TL99.log"
# No read-me, no search at start, play what is found.
printf '%s\n' '[HKEY_CURRENT_USER\Software\Ostrana\Tolvane99 V1.1]' '"ReadMe"="1"' '"AutoPlay"="1"' \
    '"ScanType1"="False"' '"ScanType2"="False"' '"ScanType3"="True"' \
    > "$home/.local/share/tolvane99/registry.reg"

ff() { ffmpeg -hide_banner -loglevel error -y "$@"; }
for n in 1 2 3; do
    ff -f lavfi -i "sine=frequency=$((300 + 110 * n)):duration=30" -ac 2 -q:a 7 "$music/song0$n.mp3"
done
# An audio CD of two eight-second tracks: 16-bit stereo at 44100 Hz, whole sectors.
for n in 1 2; do
    ff -f lavfi -i "sine=frequency=$((400 + 200 * n)):duration=8:sample_rate=44100" -ac 2 \
        -f s16le -acodec pcm_s16le - >> "$work/discs/tones.bin"
done
printf 'FILE "tones.bin" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n    INDEX 01 00:08:00\n' \
    > "$work/discs/tones.cue"

run() {
    env -u TOLVANE99_DRIVES -u TOLVANE99_CDROM_IMAGE HOME="$home" TMPDIR="$work/tmp" \
        QT_QPA_PLATFORM=offscreen TOLVANE99_MPV="ao=null;vo=null" "$prog/Tolvane99" "$@"
}
fail() {
    echo "FAIL: $*" >&2
    logtext | tail -n 20 | sed 's/^/  log: /' >&2
    exit 1
}
logtext() { iconv -f CP950 -t UTF-8 "$prog/TL99.log" 2>/dev/null || cat "$prog/TL99.log" 2>/dev/null || true; }
wait_log() { # text [seconds]
    for _ in $(seq 1 $((${2:-60} * 4))); do
        logtext | grep -qF -- "$1" && return 0
        sleep 0.25
    done
    fail "not in the log: $1"
}

dest=org.mpris.MediaPlayer2.tolvane99
send() { dbus-send --session --print-reply --reply-timeout=20000 --dest=$dest /org/mpris/MediaPlayer2 "$@"; }
call() { send "org.mpris.MediaPlayer2.Player.$1" "${@:2}" >/dev/null; }
# A property's value as dbus-send prints it: 'string "Playing"', 'double 0.5', 'int64 3'.
prop() {
    send org.freedesktop.DBus.Properties.Get string:"${2:-org.mpris.MediaPlayer2.Player}" string:"$1" |
        sed -n '2{s/^ *variant *//;p}'
}
# An entry of the metadata, in the same form.
meta() {
    send org.freedesktop.DBus.Properties.Get string:org.mpris.MediaPlayer2.Player string:Metadata |
        awk -v key="string \"$1\"" 'index($0, key) { getline; sub(/^ *variant */, ""); print; exit }'
}
wait_prop() { # name value
    local got=""
    for _ in $(seq 1 120); do
        got=$(prop "$1" 2>/dev/null || true)
        [ "$got" = "$2" ] && return 0
        sleep 0.25
    done
    fail "$1 is $got, not $2"
}
position() { prop Position | awk '{print $2}'; }

dbus-monitor --session \
    "type='signal',interface='org.freedesktop.DBus.Properties',member='PropertiesChanged',path='/org/mpris/MediaPlayer2'" \
    > "$work/signals" 2>/dev/null &
monitor=$!

# A folder on the command line plays as a play list; the service comes up with the player.
run "$music" &
pid=$!
wait_log "播放-C:\\music\\song01.mp3"
for _ in $(seq 1 120); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:$dest | grep -q 'boolean true' && break
    sleep 0.25
done
[ "$(prop Identity org.mpris.MediaPlayer2)" = 'string "Tolvane99"' ] || fail "no player on the bus"
wait_prop PlaybackStatus 'string "Playing"'
[ "$(meta xesam:title)" = 'string "song01"' ] || fail "title $(meta xesam:title)"
[ "$(meta xesam:album)" = 'string "music"' ] || fail "album $(meta xesam:album)"
length=$(meta mpris:length)
[[ "$length" =~ ^int64\ (2[89]|3[01])[0-9]{6}$ ]] || fail "length $length"

# PlayPause on a song presses stop, which keeps the place; again, play goes on from there.
call PlayPause
wait_prop PlaybackStatus 'string "Stopped"'
held=$(position)
sleep 1
[ "$(position)" = "$held" ] || fail "the position moved while stopped"
[ "$held" -gt 0 ] || fail "the place was not kept"
call PlayPause
wait_prop PlaybackStatus 'string "Playing"'
[ "$(position)" -ge "$held" ] || fail "play started over"

call Next
wait_log "播放-C:\\music\\song02.mp3"
wait_prop PlaybackStatus 'string "Playing"'
[ "$(meta xesam:title)" = 'string "song02"' ] || fail "title after next $(meta xesam:title)"

send org.freedesktop.DBus.Properties.Set string:org.mpris.MediaPlayer2.Player string:Volume \
    variant:double:0.5 >/dev/null
wait_prop Volume 'double 0.5'

call Stop
wait_prop PlaybackStatus 'string "Stopped"'

# A second copy given an audio CD image hands it over and leaves; the first plays it.
run "$work/discs/tones.cue"
wait_log "開啟光碟-$work/discs/tones.cue"
wait_log "找到音樂光碟"
wait_prop PlaybackStatus 'string "Playing"'
title=$(meta xesam:title)
[[ "$title" =~ ^string\ \"Track[12]\"$ ]] || fail "disc title $title"
[[ "$(meta xesam:album)" == 'string "音樂光碟 '* ]] || fail "disc album $(meta xesam:album)"

send org.mpris.MediaPlayer2.Quit >/dev/null
for _ in $(seq 1 120); do kill -0 "$pid" 2>/dev/null || break; sleep 0.25; done
if kill -0 "$pid" 2>/dev/null; then fail "still running after Quit"; fi
wait "$pid" || fail "exit status $?"
pid=""
wait_log "退出Tolvane99 V1.1.400" 5
grep -q '"Volume"="500"' "$home/.local/share/tolvane99/registry.reg" || fail "the volume was not kept"
# The desktop was told of each change as it came.
sleep 0.5
for seen in '"PlaybackStatus"' 'string "Stopped"' 'string "song02"' 'double 0.5'; do
    grep -qF "$seen" "$work/signals" || fail "no signal with $seen"
done
echo "media keys: ok"
