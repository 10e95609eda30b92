#!/usr/bin/env bash
# The README's play command (tools/play-game) as a player on Linux runs it:
# the game opens on the player's own display, and its process has a Spanish
# locale that really resolves, so Wine speaks the game's language and still
# names files with accents.
#   play-command.sh SOURCE-DIR GAME-DIR
set -euo pipefail
src=$1 game_dir=$2
job=$(mktemp -d "${TMPDIR:-/tmp}/korvalo-play-command.XXXXXX")
xvfb_pid= play_pid=
cleanup() {
    if [ -n "$play_pid" ]; then kill "$play_pid" 2>/dev/null || true; fi
    WINEPREFIX=$job/build/play-prefix timeout 20 wineserver -k 2>/dev/null || true
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$job"
}
trap 'status=$?; cleanup; exit $status' EXIT
mkdir -p "$job/build/win"
ln -s "$game_dir" "$job/build/win/ui"
mkfifo "$job/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$job/display" >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 20 number < "$job/display"
export DISPLAY=:$number
KORVALO_WINE_TEMPLATE=${KORVALO_WINE_TEMPLATE:-${TMPDIR:-/tmp}/korvalo-wine-template} \
    "$src/tools/play-game" "$job/build" >/dev/null &
play_pid=$!

# The script ends by becoming the game's process: its environment is read
# once Wine's own loader runs in it.
for _ in $(seq 1200); do
    case $(readlink "/proc/$play_pid/exe" 2>/dev/null) in */wine64*) break ;; esac
    kill -0 "$play_pid" 2>/dev/null || { echo "FAILED: play-game ended"; exit 1; }
    sleep 0.1
done
environment=$(tr '\0' '\n' < "/proc/$play_pid/environ")
value() { printf '%s\n' "$environment" | sed -n "s/^$1=//p"; }
failures=0
for name in LANG LC_ALL; do
    [ "$(value "$name")" = es_ES.UTF-8 ] || { echo "FAILED: the game's $name is '$(value "$name")'"; failures=$((failures + 1)); }
done
[ "$(value DISPLAY)" = "$DISPLAY" ] || { echo "FAILED: the game's display is '$(value DISPLAY)', not $DISPLAY"; failures=$((failures + 1)); }
locpath=$(value LOCPATH)
charmap=$(env -i LC_ALL=es_ES.UTF-8 ${locpath:+LOCPATH="$locpath"} locale charmap 2>/dev/null || true)
[ "$charmap" = UTF-8 ] || { echo "FAILED: the game's Spanish locale does not resolve (character map '$charmap')"; failures=$((failures + 1)); }
echo "play command: $failures failed checks"
[ "$failures" -eq 0 ]
