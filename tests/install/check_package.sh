#!/bin/bash
# Checks the two packages `make package` builds in $1: the program's package
# needs no browser engine and runs no ldconfig; the module's package needs
# the engine and the program of the same version.
set -eu
build=$1
main=$(ls "$build"/paxelo-memo_*.deb)
web=$(ls "$build"/paxelo-memo-web_*.deb)
field() { dpkg-deb -f "$1" "$2"; }

version=$(field "$main" Version)
[ "$(field "$web" Version)" = "$version" ] || { echo "the packages' versions differ"; exit 1; }
if dpkg-deb -I "$main" | grep -i webengine; then
  echo "$(basename "$main") depends on the browser engine"; exit 1
fi
depends=$(field "$web" Depends)
grep -q "paxelo-memo (= $version)" <<< "$depends" || { echo "paxelo-memo-web: Depends: $depends"; exit 1; }
grep -q libqt6webengine <<< "$depends" || { echo "paxelo-memo-web: Depends: $depends"; exit 1; }
for deb in "$main" "$web"; do
  if dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -E 'postinst|postrm|triggers'; then
    echo "$(basename "$deb") carries maintainer scripts or triggers"; exit 1
  fi
done
dpkg-deb -c "$web" | grep '/usr/lib/.*/paxelo-memo/libpaxelo-memo-web.so$' > /dev/null || { echo "no module in $web"; exit 1; }
if dpkg-deb -c "$main" | grep 'libpaxelo-memo-web'; then echo "the module is in $main"; exit 1; fi
echo "packages: ok ($(basename "$main"), $(basename "$web"))"
