#!/usr/bin/env bash
# The real player under hostile input, as a user meets it: each case starts the program
# under Xvfb with a home, a program folder and a temporary folder of its own, does what
# the case says and checks how the program takes it (still up, ended in order, the
# message or log line expected, the settings file intact).
#   bash scripts/bad-input.sh [--player PATH] [--quick] [CASE ...]
# --player runs another build's program (build-asan/stage/Tolvane99 checks the cases
# under the sanitizers); --quick leaves out the slow cases. A sanitizer report fails
# its case.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
player=$root/build/stage/Tolvane99
quick=0
cases=()
while [ $# -gt 0 ]; do
    case "$1" in
    --player) player=$(realpath "$2"); shift 2 ;;
    --quick) quick=1; shift ;;
    *) cases+=("$1"); shift ;;
    esac
done
if [ -z "${TOLVANE_BAD_INPUT_X:-}" ]; then
    bash scripts/deps.sh xvfb xauth xdotool ffmpeg imagemagick
    [ -x "$player" ] || bash scripts/build.sh build
    args=(--player "$player")
    [ $quick -eq 1 ] && args+=(--quick)
    exec env TOLVANE_BAD_INPUT_X=1 xvfb-run -a -s "-screen 0 1024x768x24" \
        bash "$0" "${args[@]}" "${cases[@]}"
fi

work=$root/build/bad-input
rm -rf "$work"
mkdir -p "$work"
song=$work/song.mp3
ffmpeg -loglevel error -f lavfi -i "sine=frequency=440:duration=20" -q:a 9 "$song"
key='[HKEY_CURRENT_USER\Software\Ostrana\Tolvane99 V1.1]'

# ---- one case's world

setup() {
    dir=$work/$1
    prog=$dir/program
    home=$dir/home
    data=$home/.local/share/tolvane99
    reg=$data/registry.reg
    mkdir -p "$dir/tmp" "$data" "$prog"
    cp -a "$(dirname "$player")/." "$prog/"
    rm -f "$prog/TL99.log"
    printf '%s\n"ReadMe"="1"\n' "$key" > "$reg"
}
# Settings lines after the user's key, as "name"="value".
settings() { printf '"%s"="%s"\n' "$@" >> "$reg"; }
# A folder as drive M:, searched at start and played.
music_drive() {
    printf 'M=%s\n' "$1" > "$data/drives.ini"
    settings ScanType1 False ScanType2 True ScanType3 False DiskName M: AutoPlay 1
}
dos() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }
run() { # starts the program, as $pid; words given go before it (bash -c '...')
    (cd "$dir" && exec env HOME="$home" TMPDIR="$dir/tmp" TOLVANE99_MPV="ao=null;vo=null" \
        ASAN_OPTIONS=detect_leaks=0 "$@" "$prog/Tolvane99" 2>>"$dir/stderr") &
    pid=$!
}
logtext() { iconv -f CP950 -t UTF-8 "$prog/TL99.log" 2>/dev/null || cat "$prog/TL99.log" 2>/dev/null || true; }
in_log() { logtext | grep -qiF -- "$1"; }
wait_log() { # text [seconds]
    local tries=$((${2:-30} * 4))
    for _ in $(seq 1 $tries); do in_log "$1" && return 0; sleep 0.25; done
    fail "not in the log: $1"
}
alive() { kill -0 "$pid" 2>/dev/null; }
# The process ends by itself within the seconds given; its exit status in $rc.
ends() {
    for _ in $(seq 1 $((${1:-20} * 4))); do alive || break; sleep 0.25; done
    if alive; then kill -9 "$pid"; fail "still running"; fi
    set +e; wait "$pid"; rc=$?; set -e
}
# The orderly exit on SIGTERM, settings saved and the log closed.
end_in_order() {
    alive || fail "the program is gone"
    kill -TERM "$pid"
    ends 30
    [ "$rc" -eq 0 ] || fail "exit status $rc"
    in_log "退出Tolvane99" || fail "no orderly exit in the log"
}
# Presses a key in the program's message box of that caption, once it shows.
press() { # caption key
    local w=""
    for _ in $(seq 1 60); do
        w=$(xdotool search --all --onlyvisible --pid "$pid" --name "^$1\$" 2>/dev/null | head -n 1 || true)
        [ -n "$w" ] && break
        sleep 0.25
    done
    [ -n "$w" ] || fail "no box \"$1\" to press $2 in"
    # No window manager gives the box the focus: it is given here, then the key is
    # typed as the keyboard would.
    sleep 0.5
    xdotool windowfocus --sync "$w"
    sleep 0.3
    xdotool key "$2"
    for _ in $(seq 1 20); do shown "$1" || return 0; sleep 0.25; done
}
shown() { [ -n "$(xdotool search --all --onlyvisible --pid "$pid" --name "^$1\$" 2>/dev/null)" ]; }
fail() {
    echo "  FAIL: $*" >&2
    import -window root "$dir/screen.png" 2>/dev/null && echo "  screen: $dir/screen.png" >&2
    logtext | tail -n 15 | sed 's/^/    log: /' >&2
    exit 1
}

