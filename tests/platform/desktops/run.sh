#!/usr/bin/env bash
# The wallpaper on real desktops: xfdesktop with xfconfd (XFCE), pcmanfm-qt
# --desktop (LXQt) and feh on a bare X server, each on its own Xvfb screen
# with its own session bus. The program's wallpaper code (the setwallpaper
# driver) sets Mix.bmp; the screen read back must show it stretched. Then
# Mix.bmp is replaced under the same path, as the next apply does, and set
# again: the screen must show the new picture.
#
# usage: run.sh SETWALLPAPER OUTPUT-FOLDER   (screenshots are kept there)
set -uo pipefail

width=640
height=480
# Pixels that may differ by more than the fuzz: the desktops scale with
# different filters, which only the edges between the colours show.
fuzz=12%
allowed=$((width * height / 50))

# Four colour fields in a picture whose shape differs from the screen's, so
# a tiled, centred or aspect-keeping picture fails the comparison.
picture() { # output top-left top-right bottom-left bottom-right
    convert -size 320x300 "xc:$2" -fill "$3" -draw "rectangle 160,0 319,149" \
        -fill "$4" -draw "rectangle 0,150 159,299" -fill "$5" -draw "rectangle 160,150 319,299" \
        "BMP3:$1"
}

# Waits up to 15 s for a command to succeed.
wait_for() {
    for _ in $(seq 150); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

bus_has_name() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.ListNames | grep -q "\"$1"
}

# How many pixels of the root window differ from the picture stretched to the
# screen; polls for up to 5 s while the desktop draws.
screen_shows() { # picture screenshot
    convert "$1" -resize "${width}x${height}!" "$work/expected.png"
    local differing=""
    for _ in $(seq 10); do
        import -window root "$2" 2>/dev/null || { sleep 0.5; continue; }
        differing=$(compare -metric AE -fuzz "$fuzz" "$2" "$work/expected.png" null: 2>&1 | awk '{printf "%d", $1}')
        [ "${differing:-$allowed}" -le "$allowed" ] && break
        sleep 0.5
    done
    echo "$differing differing pixels (at most $allowed allowed)"
    [ -n "$differing" ] && [ "$differing" -le "$allowed" ]
}

start_desktop() {
    case "$1" in
    xfce)
        export XDG_CURRENT_DESKTOP=XFCE
        # No desktop icons over the picture.
        xfconf-query -c xfce4-desktop -p /desktop-icons/style --create --type int -s 0
        xfdesktop --disable-wm-check >"$work/desktop.log" 2>&1 &
        wait_for sh -c 'xfconf-query -c xfce4-desktop -l | grep -q last-image'
        ;;
    lxqt)
        export XDG_CURRENT_DESKTOP=LXQt QT_QPA_PLATFORM=xcb
        pcmanfm-qt --desktop >"$work/desktop.log" 2>&1 &
        wait_for bus_has_name org.pcmanfm
        ;;
    feh) ;;
    esac
}

# Runs inside the desktop's own session bus.
inside() { # desktop driver output
    local desktop=$1 driver=$2 output=$3
    mkdir -p "$output"
    work=$(mktemp -d)
    trap 'kill $(jobs -p) 2>/dev/null; wait; rm -rf "$work"' EXIT
    unset XDG_CURRENT_DESKTOP DESKTOP_SESSION XDG_SESSION_TYPE WAYLAND_DISPLAY SWAYSOCK QT_QPA_PLATFORM
    export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_CACHE_HOME=$work/home/.cache \
        XDG_DATA_HOME=$work/home/.local/share XDG_RUNTIME_DIR=$work/run
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

    exec 3>"$work/display"
    # -noreset: feh leaves its picture behind when it ends, the last client.
    Xvfb -displayfd 3 -noreset -screen 0 "${width}x${height}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
    wait_for test -s "$work/display" || { echo "Xvfb did not start"; return 1; }
    export DISPLAY=:$(head -n1 "$work/display")
    start_desktop "$desktop" || { echo "$desktop did not start"; cat "$work/desktop.log"; return 1; }

    # The folder as an installed program has it, with a blank and Chinese.
    local folder="$work/Paxelo 备忘录/source/DeskTopBG"
    mkdir -p "$folder"
    picture "$work/first.bmp" red blue lime yellow
    picture "$work/second.bmp" navy orange purple cyan
    # A desktop that has just started may still be setting itself up and
    # miss the first picture: that one is set up to three times. The second,
    # the refresh, gets one try.
    local step tries shown
    for step in first second; do
        tries=1
        [ "$step" = first ] && tries=3
        shown=no
        for _ in $(seq "$tries"); do
            # A new file renamed over the old one, as the apply writes Mix.bmp.
            cp "$work/$step.bmp" "$folder/Mix.bmp.new" && mv -f "$folder/Mix.bmp.new" "$folder/Mix.bmp"
            if ! "$driver" "$folder/Mix.bmp"; then
                echo "$desktop: the wallpaper code failed on the $step apply"
                return 1
            fi
            if screen_shows "$folder/Mix.bmp" "$output/$desktop-$step.png"; then
                shown=yes
                break
            fi
        done
        if [ "$shown" = no ]; then
            echo "$desktop: the screen does not show the $step picture stretched ($output/$desktop-$step.png)"
            return 1
        fi
    done
    echo "$desktop: both pictures shown"
}

if [ "${1:-}" = "--inside" ]; then
    shift
    inside "$@"
    exit
fi

driver=$(realpath "${1:?usage: run.sh SETWALLPAPER OUTPUT-FOLDER}")
output=$(realpath -m "${2:?usage: run.sh SETWALLPAPER OUTPUT-FOLDER}")
mkdir -p "$output"
passed=0
failed=0
for desktop in xfce lxqt feh; do
    echo "== $desktop"
    if timeout 120 dbus-run-session -- bash "$0" --inside "$desktop" "$driver" "$output"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
    fi
done
echo "desktops: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
