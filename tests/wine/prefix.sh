#!/bin/sh
# Makes the Wine prefix that the Windows build runs in, puts a copy of the program there, and
# keeps a wineserver alive for the test run ("start"); or stops it ("stop"). Wine is never
# run as root: as root, the prefix belongs to "nobody", who runs the program.
#   prefix.sh start WINE64 PREFIX ZAMTIK.EXE
#   prefix.sh stop WINE64 PREFIX
set -eu
action=$1 wine=$2 prefix=$3
wineserver=$(dirname "$wine")/wineserver
export WINEPREFIX="$prefix" HOME="$prefix" WINEDEBUG=-all

as() {
  if [ "$(id -u)" = 0 ]; then
    setpriv --reuid=65534 --regid=65534 --clear-groups "$@"
  else
    "$@"
  fi
}

case $action in
start)
  mkdir -p "$prefix"
  cp "$4" "$prefix/zamtik.exe"
  chmod 755 "$prefix/zamtik.exe"
  [ "$(id -u)" = 0 ] && chown 65534:65534 "$prefix"
  # What stays behind must not hold the test runner's output open.
  as "$wineserver" -p </dev/null >/dev/null 2>&1 || true # one may be running already
  if ! as "$wine" wineboot -i </dev/null >"$prefix.log" 2>&1; then
    cat "$prefix.log"
    exit 1
  fi
  ;;
stop)
  as "$wineserver" -k || true
  ;;
esac