# ---- the cases: each runs in a subshell, so a failure ends only its own

case_full_disk() { # every write beyond 1 KiB fails, as on a full disk
    settings Volume 640 SongTempDir 'C:\\Temp'
    local i
    for i in $(seq 1 40); do settings "Filler$i" "a value that makes the file longer than 1 KiB"; done
    local before
    before=$(sha1sum < "$reg")
    run bash -c 'trap "" XFSZ; ulimit -f 1; exec "$0"'
    sleep 8
    alive || fail "the program ended on a full disk"
    kill -TERM "$pid"
    ends 30
    [ "$(sha1sum < "$reg")" = "$before" ] || fail "the settings file changed"
}

case_utf16_registry() { # what the Windows registry editor exports
    printf 'Windows Registry Editor Version 5.00\r\n\r\n%s\r\n"ReadMe"="1"\r\n"Volume"="640"\r\n' \
        "$key" | iconv -f UTF-8 -t UTF-16 > "$reg"
    run
    wait_log "進入主程式"
    end_in_order
    grep -q '"Volume"="640"' "$reg" || fail "the volume was not read"
}

case_big5_and_open_quote() { # a Big5 value and a hand-typed path ending in a backslash
    printf '"SongTempDir"="C:\\%s"\n"CutDir"="C:\\Temp\\"\n' "$(printf '歌' | iconv -t CP950)" >> "$reg"
    run
    wait_log "進入主程式"
    end_in_order
    grep -qF '"SongTempDir"="C:\\歌"' "$reg" || fail "the Big5 value was lost"
    grep -qF '"CutDir"="C:\\Temp\\' "$reg" || fail "the open quote lost its value"
}

case_signals() { # a logout, a Ctrl+C, a hang-up
    local sig
    for sig in TERM INT HUP; do
        rm -f "$prog/TL99.log"
        run
        wait_log "進入主程式"
        kill -"$sig" "$pid"
        ends 30
        [ "$rc" -eq 0 ] || fail "SIG$sig: exit status $rc"
        in_log "系統要求結束(SIG$sig)" || fail "SIG$sig not logged"
        in_log "退出Tolvane99" || fail "SIG$sig: no orderly exit"
    done
    grep -q '"Width"=' "$reg" || fail "no settings saved"
}

case_layout_overflow() { # places and sizes no window can hold
    printf '[控制台]\r\nX0=2147483647\r\nY0=-2147483648\r\nW0=30000\r\nH0=30000\r\nFile0=Round.bmp\r\nVisible0=True\r\n[時間]\r\nSize0=1e300\r\n' |
        iconv -t CP950 > "$prog/Skin/Tolvan.INI"
    run
    wait_log "進入主程式"
    local rss
    rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
    [ "$rss" -lt 600000 ] || fail "resident memory $rss kB"
    end_in_order
}

case_huge_skin() { # a picture far larger than the screen
    convert -size 5000x5000 xc:steelblue "$prog/Skin/Huge.jpg"
    settings DeskPic "$(dos "$prog/Skin/Huge.jpg" | sed 's/\\/\\\\/g')"
    run
    wait_log "比螢幕" 30
    press "Error Message" Return
    wait_log "進入主程式"
    in_log "開始載入面板-$(dos "$prog")\\Desk\\Tolvan.JPG" || fail "the default skin was not used"
    end_in_order
}

case_damaged_skin() { # not a picture at all
    printf 'not a picture' > "$prog/Skin/Broken.jpg"
    settings DeskPic "$(dos "$prog/Skin/Broken.jpg" | sed 's/\\/\\\\/g')"
    run
    wait_log "這個面板格式錯誤"
    sleep 1
    end_in_order
}

