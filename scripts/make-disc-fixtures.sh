#!/bin/sh
# Generates the disc images of the discovery tests into a folder. libcdio reads a
# BIN/CUE pair only when both share a name, and data tracks only as raw 2352-byte
# sectors, so every disc here is a .cue with its own .bin:
#   vcd.cue/vcd.bin          Video CD, MPEGAV/AVSEQ01..03.DAT of one second each:
#                            red at 440 Hz, green at 660 Hz, blue at 880 Hz
#   audio12.cue/audio12.bin  audio CD of twelve two-second tones, track n at 330 + 55 n Hz
#   mixed.cue/mixed.bin      track 1 data (README.TXT, SETUP.EXE, MUSIC/Song.mp3),
#                            tracks 2 and 3 audio (two seconds at 523 Hz and 784 Hz)
#   music.cue/music.bin      music in the root, in Pop/Album 1, Pop/Vol.2 and
#                            Jazz/Live/Set 1, with ReadMe.txt and a cover picture
#   songbook.cue/.bin        a data disc labelled SONGS_2004 of three album folders,
#                            情歌, Pop-Rock and Jazz(Live_1999)
#   empty.cue/empty.bin      a data disc holding ReadMe.txt only
#   music.iso                the music disc as a plain ISO image (2048-byte sectors)
#   extra.cue/extra.bin      CD-Extra: two audio tracks, then a data session holding
#                            MUSIC/Song.mp3
#   extra-plain.cue/.bin     CD-Extra whose data session holds ReadMe.txt only
#   clock.cue/clock.bin      Video CD, MPEGAV/AVSEQ01.DAT of nine seconds: a test
#                            pattern that counts the seconds and turns its colours
#                            each second
# Needs ffmpeg, vcdimager, genisoimage and perl.
set -eu
out=${1:?usage: make-disc-fixtures.sh OUTDIR}
mkdir -p "$out"
cd "$out"
work=$(mktemp -d "$PWD/.work.XXXXXX")
trap 'rm -rf "$work"' EXIT
ff() { ffmpeg -hide_banner -loglevel error -y "$@"; }

# Sectors as a cue sheet's mm:ss:ff.
msf() { printf '%02d:%02d:%02d' $(($1 / 4500)) $(($1 / 75 % 60)) $(($1 % 75)); }

# CD audio of two seconds (libcdio warns of tracks shorter than a pregap): 16-bit
# little-endian stereo, exactly 150 sectors.
tone() { ff -f lavfi -i "sine=frequency=$1:duration=2:sample_rate=44100" -ac 2 -f s16le "$2"; }

# An ISO 9660 image of a folder (Rock Ridge keeps names as given) as raw Mode 1 sectors:
# sync, BCD address, mode, 2048 data bytes, zeroed error codes. A third argument is the
# sector the image starts at, as the data session of a CD-Extra does.
raw_iso() {
    first=${3:-0}
    if [ "$first" -eq 0 ]; then
        genisoimage -quiet -R -V "$2" -o "$work/image.iso" "$1"
    else
        genisoimage -quiet -R -C "0,$first" -V "$2" -o "$work/image.iso" "$1" 2>/dev/null
    fi
    FIRST=$first perl -e '
        binmode STDIN; binmode STDOUT;
        sub bcd { my $v = shift; chr(int($v / 10) * 16 + $v % 10) }
        for (my $lba = $ENV{FIRST}; read(STDIN, my $data, 2048) == 2048; ++$lba) {
            my $f = $lba + 150;
            print "\0", "\xFF" x 10, "\0", bcd(int($f / 4500)), bcd(int($f / 75) % 60),
                bcd($f % 75), "\x01", $data, "\0" x 288;
        }' < "$work/image.iso"
}

data_cue() {
    printf 'FILE "%s.bin" BINARY\r\n  TRACK 01 MODE1/2352\r\n    INDEX 01 00:00:00\r\n' "$1" > "$1.cue"
}

# Video CD: three compliant MPEG-1 sequences authored by vcdimager.
set --
for item in red:440 green:660 blue:880; do
    ff -f lavfi -i "color=c=${item%%:*}:size=352x240:rate=30000/1001:duration=1" \
        -f lavfi -i "sine=frequency=${item##*:}:duration=1" -target ntsc-vcd -shortest \
        "$work/${item%%:*}.mpg"
    set -- "$@" "$work/${item%%:*}.mpg"
done
vcdimager -q -t vcd2 -c vcd.cue -b vcd.bin "$@" >/dev/null
ff -f lavfi -i "testsrc=size=352x240:rate=30000/1001:duration=9,hue=h=floor(t)*40" \
    -f lavfi -i "sine=frequency=440:duration=9" -target ntsc-vcd -shortest "$work/clock.mpg"
