#!/usr/bin/env bash
# Runs help_window_check.exe under Wine on a 1024x768 screen beside a copy
# of Korvalo.hlp, then keeps its screenshots as PNG files for people to
# look at.
#   help-window-test.sh WINE-RUN DRIVER.exe Korvalo.hlp SHOT-FOLDER
set -euo pipefail
wine_run=$1 driver=$2 help=$3 shots=$4
[ -f "$help" ] || { echo "FAIL: $help is missing (build the native tree first)"; exit 1; }
work=$(mktemp -d "${TMPDIR:-/tmp}/korvalo-help.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp "$driver" "$work/help_window_check.exe"
cp "$help" "$work/Korvalo.hlp"
mkdir -p "$shots"
rm -f "$shots"/help-*.png
cd "$work"
status=0
KORVALO_SCREEN=1024x768 "$wine_run" help_window_check.exe || status=1
for shot in help-*.bmp; do
  [ -f "$shot" ] && convert "$shot" "$shots/${shot%.bmp}.png"
done
exit $status