case_big5_folder() { # a folder named in Big5 bytes
    local music=$dir/music big5
    big5=$(printf '光碟' | iconv -t CP950)
    mkdir -p "$music/$big5"
    cp "$song" "$music/$big5/song.mp3"
    music_drive "$music"
    run
    wait_log "播放-M:\\光碟\\song.mp3"
    end_in_order
}

case_link_to_root() { # a link out of the drive
    local music=$dir/music
    mkdir -p "$music/a"
    cp "$song" "$music/a/song.mp3"
    ln -s / "$music/a/root"
    music_drive "$music"
    run
    wait_log "播放-M:\\a\\song.mp3"
    ! in_log 'M:\a\root\' || fail "the link out of the drive was followed"
    end_in_order
}

case_text_as_song() { # two presses of Enter on a text file named like a song
    local music=$dir/music
    mkdir -p "$music/a"
    printf 'just text\n' > "$music/a/.mp3"
    printf 'just text\n' > "$music/a/x.mp3"
    music_drive "$music"
    run
    wait_log "播放-M:\\a\\x.mp3"
    press "Error Message" Return
    press "Question" Return # answered with its default
    ! shown "Question" || fail "the question is still open"
    [ -f "$music/a/x.mp3" ] || fail "the file was deleted"
    end_in_order
}

case_second_copy_frozen() { # the running copy does not answer
    run
    wait_log "進入主程式"
    local first=$pid
    kill -STOP "$first"
    run
    wait_log "沒有回應" 20
    press "Exclamation" Return
    ends 20
    [ "$rc" -eq 1 ] || fail "the second copy ended with $rc"
    kill -CONT "$first"
    pid=$first
    end_in_order
}

case_close_during_scan() { # the window closes while thousands of folders are walked
    local music=$dir/music
    mkdir -p "$music"
    (cd "$music" && for a in $(seq 1 60); do for b in $(seq 1 100); do mkdir -p "A$a/B$b"; done; done)
    music_drive "$music"
    run
    wait_log "開始搜尋音樂檔" 60
    sleep 0.5
    end_in_order
    logtext | sed -n '/退出Tolvane99/,$p' | grep -q 'M:\\A' && fail "the scan went on after the exit"
    true
}

case_bad_lyrics() { # 10 MB of lyrics, a binary file and untagged lines beside the songs
    local music=$dir/music
    mkdir -p "$music/a"
    ffmpeg -loglevel error -f lavfi -i "sine=frequency=440:duration=1" -q:a 9 "$music/a/a.mp3"
    cp "$music/a/a.mp3" "$music/a/b.mp3"
    cp "$music/a/a.mp3" "$music/a/c.mp3"
    awk 'BEGIN { print "heading"; for (i = 0; i < 360000; i++)
        printf "%02d:%02d:%02d line %d\r\n", int(i / 6000) % 100, int(i / 100) % 60, i % 100, i }' \
        > "$music/a/a.txt"
    head -c 300000 /dev/urandom > "$music/a/b.txt"
    printf 'heading\r\n00:09:00 past the end\r\nno tag\r\n00:00:50 out of order\r\n' > "$music/a/c.txt"
    music_drive "$music"
    run
    wait_log "播放-M:\\a\\c.mp3" 60
    in_log "歌詞錯誤-M:\\a\\c.txt" || fail "the untagged line was not noted"
    end_in_order
}

all=(full_disk utf16_registry big5_and_open_quote signals layout_overflow huge_skin damaged_skin
    big5_folder link_to_root text_as_song second_copy_frozen close_during_scan bad_lyrics)
slow=(close_during_scan)
[ ${#cases[@]} -eq 0 ] && cases=("${all[@]}")
failed=0
for name in "${cases[@]}"; do
    if [ $quick -eq 1 ] && [[ " ${slow[*]} " == *" $name "* ]]; then
        continue
    fi
    printf '%s: ' "$name"
    if (setup "$name" && "case_$name") 2>"$work/$name.out"; then
        if grep -qE 'ERROR: AddressSanitizer|runtime error:' "$work/$name/stderr" 2>/dev/null; then
            echo "FAIL (sanitizer report in $work/$name/stderr)"
            failed=1
        else
            echo "ok"
        fi
    else
        echo "FAIL"
        cat "$work/$name.out"
        failed=1
    fi
    pkill -9 -f "$work/$name/program/Tolvane99" 2>/dev/null || true
done
exit $failed
