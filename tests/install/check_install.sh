#!/bin/bash
# Installs the build into a staging folder as `make install DESTDIR=...`
# does, checks the layout and runs the desktop entry, metainfo and manual
# page checks on the installed files. Exit 77 (skipped) where a validator is
# missing.
set -eu
build=$1
stage=$2
prefix=/usr/local
rm -rf "$stage"
# The program's package alone first: the browser engine's module comes in a
# package of its own.
DESTDIR="$stage" cmake --install "$build" --prefix "$prefix" --component memo > /dev/null
root=$stage$prefix

for file in bin/paxelo-memo \
    share/paxelo-memo/Data/UserData.mdb share/paxelo-memo/source/DeskTopBG/A1.bmp \
    share/applications/com.paxelo.memo.desktop share/metainfo/com.paxelo.memo.metainfo.xml \
    share/icons/hicolor/scalable/apps/paxelo-memo.svg share/icons/hicolor/48x48/apps/paxelo-memo.png \
    share/man/man1/paxelo-memo.1.gz share/man/zh_CN/man1/paxelo-memo.1.gz \
    share/doc/paxelo-memo/copyright; do
  [ -s "$root/$file" ] || { echo "not installed: $prefix/$file"; exit 1; }
done
[ -x "$root/bin/paxelo-memo" ] || { echo "the program is not executable"; exit 1; }
if find "$root" -name 'libpaxelo-memo-web*' | grep -q .; then
  echo "the program's component carries the browser engine's module"; exit 1
fi
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

# With a web site configured and no module installed, the program says so,
# and names the package that brings the module.
# $1: the log to write; waits until the program wrote $2 or 10 s passed.
start_with_site() {
  printf 'https://memo.example.org\r\n' > "$data/Data/WebSite.ini"
  HOME=$home XDG_DATA_HOME= QT_QPA_PLATFORM=offscreen DBUS_SESSION_BUS_ADDRESS=disabled: LANG=C.UTF-8 \
    QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu "$root/bin/paxelo-memo" > "$1" 2>&1 &
  pid=$!
  for _ in $(seq 100); do
    grep -q "$2" "$1" 2> /dev/null && break
    grep -q libpaxelo-memo-web "/proc/$pid/maps" 2> /dev/null && break
    sleep 0.1
  done
}
start_with_site "$stage/nomodule.log" paxelo-memo-web
kill $pid 2> /dev/null || true
wait $pid 2> /dev/null || true
{ grep -q "没有安装浏览器组件" "$stage/nomodule.log" && grep -q "需要软件包 paxelo-memo-web" "$stage/nomodule.log"; } || {
  echo "no word of the missing module:"; cat "$stage/nomodule.log"; exit 1; }

# With the module's package installed, the program finds the module where
# that package puts it.
DESTDIR="$stage" cmake --install "$build" --prefix "$prefix" --component web > /dev/null
find "$root/lib" -name 'libpaxelo-memo-web.so' | grep -q . || { echo "the web component installs no module"; exit 1; }
start_with_site "$stage/module.log" 没有安装浏览器组件
loaded=no
grep -q libpaxelo-memo-web "/proc/$pid/maps" 2> /dev/null && loaded=yes
kill $pid 2> /dev/null || true
wait $pid 2> /dev/null || true
[ $loaded = yes ] || { echo "the installed module was not loaded:"; cat "$stage/module.log"; exit 1; }
rm -f "$data/Data/WebSite.ini"

missing=""
for tool in desktop-file-validate appstreamcli man; do
  command -v $tool > /dev/null || missing="$missing $tool"
done
if [ -n "$missing" ]; then
  echo "skipped: not installed:$missing"
  exit 77
fi
desktop-file-validate "$root/share/applications/com.paxelo.memo.desktop"
appstreamcli validate --no-net --explain "$root/share/metainfo/com.paxelo.memo.metainfo.xml"
# Both manual pages format without a warning of groff's.
for page in man1 zh_CN/man1; do
  warnings=$(LANG=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/share/man/$page/paxelo-memo.1.gz" 2>&1 > /dev/null)
  [ -z "$warnings" ] || { echo "$page/paxelo-memo.1: $warnings"; exit 1; }
done
# Chinese where a Chinese user looks.
grep -q '^GenericName\[zh_CN\]=' "$root/share/applications/com.paxelo.memo.desktop"
grep -q '^Comment\[zh_CN\]=' "$root/share/applications/com.paxelo.memo.desktop"
for element in name summary p; do
  grep -q "<$element xml:lang=\"zh_CN\">" "$root/share/metainfo/com.paxelo.memo.metainfo.xml" || {
    echo "metainfo: no zh_CN $element"; exit 1; }
done
echo "installed layout and validators: ok"
