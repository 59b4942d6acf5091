#!/usr/bin/env bash
# Runs scripts/check-layers.sh on small trees made in a temporary folder.
set -uo pipefail
script="$(cd "$(dirname "$0")/../.." && pwd)/scripts/check-layers.sh"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# Each case: name | expected exit status | lines the output must hold, ";" between
# them (each matched whole, with "*" for any text) | the tree: files separated by
# spaces, each "path=include,include" where an include in <> is written as such and
# any other in quotes.
cases=(
  "a clean tree passes|0|check-layers: 4 files in 3 folders, 3 includes between folders, all point down|src/platform/Disc.h= src/platform/Disc.cpp=platform/Disc.h src/app/Log.cpp=platform/Disc.h,app/Log.h src/ui/Menu.cpp=app/Log.h,platform/Disc.h"
  "an upward include fails|1|src/platform/Disc.cpp:3: \"app/Log.h\": upward include: platform lies below app in the layer order;check-layers: 1 offence in 2 files|src/platform/Disc.cpp=platform/Disc.h,platform/Other.h,app/Log.h src/app/Log.h="
  "the order holds between neighbours: discovery may include playback|0|check-layers: 2 files in 2 folders, 1 includes between folders, all point down|src/discovery/Scan.cpp=playback/Play.h src/playback/Play.h="
  "the order holds between neighbours: playback may not include discovery|1|src/playback/Play.cpp:1: \"discovery/Scan.h\": upward include: playback lies below discovery in the layer order;check-layers: 1 offence in 2 files|src/playback/Play.cpp=discovery/Scan.h src/discovery/Scan.h="
  "a mutual include fails and names the pair|1|src/skins/Face.cpp:2: \"ui/Button.h\": upward include: skins lies below ui in the layer order;src/skins <-> src/ui: the folders include each other: src/skins/Face.cpp:2: \"ui/Button.h\" and src/ui/Button.cpp:1: \"skins/Face.h\";check-layers: 2 offences in 4 files|src/skins/Face.h= src/skins/Face.cpp=skins/Face.h,ui/Button.h src/ui/Button.h= src/ui/Button.cpp=skins/Face.h"
  "an unknown folder fails even when nothing includes it|1|src/extras: folder is not a layer (place it in the list at the top of scripts/check-layers.sh);check-layers: 1 offence in 2 files|src/app/Log.h= src/extras/Thing.cpp=app/Log.h"
  "a mutual include with an unknown folder is still named|1|src/extras: folder is not a layer*;src/app <-> src/extras: the folders include each other: src/app/Log.cpp:1: \"extras/Thing.h\" and src/extras/Thing.h:1: \"app/Log.h\";check-layers: 2 offences in 2 files|src/app/Log.cpp=extras/Thing.h src/extras/Thing.h=app/Log.h"
  "a file outside any folder fails|1|src/main.cpp: file lies outside any layer folder (move it into one);check-layers: 1 offence in 2 files|src/main.cpp=shell/Player.h src/shell/Player.h="
  "a header outside any folder fails too|1|src/Config.h: file lies outside any layer folder*;check-layers: 1 offence in 2 files|src/Config.h= src/app/Log.h=platform/Disc.h"
  "system headers, same-folder includes, bare names and comments are ignored|0|check-layers: 3 files in 2 folders, 0 includes between folders, all point down|src/platform/Disc.cpp=<QString>,<ui/Widget.h>,platform/Disc.h,Disc.h,//ui/Menu.h src/platform/Disc.h=<mpv/client.h> src/ui/Menu.h="
  "includes of folders that are not in src are ignored|0|check-layers: 1 files in 1 folders, 0 includes between folders, all point down|src/platform/Disc.cpp=mpv/client.h,tests/Fake.h"
  "files outside src are not read|0|check-layers: 1 files in 1 folders, 0 includes between folders, all point down|src/platform/Disc.h= tests/platform/DiscTest.cpp=ui/Menu.h,platform/Disc.h src/platform/Notes.txt=ui/Menu.h"
  "files in deeper folders belong to their top folder|1|src/platform/detail/Io.cpp:1: \"app/Log.h\": upward include: platform lies below app*;src/platform <-> src/app: the folders include each other: src/platform/detail/Io.cpp:1: \"app/Log.h\" and src/app/Log.h:1: \"platform/detail/Io.h\";check-layers: 2 offences in 2 files|src/platform/detail/Io.cpp=app/Log.h src/app/Log.h=platform/detail/Io.h"
)

# Writes the tree of a case under $1.
make_tree() {
  local dir="$1" entry path list include
  local -a includes
  for entry in $2; do
    path="${entry%%=*}"
    list="${entry#*=}"
    mkdir -p "$dir/$(dirname "$path")"
    : >"$dir/$path"
    IFS=, read -ra includes <<<"$list"
    for include in "${includes[@]}"; do
      case "$include" in
        "<"*) echo "#include $include" ;;
        //*) echo "// #include \"${include#//}\"" ;;
        *) echo "#include \"$include\"" ;;
      esac >>"$dir/$path"
    done
  done
}

failed=0
n=0
for row in "${cases[@]}"; do
  IFS='|' read -r name status expected tree <<<"$row"
  n=$((n + 1))
  dir="$tmp/case$n"
  make_tree "$dir" "$tree"
  output="$(bash "$script" "$dir" 2>&1)"
  got=$?
  problems=()
  ((got == status)) || problems+=("exit status $got, expected $status")
  IFS=';' read -ra lines <<<"$expected"
  for line in "${lines[@]}"; do
    found=0
    while IFS= read -r out; do
      # shellcheck disable=SC2053 # the expected line is a pattern on purpose
      [[ "$out" == $line ]] && found=1 && break
    done <<<"$output"
    ((found)) || problems+=("no line: $line")
  done
  # Nothing beyond the expected lines: one line per offence and the summary.
  outlines=$(grep -c '' <<<"$output")
  ((outlines == ${#lines[@]})) || problems+=("$outlines lines printed, expected ${#lines[@]}")
  if ((${#problems[@]})); then
    failed=$((failed + 1))
    echo "FAIL: $name"
    printf '  %s\n' "${problems[@]}"
    printf '  | %s\n' "$output"
  else
    echo "ok: $name"
  fi
done

# The script reads the repository itself when given no root.
output="$(cd "$tmp" && bash "$script" 2>&1)"
if [[ "$output" == *"check-layers: "*" files"* ]]; then
  echo "ok: without a root the repository is checked"
else
  failed=$((failed + 1))
  echo "FAIL: without a root the repository is checked"
  printf '  | %s\n' "$output"
fi

echo "$((n + 1 - failed)) of $((n + 1)) cases passed"
((failed == 0))
