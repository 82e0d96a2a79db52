#!/bin/bash
# Start-up benchmark: alternately launches a bare Qt Widgets window of
# 645 x 443 and the staged program (from a fresh application folder, no web
# site configured), each on an Xvfb of its own, N times, and prints the
# medians of the time from launch to the window's map and of the process
# tree's resident memory 3 s after the launch, and their ratios.
#
#   bench/startup.sh BUILD_DIR [N]
set -euo pipefail
build=$(cd "$1" && pwd)
runs=${2:-5}
probe="$build/bench/startup_probe"
bare="$build/bench/startup_bare"
staged="$build/app"
work=$(mktemp -d /tmp/paxelo-startup.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -m 0700 "$work/runtime"

# A fresh application folder as the build stages it: the program, its
# engine module, the store and the standard picture, nothing else.
fresh_folder() {
  local folder="$work/app$1"
  mkdir -p "$folder/Data" "$folder/source/DeskTopBG"
  cp "$staged/paxelo-memo" "$staged"/libpaxelo-memo-web.so "$folder/"
  cp "$staged/Data/UserData.mdb" "$folder/Data/"
  cp "$staged/source/DeskTopBG/A1.bmp" "$folder/source/DeskTopBG/"
  echo "$folder/paxelo-memo"
}

# Prints "milliseconds KiB" for one launch of $1 on a new Xvfb, which takes
# a free display number itself and tells it.
measure() {
  local n=""
  : >"$work/display"
  Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp -ac 3>"$work/display" >/dev/null 2>&1 &
  local server=$!
  for _ in $(seq 200); do n=$(cat "$work/display"); [ -n "$n" ] && break; sleep 0.05; done
  (cd / && DISPLAY=":$n" XDG_RUNTIME_DIR="$work/runtime" DBUS_SESSION_BUS_ADDRESS=disabled: QT_QPA_PLATFORM=xcb "$probe" 3000 "$1") 2>/dev/null
  kill "$server"
  wait "$server" 2>/dev/null || true
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

: >"$work/bare" >"$work/memo"
for i in $(seq "$runs"); do
  measure "$bare" >>"$work/bare"
  measure "$(fresh_folder "$i")" >>"$work/memo"
done

bare_ms=$(cut -d' ' -f1 "$work/bare" | median)
bare_kib=$(cut -d' ' -f2 "$work/bare" | median)
memo_ms=$(cut -d' ' -f1 "$work/memo" | median)
memo_kib=$(cut -d' ' -f2 "$work/memo" | median)
echo "Start-up, median of $runs launches each ($(nproc) cores, $(uname -m)):"
awk -v bm="$bare_ms" -v bk="$bare_kib" -v mm="$memo_ms" -v mk="$memo_kib" 'BEGIN {
  printf "%-22s %12s %14s\n", "", "to mapped", "resident (3 s)"
  printf "%-22s %9.0f ms %11.1f MB\n", "bare window 645x443", bm, bk / 1024
  printf "%-22s %9.0f ms %11.1f MB\n", "paxelo-memo", mm, mk / 1024
  printf "%-22s %11.2fx %13.2fx   (aim: 2x, 2.5x)\n", "ratio", mm / bm, mk / bk
}'
echo "launches (ms KiB): bare $(tr '\n' ',' <"$work/bare") memo $(tr '\n' ',' <"$work/memo")"
