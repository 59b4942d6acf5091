#!/usr/bin/env bash
# The Debian package of a finished build: its dependencies are Debian packages of this
# machine, its files are where the desktop looks for them, its desktop entry is valid,
# and the player installed from it into a scratch root starts under Xvfb, shows its
# skinned window from the resources beside it and ends in order. There is no session
# bus here: the player starts without its media service and says so once.
#   bash tests/desktop/package-test.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
work=$(mktemp -d "${TMPDIR:-/tmp}/tolvane-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" >"$work/cpack.out" 2>&1 ||
    { cat "$work/cpack.out" >&2; fail "cpack"; }
deb=$(ls "$work"/package/tolvane99_*.deb)

# The libraries' packages come from what the executable links (its ISO 9660 reading is
# the program's own, so libiso9660 is not among them) and from the two it opens when
# first needed.
depends=$(dpkg-deb -f "$deb" Depends)
for need in libmpv libcdio libqt6widgets6 libqt6dbus6 libfluidsynth libasound2 \
    timgm6mb-soundfont fonts-noto-cjk qt6-qpa-plugins; do
    grep -q "$need" <<<"$depends" || fail "no dependency on $need: $depends"
done
# Each dependency (or one of its alternatives) is a package this machine has.
IFS=',' read -ra groups <<<"$depends"
for group in "${groups[@]}"; do
    found=0
    IFS='|' read -ra alternatives <<<"$group"
    for alternative in "${alternatives[@]}"; do
        name=$(awk '{print $1}' <<<"$alternative")
        dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q 'install ok installed' && found=1
    done
    [ $found -eq 1 ] || fail "no package of this machine for: $group"
done

contents=$(dpkg-deb -c "$deb")
for file in ./usr/bin/Tolvane99 ./usr/share/tolvane99/Desk/Tolvan.JPG \
    "./usr/share/tolvane99/Button Mask/Round.bmp" ./usr/share/tolvane99/ReadMe.rtf \
    ./usr/share/applications/tolvane99.desktop; do
    grep -qF " $file" <<<"$contents" || fail "not packed: $file"
done

root=$work/root
dpkg -x "$deb" "$root"
entry=$root/usr/share/applications/tolvane99.desktop
desktop-file-validate "$entry" || fail "desktop entry"
for type in x-content/audio-cdda x-content/video-vcd x-content/audio-player; do
    grep -q "^MimeType=.*$type;" "$entry" || fail "the entry does not take $type"
done
grep -qx 'Exec=Tolvane99 %U' "$entry" || fail "the entry does not pass its files"
# The icons are PNG pictures of their sizes, drawn from the program's own icon.
for size in 16 32 48 128 256; do
    icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/tolvane99.png
    [ "$(head -c 4 "$icon" | tail -c 3)" = "PNG" ] || fail "no icon of $size"
    width=$(od -An -tu1 -j16 -N4 "$icon" | awk '{print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4}')
    [ "$width" -eq "$size" ] || fail "icon of $size is $width wide"
done

home=$work/home
data=$home/.local/share/tolvane99
mkdir -p "$data"
printf '%s\n' '[HKEY_CURRENT_USER\Software\Ostrana\Tolvane99 V1.1]' '"ReadMe"="1"' \
    '"ScanType1"="False"' '"ScanType2"="False"' '"ScanType3"="True"' >"$data/registry.reg"
# A temporary folder of its own: a copy of the player running elsewhere is not asked.
mkdir -p "$work/tmp"
HOME="$home" TMPDIR="$work/tmp" DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus" \
    TOLVANE99_MPV="ao=null;vo=null" \
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -euo pipefail
    player=$1; log=$2
    logtext() { iconv -f CP950 -t UTF-8 "$log" 2>/dev/null || cat "$log" 2>/dev/null || true; }
    env -u QT_QPA_PLATFORM -u TOLVANE99_DRIVES -u TOLVANE99_CDROM_IMAGE "$player" &
    pid=$!
    for _ in $(seq 1 240); do logtext | grep -qF "進入主程式" && break; sleep 0.25; done
    logtext | grep -qF "進入主程式" || { echo "FAIL: the installed player did not start" >&2; logtext >&2; exit 1; }
    # The skinned main window is up: a visible window of the program as large as a skin.
    shown=0
    for _ in $(seq 1 40); do
        for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
            eval "$(xdotool getwindowgeometry --shell "$w")"
            if [ "$WIDTH" -ge 300 ] && [ "$HEIGHT" -ge 200 ]; then shown=1; break 2; fi
        done
        sleep 0.25
    done
    [ $shown -eq 1 ] || { echo "FAIL: no skinned window shown" >&2; exit 1; }
    kill -TERM "$pid"
    wait "$pid" || { echo "FAIL: exit status $?" >&2; exit 1; }
' _ "$root/usr/bin/Tolvane99" "$data/program/TL99.log"

log=$(iconv -f CP950 -t UTF-8 "$data/program/TL99.log" 2>/dev/null || cat "$data/program/TL99.log")
grep -qF 'Desk\Tolvan.JPG' <<<"$log" || fail "the default skin was not loaded from the user's copy"
grep -qF "退出Tolvane99 V1.1.400" <<<"$log" || fail "no orderly exit"
[ "$(grep -c "D-Bus" <<<"$log")" -eq 1 ] || fail "the missing session bus was not logged once"
[ -f "$data/program/Skin/Ocean.jpg" ] || fail "the user's copy was not seeded from share/tolvane99"
echo "package: ok ($(basename "$deb"))"
