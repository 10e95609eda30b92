#!/usr/bin/env bash
# Runs help_window_check.exe under Wine in one session: beside a copy of
# the help file and the stand-in HTML Help control, with a copy of the
# game's folder as the installer leaves it (korvalo.exe, its waves,
# Korvalo.hlp and Korvalo.chm) and a folder with the game alone; then keeps
# its screenshots as PNG files for people to look at.
#   help-window-test.sh WINE-RUN DRIVER.exe HHCTRL.ocx HELP-SOURCE GAME-FOLDER SHOT-FOLDER GROUP
set -euo pipefail
wine_run=$1 driver=$2 hhctrl=$3 source=$4 game=$5 shots=$6 group=$7
for need in "$game/korvalo.exe" "$game/Korvalo.hlp" "$game/Korvalo.chm" "$source"; do
  [ -f "$need" ] || { echo "FAIL: $need is missing (build the native tree's help_files, then korvalo)"; exit 1; }
done
work=$(mktemp -d "${TMPDIR:-/tmp}/korvalo-help.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp "$driver" "$work/help_window_check.exe"
cp "$game/Korvalo.hlp" "$source" "$hhctrl" "$work/"
mkdir "$work/game" "$work/elsewhere"
cp "$game/korvalo.exe" "$game/Korvalo.hlp" "$game/Korvalo.chm" "$game"/*.wav "$work/game/"
cp "$game/korvalo.exe" "$work/elsewhere/"
# The stand-in is used only where the test puts it in the system folder.
[ "$group" = chm ] && export KORVALO_WINE_DLLS=hhctrl.ocx=n
mkdir -p "$shots"
rm -f "$shots"/help-*.png
cd "$work"
status=0
KORVALO_SCREEN=${KORVALO_SCREEN:-1024x768} "$wine_run" help_window_check.exe "$(basename "$source")" game elsewhere "$group" || status=1
for shot in help-*.bmp; do
  [ -f "$shot" ] && convert "$shot" "$shots/${shot%.bmp}.png"
done
exit $status