vcdimager -q -t vcd2 -c clock.cue -b clock.bin "$work/clock.mpg" >/dev/null

# Audio CD of twelve tracks.
: > audio12.bin
printf 'FILE "audio12.bin" BINARY\r\n' > audio12.cue
n=1
while [ $n -le 12 ]; do
    tone $((330 + 55 * n)) "$work/track.raw"
    cat "$work/track.raw" >> audio12.bin
    printf '  TRACK %02d AUDIO\r\n    INDEX 01 %s\r\n' $n "$(msf $((150 * (n - 1))))" >> audio12.cue
    n=$((n + 1))
done

# A small song for the data discs.
ff -f lavfi -i "sine=frequency=440:duration=0.5" -ac 1 -c:a libmp3lame -b:a 32k "$work/song.mp3"

# Mixed disc: the data track, then two audio tracks in the same BIN.
mkdir -p "$work/mixed/MUSIC"
printf 'Mixed disc\r\n' > "$work/mixed/README.TXT"
printf 'MZ' > "$work/mixed/SETUP.EXE"
cp "$work/song.mp3" "$work/mixed/MUSIC/Song.mp3"
raw_iso "$work/mixed" MIXED_DISC > mixed.bin
sectors=$(($(wc -c < mixed.bin) / 2352))
tone 523 "$work/a.raw"
tone 784 "$work/b.raw"
cat "$work/a.raw" "$work/b.raw" >> mixed.bin
data_cue mixed
printf '  TRACK 02 AUDIO\r\n    INDEX 01 %s\r\n  TRACK 03 AUDIO\r\n    INDEX 01 %s\r\n' \
    "$(msf $sectors)" "$(msf $((sectors + 150)))" >> mixed.cue

# Music disc: songs two levels down, a dotted album folder, a folder of folders only.
m="$work/music"
mkdir -p "$m/Pop/Album 1" "$m/Pop/Vol.2" "$m/Jazz/Live/Set 1"
cp "$work/song.mp3" "$m/Intro.mp3"
printf 'Songs\r\n' > "$m/ReadMe.txt"
for song in "Pop/Album 1/Song 1.mp3" "Pop/Album 1/Song 2.mp3" "Pop/Vol.2/Song 3.mp3" \
    "Jazz/Live/Set 1/Song 4.mp3"; do
    cp "$work/song.mp3" "$m/$song"
done
ff -f lavfi -i "color=c=gray:size=32x32" -frames:v 1 "$m/Pop/Album 1/cover.jpg"
raw_iso "$m" MUSIC_DISC > music.bin
data_cue music

# Song book disc: three album folders, one named in Chinese, under a volume label.
b="$work/songbook"
mkdir -p "$b/情歌" "$b/Pop-Rock" "$b/Jazz(Live_1999)"
for song in "情歌/月亮代表我的心.mp3" "情歌/甜蜜蜜.mp3" "Pop-Rock/Song 1.mp3" \
    "Jazz(Live_1999)/Moon.mp3"; do
    cp "$work/song.mp3" "$b/$song"
done
raw_iso "$b" SONGS_2004 > songbook.bin
data_cue songbook

# Data disc with nothing to play.
mkdir -p "$work/empty"
printf 'Nothing to play here.\r\n' > "$work/empty/ReadMe.txt"
raw_iso "$work/empty" EMPTY_DISC > empty.bin
data_cue empty

# The music disc as a plain ISO image, with Joliet names.
genisoimage -quiet -J -V MUSIC_ISO -o music.iso "$m"

# CD-Extra: two audio tracks of 150 sectors, then the data session from sector 300.
extra() {
    tone 523 "$work/a.raw"
    tone 784 "$work/b.raw"
    cat "$work/a.raw" "$work/b.raw" > "$1.bin"
    raw_iso "$2" "$3" 300 >> "$1.bin"
    printf 'FILE "%s.bin" BINARY\r\n' "$1" > "$1.cue"
    printf '  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n  TRACK 02 AUDIO\r\n    INDEX 01 %s\r\n' \
        "$(msf 150)" >> "$1.cue"
    printf '  TRACK 03 MODE1/2352\r\n    INDEX 01 %s\r\n' "$(msf 300)" >> "$1.cue"
}
mkdir -p "$work/extra/MUSIC"
cp "$work/song.mp3" "$work/extra/MUSIC/Song.mp3"
extra extra "$work/extra" CD_EXTRA
extra extra-plain "$work/empty" CD_EXTRA_PLAIN
