#!/bin/sh
# Regenerates resources/ (skins, button masks, capture placeholder, read-me)
# from the sources in scripts/resources/.  Deterministic: running it twice gives the
# same files.
#   scripts/make-resources.sh                  regenerate resources/
#   scripts/make-resources.sh --preview DIR    also write PNG previews to DIR
#   scripts/make-resources.sh --layout         print the built-in layout the skins are drawn for
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
out="$root/resources"
work=$(mktemp -d "${TMPDIR:-/tmp}/make-resources.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The layout comes from the program's own table in src/forms.
g++ -std=c++20 -O2 -fPIC -Wall -Wextra -I "$root/src" -o "$work/make_resources" "$here"/resources/*.cpp \
    $(pkg-config --cflags --libs Qt6Gui Qt6Core)

if [ "${1-}" = --layout ]; then
    QT_QPA_PLATFORM=offscreen "$work/make_resources" --layout
    exit
fi

# Only what this script makes is replaced; the folders may hold other files.
rm -f "$out/Desk/Tolvan.JPG" "$out/Skin/Ocean.jpg" "$out/Skin/Jade.gif" "$out/Skin/Amber.bmp" \
      "$out/Cut/cut-000.bmp" "$out/ReadMe.rtf" "$out/readme.htm"
for m in Round RoundRect Pill Diamond Hexagon; do rm -f "$out/Button Mask/$m.bmp"; done

QT_QPA_PLATFORM=offscreen "$work/make_resources" "$out" "$@"
