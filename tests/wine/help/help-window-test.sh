#!/usr/bin/env bash
# Runs help_window_check.exe under Wine in one session: beside a copy of
# the help file, with a copy of the game's folder as the installer leaves
# it (korvalo.exe, its waves and Korvalo.hlp) and a folder without the help
# file; then keeps its screenshots as PNG files for people to look at.
#   help-window-test.sh WINE-RUN DRIVER.exe HELP-SOURCE GAME-FOLDER SHOT-FOLDER GROUP
set -euo pipefail
wine_run=$1 driver=$2 source=$3 game=$4 shots=$5 group=$6
for need in "$game/korvalo.exe" "$game/Korvalo.hlp" "$source"; do
  [ -f "$need" ] || { echo "FAIL: $need is missing (build the native tree's help_files, then korvalo)"; exit 1; }
done
work=$(mktemp -d "${TMPDIR:-/tmp}/korvalo-help.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp "$driver" "$work/help_window_check.exe"
cp "$game/Korvalo.hlp" "$source" "$work/"
mkdir "$work/game" "$work/elsewhere"
cp "$game/korvalo.exe" "$game/Korvalo.hlp" "$game"/*.wav "$work/game/"
mkdir -p "$shots"
rm -f "$shots"/help-*.png
cd "$work"
status=0
KORVALO_SCREEN=${KORVALO_SCREEN:-1024x768} "$wine_run" help_window_check.exe "$(basename "$source")" game elsewhere "$group" || status=1
for shot in help-*.bmp; do
  [ -f "$shot" ] && convert "$shot" "$shots/${shot%.bmp}.png"
done
exit $status
