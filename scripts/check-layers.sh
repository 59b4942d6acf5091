#!/usr/bin/env bash
# Checks that the code of src/ has one direction: a folder includes its own folder and
# the folders below it in this list, never one above, and two folders never include
# each other. Usage: check-layers.sh [root]   (root defaults to this repository)
set -euo pipefail

# Lowest first.
layers=(
  platform  # the operating system: files, drives, discs, devices, processes, the engine
  app       # program state, settings, the log and the messages the user sees
  forms     # the windows and their controls, laid out but without the program's logic
  skins     # skin pictures, layout files and the button faces cut from them
  pictures  # the pictures shown beside the music
  lyrics    # synchronised lyrics and their files
  playback  # playing media through the engine: position, speed, volume, the video
  discovery # discs and folders of music found, watched and identified
  capture   # video frames captured to files
  ui        # the main window's menus, control panel and number pad
  shell     # main, the start-up and the player that ties the layers together
)

root="${1:-$(dirname "$0")/..}"
root="${root%/}"
if [[ ! -d "$root/src" ]]; then
  echo "check-layers: no src folder under $root" >&2
  exit 2
fi

shopt -s globstar nullglob extglob
files=("$root"/src/**/*.@(h|cpp))
folders=()
for dir in "$root"/src/*/; do
  dir="${dir%/}"
  folders+=("${dir##*/}")
done
loose=()
for file in "$root"/src/*.@(h|cpp); do
  loose+=("${file#"$root"/}")
done
if ((${#files[@]} == 0)); then
  echo "check-layers: no .h or .cpp files under $root/src" >&2
  exit 2
fi

# Offences go to stderr, one a line; the summary alone to stdout when all is well.
awk -v layers="${layers[*]}" -v folders="${folders[*]}" -v loose="${loose[*]}" \
  -v files="${#files[@]}" -v prefix="$root/" '
BEGIN {
  nl = split(layers, order, " ")
  for (i = 1; i <= nl; i++) rank[order[i]] = i
  nf = split(folders, fs, " ")
  # Every folder in layer order, the unplaced ones after.
  n = 0
  for (i = 1; i <= nl; i++) for (j = 1; j <= nf; j++) if (fs[j] == order[i]) all[++n] = order[i]
  for (j = 1; j <= nf; j++) {
    isfolder[fs[j]] = 1
    if (!(fs[j] in rank)) {
      all[++n] = fs[j]
      offend("src/" fs[j] ": folder is not a layer (place it in the list at the top of scripts/check-layers.sh)")
    }
  }
  nloose = split(loose, ls, " ")
  for (i = 1; i <= nloose; i++) offend(ls[i] ": file lies outside any layer folder (move it into one)")
}
function offend(text) {
  print text > "/dev/stderr"
  offences++
}
FNR == 1 {
  rel = substr(FILENAME, length(prefix) + 1)
  own = (split(rel, parts, "/") > 2) ? parts[2] : ""
}
own != "" && /^[ \t]*#[ \t]*include[ \t]*"/ {
  path = $0
  sub(/^[^"]*"/, "", path)
  sub(/".*$/, "", path)
  slash = index(path, "/")
  if (slash == 0) next
  to = substr(path, 1, slash - 1)
  if (!(to in isfolder) || to == own) next
  where = rel ":" FNR ": \"" path "\""
  if (!((own, to) in edge)) edge[own, to] = where
  includes++
  if ((own in rank) && (to in rank) && rank[to] > rank[own])
    offend(where ": upward include: " own " lies below " to " in the layer order")
}
END {
  for (i = 1; i <= n; i++)
    for (j = i + 1; j <= n; j++)
      if (((all[i], all[j]) in edge) && ((all[j], all[i]) in edge))
        offend("src/" all[i] " <-> src/" all[j] ": the folders include each other: " \
               edge[all[i], all[j]] " and " edge[all[j], all[i]])
  if (offences) {
    printf("check-layers: %d offence%s in %d files\n", offences, offences == 1 ? "" : "s", files) > "/dev/stderr"
    exit 1
  }
  printf "check-layers: %d files in %d folders, %d includes between folders, all point down\n", files, nf, includes
}' "${files[@]}"
