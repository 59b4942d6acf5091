#!/bin/sh
# Makes the disc images of the fuzz targets "cue" and "bin" and the image the cue sheets
# stand beside (data/disc.bin), in the way scripts/make-disc-fixtures.sh makes the
# test discs, but small: a few files on a disc without padding, a few audio sectors.
#   corpus/bin/mode1.bin   ISO 9660 (Rock Ridge) as raw Mode 1 sectors
#   corpus/bin/mode2.bin   ISO 9660 as raw Mode 2 Form 1 sectors, as a Video CD holds it
#   corpus/bin/joliet.iso  ISO 9660 with Joliet names, 2048-byte sectors
#   data/disc.bin          the Mode 1 image, then 40 sectors of audio
#   corpus/cue/*.cue       cue sheets of data/disc.bin: data, mixed, audio, CD-Extra and
#                          one with a track past the end of the image
# Needs genisoimage and perl.
set -eu
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p corpus/bin corpus/cue data

mkdir -p "$work/d/MPEGAV" "$work/d/MUSIC/Album 1" "$work/d/Pop/Vol.2"
printf 'Read me\r\n' > "$work/d/ReadMe.txt"
printf 'x' > "$work/d/MUSIC/Album 1/Song.mp3"
printf 'y' > "$work/d/MPEGAV/AVSEQ01.DAT"
printf 'z' > "$work/d/Pop/Vol.2/Song 3.mp3"
genisoimage -quiet -no-pad -R -V FUZZ_DISC -o "$work/rock.iso" "$work/d"
genisoimage -quiet -no-pad -J -V FUZZ_JOLIET -o corpus/bin/joliet.iso "$work/d"

# Raw sectors: sync, BCD address, mode; Mode 2 Form 1 adds its subheader (submode: data).
raw() {
    MODE=$1 perl -e '
        binmode STDIN; binmode STDOUT;
        sub bcd { my $v = shift; chr(int($v / 10) * 16 + $v % 10) }
        for (my $lba = 0; read(STDIN, my $data, 2048) == 2048; ++$lba) {
            my $f = $lba + 150;
            my $head = "\0" . "\xFF" x 10 . "\0" . bcd(int($f / 4500)) . bcd(int($f / 75) % 60)
                . bcd($f % 75);
            if ($ENV{MODE} == 1) {
                print $head, "\x01", $data, "\0" x 288;
            } else {
                print $head, "\x02", "\0\0\x08\0" x 2, $data, "\0" x 280;
            }
        }' < "$2"
}
raw 1 "$work/rock.iso" > corpus/bin/mode1.bin
raw 2 "$work/rock.iso" > corpus/bin/mode2.bin

# The image beside the cue sheets: the data track, then 40 sectors of a quiet square wave.
sectors=$(($(wc -c < corpus/bin/mode1.bin) / 2352))
cp corpus/bin/mode1.bin data/disc.bin
perl -e 'binmode STDOUT; print pack("s<*", map { ($_ / 50) % 2 ? 800 : -800 } 0 .. 588 * 2 * 40 - 1)' \
    >> data/disc.bin

msf() { printf '%02d:%02d:%02d' $(($1 / 4500)) $(($1 / 75 % 60)) $(($1 % 75)); }
cue() { printf 'FILE "disc.bin" BINARY\r\n'; }
track() { printf '  TRACK %02d %s\r\n    INDEX 01 %s\r\n' "$1" "$2" "$(msf "$3")"; }
{ cue; track 1 MODE1/2352 0; } > corpus/cue/data.cue
{ cue; track 1 MODE1/2352 0; track 2 AUDIO "$sectors"; track 3 AUDIO $((sectors + 20)); } \
    > corpus/cue/mixed.cue
{
    printf 'CATALOG 0000000000000\r\nPERFORMER "Fuzz"\r\nTITLE "Audio"\r\n'
    cue
    printf '  TRACK 01 AUDIO\r\n    FLAGS DCP\r\n    ISRC ABCDE1234567\r\n    INDEX 00 00:00:00\r\n'
    printf '    INDEX 01 %s\r\n' "$(msf 2)"
    printf '  TRACK 02 AUDIO\r\n    PREGAP 00:00:02\r\n    INDEX 01 %s\r\n' "$(msf 20)"
    track 3 AUDIO 40
} > corpus/cue/audio.cue
{ cue; track 1 AUDIO 0; track 2 AUDIO 10; track 3 MODE1/2352 20; } > corpus/cue/extra.cue
{ cue; track 1 MODE2/2352 0; } > corpus/cue/mode2.cue
{ cue; track 1 MODE1/2352 0; track 2 AUDIO 4500; } > corpus/cue/cut-short.cue
