#!/bin/bash
# Installs the build into a staging folder as `make install DESTDIR=...`
# does, checks the layout and runs the desktop entry and metainfo validators
# on the installed files. Exit 77 (skipped) where a validator is missing.
set -eu
build=$1
stage=$2
prefix=/usr/local
rm -rf "$stage"
DESTDIR="$stage" cmake --install "$build" --prefix "$prefix" > /dev/null
root=$stage$prefix

for file in bin/paxelo-memo \
    share/paxelo-memo/Data/UserData.mdb share/paxelo-memo/source/DeskTopBG/A1.bmp \
    share/applications/com.paxelo.memo.desktop share/metainfo/com.paxelo.memo.metainfo.xml \
    share/icons/hicolor/scalable/apps/paxelo-memo.svg share/icons/hicolor/48x48/apps/paxelo-memo.png \
    share/man/man1/paxelo-memo.1.gz; do
  [ -s "$root/$file" ] || { echo "not installed: $prefix/$file"; exit 1; }
done
[ -x "$root/bin/paxelo-memo" ] || { echo "the program is not executable"; exit 1; }
# The template holds a fresh store and the standard background only: never
# the notes of the build's own application folder.
template=$(cd "$root/share/paxelo-memo" && find . -type f | sort | tr '\n' ' ')
[ "$template" = "./Data/UserData.mdb ./source/DeskTopBG/A1.bmp " ] || { echo "template holds: $template"; exit 1; }
for size in 16 24 32 48 64 128 256; do
  png=$root/share/icons/hicolor/${size}x${size}/apps/paxelo-memo.png
  # The PNG header holds the width and height as 32-bit big-endian numbers.
  read -r _ _ w1 w0 _ _ h1 h0 < <(od -An -tu1 -j16 -N8 "$png")
  [ $((w1 * 256 + w0)) = "$size" ] && [ $((h1 * 256 + h0)) = "$size" ] || { echo "icon $png is not ${size}x${size}"; exit 1; }
done

# The installed program finds its template: started with an empty home, it
# fills the user's data folder and shows its window (which writes FormSize.ini).
home=$stage/home
mkdir -p "$home"
umask 022
HOME=$home XDG_DATA_HOME= QT_QPA_PLATFORM=offscreen DBUS_SESSION_BUS_ADDRESS=disabled: \
  QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu "$root/bin/paxelo-memo" > "$stage/run.log" 2>&1 &
pid=$!
data=$home/.local/share/paxelo-memo
for _ in $(seq 100); do
  [ -s "$data/Data/FormSize.ini" ] && break
  sleep 0.1
done
kill $pid 2> /dev/null || true
wait $pid 2> /dev/null || true
cmp "$root/share/paxelo-memo/source/DeskTopBG/A1.bmp" "$data/source/DeskTopBG/A1.bmp" || { cat "$stage/run.log"; exit 1; }
[ -s "$data/Data/FormSize.ini" ] || { echo "the installed program did not start with its template"; cat "$stage/run.log"; exit 1; }
# The user's notes are the user's: folders 0700, files 0600, whatever the umask.
modes=$(cd "$data" && stat -c '%a %n' . Data Data/UserData.mdb Data/FormSize.ini | tr '\n' ' ')
[ "$modes" = "700 . 700 Data 600 Data/UserData.mdb 600 Data/FormSize.ini " ] || { echo "the user's data folder is open to others: $modes"; exit 1; }

missing=""
for tool in desktop-file-validate appstreamcli; do
  command -v $tool > /dev/null || missing="$missing $tool"
done
if [ -n "$missing" ]; then
  echo "skipped: not installed:$missing"
  exit 77
fi
desktop-file-validate "$root/share/applications/com.paxelo.memo.desktop"
appstreamcli validate --no-net --explain "$root/share/metainfo/com.paxelo.memo.metainfo.xml"
echo "installed layout and validators: ok"
