#!/usr/bin/env bash
# Opens Korvalo.hlp in the help viewer under Wine on a 1024x768 screen,
# photographs the screen and checks that the contents page shows jumps
# (the viewer draws them green, #008000); a file the viewer cannot read
# shows an error box or an empty page instead.
#   help-window-test.sh WINE-RUN DRIVER.exe Korvalo.hlp SHOT-FOLDER
set -euo pipefail
wine_run=$1 driver=$2 help=$3 shots=$4
[ -f "$help" ] || { echo "FAIL: $help is missing (build the native tree first)"; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/korvalo-help.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp "$driver" "$work/help_window_check.exe"
cp "$help" "$work/Korvalo.hlp"
mkdir -p "$shots"
cd "$work"

KORVALO_SCREEN=1024x768 "$wine_run" help_window_check.exe > driver.log 2>&1 &
runner=$!
for _ in $(seq 900); do
  [ -f window-ready.txt ] && break
  kill -0 "$runner" 2>/dev/null || break
  sleep 0.1
done
status=0
if [ -f window-ready.txt ]; then
  display=$(tr -d '\r\n ' < window-ready.txt)
  DISPLAY=$display import -window root "$shots/help-contents.png" || status=1
fi
touch shot-done.txt
wait "$runner" || status=1
cat driver.log

if [ -f "$shots/help-contents.png" ]; then
  green=$(convert "$shots/help-contents.png" txt:- | grep -c '#008000' || true)
  if [ "$green" -lt 1000 ]; then
    echo "FAIL: only $green jump-coloured pixels on the first page: contents not shown"
    status=1
  else
    echo "ok: contents page shows its jumps ($green jump-coloured pixels)"
  fi
else
  echo "FAIL: no screenshot"
  status=1
fi
exit $status
