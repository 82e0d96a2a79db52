#!/bin/bash
# Kills the program's writers in mid-write with SIGKILL: 50 times while it
# adds pictures over existing ones (a JPEG converted over big.bmp, a BMP
# copied over sky.bmp, the list rewritten), 100 times while it applies the
# wallpaper (Content.bmp, Mix.bmp, Mix.Jpg). After every kill each listed
# picture and each Mix file must be whole: the old version or the new one.
# Run by hand after a build (it takes a few minutes):
#   tests/wallpaper/kill_during_writes.sh [build folder]
set -euo pipefail
driver="${1:-build}/tests/wallpaper/tst_writesafety"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
"$driver" --prepare-kills "$root"

kill_during() {
    local loop=$1 count=$2 i
    for ((i = 1; i <= count; i++)); do
        "$driver" "$loop" "$root" &
        sleep "$(printf '0.%03d' $((100 + RANDOM % 900)))"
        kill -KILL $! && wait $! 2>/dev/null || true
        if ! "$driver" --check-kills "$root"; then
            echo "FAILED after kill $i during $loop"
            exit 1
        fi
    done
    echo "$count kills during $loop: every file whole"
}

kill_during --add-loop 50
kill_during --apply-loop 100
