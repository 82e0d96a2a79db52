#!/usr/bin/env bash
# The wallpaper on real desktops: xfdesktop with xfconfd (XFCE), pcmanfm-qt
# --desktop (LXQt) and feh on a bare X server, each on its own Xvfb screen
# with its own session bus. The program's wallpaper code (the setwallpaper
# driver) sets Mix.bmp; the screen read back must show it stretched. Then
# Mix.bmp is replaced under the same path, as the next apply does, and set
# again: the screen must show the new picture. Before the first apply the
# user's own picture, centred, is on the desktop; the driver keeps it as the
# program does, and after the two applies gives it back: the screen must be
# what it was before the first apply.
#
# Then the notes on xfdesktop at the screen sizes people have: the
# composewallpaper driver composes a notes' picture over a background of
# another size for the screen, and the screen read back must hold the notes
# at 1:1, each pixel the notes' pixel blended half way over the background
# scaled to cover the screen (computed here with ImageMagick).
#
# usage: run.sh SETWALLPAPER COMPOSEWALLPAPER OUTPUT-FOLDER   (screenshots are kept there)
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

# Takes screenshots until two in a row are the same and differ from the
# screen without the picture (up to 10 s): the desktop has drawn it.
settled_screen() { # screenshot screen-without-the-picture
    local previous="$work/previous.png"
    for _ in $(seq 20); do
        sleep 0.5
        import -window root "$1" 2>/dev/null || continue
        [ "$(compare -metric AE "$1" "$2" null: 2>&1 | awk '{printf "%d", $1}')" = 0 ] && continue
        if [ -f "$previous" ] && [ "$(compare -metric AE "$1" "$previous" null: 2>&1 | awk '{printf "%d", $1}')" = 0 ]; then
            rm -f "$previous"
            return 0
        fi
        cp "$1" "$previous"
    done
    rm -f "$previous"
    return 1
}

# How many pixels of the root window differ from an earlier screenshot;
# polls for up to 5 s while the desktop draws.
screen_is() { # earlier-screenshot screenshot
    local differing=""
    for _ in $(seq 10); do
        import -window root "$2" 2>/dev/null || { sleep 0.5; continue; }
        differing=$(compare -metric AE -fuzz "$fuzz" "$2" "$1" null: 2>&1 | awk '{printf "%d", $1}')
        [ "${differing:-$allowed}" -le "$allowed" ] && break
        sleep 0.5
    done
    echo "$differing pixels differ from the screen before the first apply (at most $allowed allowed)"
    [ -n "$differing" ] && [ "$differing" -le "$allowed" ]
}

# The user's own wallpaper, centred, set with the desktop's own tool (LXQt
# reads it from its settings at start, stretched: pcmanfm-qt ignores a
# --wallpaper-mode equal to the mode of its settings, so another mode could
# not be shown again until it restarts).
set_own_wallpaper() { # desktop picture
    case "$1" in
    xfce)
        local property
        for property in $(xfconf-query -c xfce4-desktop -l | grep '/last-image$'); do
            xfconf-query -c xfce4-desktop -p "${property%last-image}image-style" --create --type int -s 1
            xfconf-query -c xfce4-desktop -p "$property" -s ""
            xfconf-query -c xfce4-desktop -p "$property" -s "$2"
        done
        ;;
    feh) feh --bg-center "$2" ;;
    esac
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
        # As the desktop's preferences write it: pcmanfm-qt's
        # --wallpaper-mode shows the mode but keeps "none" in the file.
        mkdir -p "$XDG_CONFIG_HOME/pcmanfm-qt/default"
        printf '[Desktop]\nBgColor=#000000\nWallpaper=%s\nWallpaperMode=stretch\n' "$work/own.bmp" \
            >"$XDG_CONFIG_HOME/pcmanfm-qt/default/settings.conf"
        pcmanfm-qt --desktop >"$work/desktop.log" 2>&1 &
        wait_for bus_has_name org.pcmanfm
        ;;
    feh) ;;
    esac
}

# Starts an X server of width x height and the desktop on it, inside the
# desktop's own session bus; sets work, DISPLAY and the folders of a fresh
# user.
start_session() { # desktop
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
    # The user's own wallpaper, which LXQt reads from its settings at start.
    picture "$work/own.bmp" white magenta teal olive
    start_desktop "$1" || { echo "$1 did not start"; cat "$work/desktop.log"; return 1; }
}

# Runs inside the desktop's own session bus.
inside() { # desktop driver output
    local desktop=$1 driver=$2 output=$3
    mkdir -p "$output"
    start_session "$desktop" || return 1

    # The folder as an installed program has it, with a blank and Chinese.
    local folder="$work/Paxelo 备忘录/source/DeskTopBG"
    mkdir -p "$folder"
    picture "$work/first.bmp" red blue lime yellow
    picture "$work/second.bmp" navy orange purple cyan
    local data="$work/Paxelo 备忘录/Data"
    mkdir -p "$data"
    if [ "$desktop" = lxqt ]; then
        convert -size "${width}x${height}" xc:black "$work/blank.png"
        sleep 1
    else
        import -window root "$work/blank.png"
    fi
    # A desktop that has just started may miss it, as the first apply below.
    local own=no
    for _ in 1 2 3; do
        set_own_wallpaper "$desktop" "$work/own.bmp" || { echo "$desktop: the own wallpaper could not be set"; return 1; }
        settled_screen "$output/$desktop-own.png" "$work/blank.png" && { own=yes; break; }
    done
    [ "$own" = yes ] || { echo "$desktop: the own wallpaper did not show"; return 1; }
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
            if ! "$driver" --keep-original "$data" "$folder/Mix.bmp"; then
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

    echo "$desktop: the kept wallpaper:"
    cat "$data"/OriginalWallpaper-*.ini
    if ! "$driver" --restore "$data"; then
        echo "$desktop: the wallpaper code failed to give the own wallpaper back"
        return 1
    fi
    if ! screen_is "$output/$desktop-own.png" "$output/$desktop-restored.png"; then
        echo "$desktop: the screen after the restore is not the one before the first apply ($output/$desktop-restored.png)"
        return 1
    fi
    echo "$desktop: the own wallpaper is back"
}

