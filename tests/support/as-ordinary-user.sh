#!/bin/sh
# Runs a test program as an ordinary user: the superuser may read and write
# every file, so permission and ownership cases cannot be seen as root. As
# root the program runs as the throwaway uid 65534 with a home of its own and
# the usual umask; exit code 77 tells ctest the test was skipped, and why.
program="$1"
shift
if [ "$(id -u)" != 0 ]; then
  exec "$program" "$@"
fi
if ! command -v setpriv >/dev/null 2>&1; then
  echo "skipped: setpriv (util-linux) is missing, so the test cannot run as an ordinary user"
  exit 77
fi
as_user="setpriv --reuid=65534 --regid=65534 --clear-groups"
if ! $as_user test -x "$program"; then
  echo "skipped: uid 65534 may not run $program (a folder on its path is closed to other users)"
  exit 77
fi
home=$(mktemp -d) || exit 1
trap 'rm -rf "$home"' EXIT
chown 65534:65534 "$home"
$as_user env HOME="$home" XDG_RUNTIME_DIR="$home" XDG_DATA_HOME="$home/.local/share" \
  sh -c 'umask 022; exec "$0" "$@"' "$program" "$@"
