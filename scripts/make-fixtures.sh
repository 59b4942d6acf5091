#!/bin/sh
# Generates the media fixtures of the playback tests into a folder:
#   tones.cue/tones.bin  audio CD image of three tone tracks (2 s, 3 s, 4 s)
#   clip.mpg clip.avi clip.mov  two-second videos; tone.mp3 tone.wav  two-second tones
#   three.wav  a three-second tone
#   tone.mid tone.rmi  one two-second note, as a MIDI file and inside a RIFF RMID file
#   notvideo.mpg  a text file with a video file's name
#   vcd.cue/vcd.bin  a Video CD image (MPEGAV/AVSEQ01.DAT, 2 s), when vcdimager is installed
set -eu
out=${1:?usage: make-fixtures.sh OUTDIR}
mkdir -p "$out"
cd "$out"
ff() { ffmpeg -hide_banner -loglevel error -y "$@"; }

# Audio CD: 16-bit little-endian stereo at 44100 Hz; whole seconds are whole sectors.
: > tones.bin
n=1
for tone in 440:2 660:3 880:4; do
    ff -f lavfi -i "sine=frequency=${tone%%:*}:duration=${tone##*:}:sample_rate=44100" \
        -ac 2 -f s16le -acodec pcm_s16le "track$n.raw"
    cat "track$n.raw" >> tones.bin
    rm "track$n.raw"
    n=$((n + 1))
done
cat > tones.cue <<'CUE'
FILE "tones.bin" BINARY
  TRACK 01 AUDIO
    INDEX 01 00:00:00
  TRACK 02 AUDIO
    INDEX 01 00:02:00
  TRACK 03 AUDIO
    INDEX 01 00:05:00
CUE

video="testsrc=size=160x120:rate=25:duration=2"
tone="sine=frequency=440:duration=2"
ff -f lavfi -i "$video" -f lavfi -i "$tone" -c:v mpeg1video -c:a mp2 -shortest clip.mpg
ff -f lavfi -i "$video" -f lavfi -i "$tone" -c:v mjpeg -c:a pcm_s16le -shortest clip.avi
ff -f lavfi -i "$video" -f lavfi -i "$tone" -c:v mjpeg -c:a pcm_s16le -shortest clip.mov
ff -f lavfi -i "$tone" -c:a libmp3lame -b:a 64k tone.mp3
ff -f lavfi -i "$tone" -c:a pcm_s16le tone.wav
ff -f lavfi -i "sine=frequency=660:duration=3" -c:a pcm_s16le three.wav
# Middle C held for 1920 ticks: two seconds at 480 ticks a quarter and 120 a minute.
midi='MThd\0\0\0\6\0\0\0\1\1\340MTrk\0\0\0\027\0\377\121\3\7\241\040\0\300\0\0\220\74\144\217\0\200\74\100\0\377\57\0'
printf "$midi" > tone.mid
{ printf 'RIFF\072\0\0\0RMIDdata\055\0\0\0'; printf "$midi"; printf '\0'; } > tone.rmi
printf 'This is not a video.\r\n' > notvideo.mpg

# Video CD: a compliant MPEG-1 stream authored onto a Mode 2 disc image.
if command -v vcdimager >/dev/null 2>&1; then
    ff -f lavfi -i "testsrc=size=352x240:rate=30000/1001:duration=2" -f lavfi -i "$tone" \
        -target ntsc-vcd -shortest vcd.mpg
    vcdimager -q -t vcd2 -c vcd.cue -b vcd.bin vcd.mpg >/dev/null
    rm vcd.mpg
fi