# Notes' tolerance against the expectation: the program scales with area
# averaging, ImageMagick here with its own filter, and the wallpaper went
# through JPEG at quality 90. A pixel may differ by up to notes_fuzz; at most
# notes_allowed of them (ink edges, where JPEG rings) by more.
notes_fuzz=6%
notes_allowed_percent=1

# A board as Content.bmp holds it: pale yellow, lines of ink one to three
# pixels thick, short ticks; a scaled copy blurs or moves every one of them.
notes_picture() { # output
    local draw="" y
    for y in $(seq 12 18 300); do
        draw+=" rectangle 10,$y $((200 + y / 3)),$((y + y % 3))"
        draw+=" line $((250 + y % 40)),$y $((250 + y % 40)),$((y + 9))"
    done
    convert -size 316x319 xc:'#FFFFE1' -fill black -stroke black -draw "$draw" "BMP3:$1"
}

# A background with colour changing across and down, so a wrong crop or a
# stretch shows under the notes.
background_picture() { # output size
    local w=${2%x*} h=${2#*x}
    convert -size "${w}x${h}" gradient:navy-orange \( -size "${h}x${w}" gradient:black-'#00A000' -rotate 90 \) \
        -compose plus -composite "BMP3:$1"
}

# Runs inside xfdesktop's own session bus: composes the notes for the screen
# with each letter and checks the screen.
inside_notes() { # composer output background-size letters...
    local composer=$1 output=$2 size=$3
    shift 3
    mkdir -p "$output"
    start_session xfce || return 1
    local folder="$work/Paxelo 备忘录/source/DeskTopBG" tag="xfce-${width}x${height}-bg$size"
    mkdir -p "$folder"
    notes_picture "$folder/Content.bmp"
    background_picture "$folder/photo.bmp" "$size"
    # The background as the program must scale it: to cover the screen,
    # cropped evenly.
    convert "$folder/photo.bmp" -resize "${width}x${height}^" -gravity center -extent "${width}x${height}" \
        "$work/covering.png"
    local letter x y=30 shown differing allowed=$((316 * 319 * notes_allowed_percent / 100)) failed=0
    for letter in "$@"; do
        x=$((width - 316 - 50))
        [ "$letter" = B ] && x=$(((width - 316) / 2))
        # White is transparent; every other pixel moves half way.
        convert "$work/covering.png" -crop "316x319+$x+$y" +repage \
            \( "$folder/Content.bmp" -transparent white \) -compose dissolve -define compose:args=50 -composite \
            "$work/expected-$letter.png"
        # A desktop that has just started may miss the first picture: it is
        # set up to three times, and the screen polled for 5 s each time.
        shown=no
        for _ in 1 2 3; do
            if ! "$composer" "$folder/Content.bmp" "$folder/photo.bmp" "$letter" "$folder"; then
                echo "$tag: the composition failed with letter $letter"
                return 1
            fi
            for _ in $(seq 10); do
                if import -window root "$output/$tag-$letter.png" 2>/dev/null; then
                    convert "$output/$tag-$letter.png" -crop "316x319+$x+$y" +repage "$work/notes-$letter.png"
                    differing=$(compare -metric AE -fuzz "$notes_fuzz" "$work/notes-$letter.png" \
                        "$work/expected-$letter.png" null: 2>&1 | awk '{printf "%d", $1}')
                    if [ -n "$differing" ] && [ "$differing" -le "$allowed" ]; then
                        shown=yes
                        break 2
                    fi
                fi
                sleep 0.5
            done
        done
        echo "$tag letter $letter: ${differing:-?} of the notes' pixels differ (at most $allowed allowed)"
        if [ "$shown" = no ]; then
            echo "$tag: the screen does not hold the notes at 1:1 with letter $letter ($output/$tag-$letter.png)"
            failed=1
        fi
    done
    [ "$failed" -eq 0 ]
}

if [ "${1:-}" = "--inside" ]; then
    shift
    inside "$@"
    exit
fi
if [ "${1:-}" = "--inside-notes" ]; then
    width=$2 height=$3
    shift 3
    inside_notes "$@"
    exit
fi

usage="usage: run.sh SETWALLPAPER COMPOSEWALLPAPER OUTPUT-FOLDER"
driver=$(realpath "${1:?$usage}")
composer=$(realpath "${2:?$usage}")
output=$(realpath -m "${3:?$usage}")
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
# Screen, background and letters of each notes' check.
for screen in "1920 1080 4000x3000 A B" "1024 768 1920x1080 A"; do
    set -- $screen
    echo "== notes on xfce at $1x$2, background $3"
    if timeout 180 dbus-run-session -- bash "$0" --inside-notes "$1" "$2" "$composer" "$output" "${@:3}"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
    fi
done
echo "desktops: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
