#!/usr/bin/env bash
# The game as a user starts it: wine korvalo.exe on a 1024 x 768 display,
# played with real key presses and clicks (xdotool), and screenshots taken
# at fixed moments compared with what the game must show then.
#   blackbox.sh KORVALO_EXE_DIR TEMPLATE_PREFIX
set -euo pipefail
game_dir=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
template=${2:-${KORVALO_WINE_TEMPLATE:-/tmp/korvalo-wine-template}}
"$here/../../../tools/wine/make-template" "$template"

job=$(mktemp -d "${TMPDIR:-/tmp}/korvalo-blackbox.XXXXXX")
xvfb_pid=
game_pid=
finish() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    timeout 10 wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    [ -n "${KORVALO_KEEP_SHOTS:-}" ] && cp "$job"/*.png "$KORVALO_KEEP_SHOTS"/ 2>/dev/null
    rm -rf "$job"
}
trap finish EXIT
cp -a "$template" "$job/pfx"
mkdir -p "$job/home" "$job/game"
cp "$game_dir"/korvalo.exe "$game_dir"/*.wav "$job/game/"
export WINEPREFIX=$job/pfx HOME=$job/home WINEARCH=win64 WINEDEBUG=-all LANG=C.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winhlp32.exe=d"
for n in $(seq 141 240); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        export DISPLAY=:$n
        for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
        break
    fi
done
: "${DISPLAY:?no free display}" "${WINEPREFIX:?}"

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
shot() { import -window root "$job/$1.png"; }
pixel() { convert "$job/$1.png" -crop "1x1+$2+$3" -depth 8 txt:- | tail -1 | grep -o '#[0-9A-F]\{6\}'; }
differing() { compare -metric AE "$job/$1.png" "$job/$2.png" null: 2>&1 || true; }
# Pure red pixels in a row of LENGTH pixels from X, Y.
red_in_row() { convert "$job/$1.png" -crop "${4}x1+$2+$3" -depth 8 txt:- | grep -c '#FF0000' || true; }
# Differing pixels between two screenshots inside W x H + X + Y.
differing_in() {
    convert "$job/$1.png" -crop "$3" +repage "$job/c1.png"
    convert "$job/$2.png" -crop "$3" +repage "$job/c2.png"
    compare -metric AE "$job/c1.png" "$job/c2.png" null: 2>&1 || true
}
wait_for_pixel() { # name x y colour tries
    for _ in $(seq "$5"); do
        shot "$1"
        [ "$(pixel "$1" "$2" "$3")" = "$4" ] && return 0
        sleep 0.2
    done
    return 1
}

# On a 1024 x 768 screen the board's corner is at (286, 158) and its
# centre square spans (478, 350) to (546, 418).
cd "$job/game"
wine korvalo.exe &
game_pid=$!
wait_for_pixel opening 480 352 '#FF0000' 100 || fail "the opening board never showed"
sleep 0.5
shot opening
[ "$(pixel opening 286 158)" = '#FF0000' ] || fail "board corner not red: $(pixel opening 286 158)"
[ "$(pixel opening 285 300)" = '#000000' ] || fail "margin left of the board not black"
[ "$(pixel opening 498 384)" = '#000000' ] || fail "no black 0 in the centre"
convert -size 60x85 xc:black "$job/black.png"
convert "$job/opening.png" -crop 60x85+150+0 +repage "$job/dice-start.png"
n=$(compare -metric AE "$job/dice-start.png" "$job/black.png" null: 2>&1 || true)
[ "$n" = 0 ] || fail "something is drawn at the dice's start place before a game ($n pixels)"

# F2 and Enter twice: the first-run choices (one token, two players).
xdotool key F2
sleep 1.5
xdotool key Return
sleep 1.5
xdotool key Return
sleep 1.5
shot game
# Only the two tokens appear, one in the red jail (286, 514) and one in the
# yellow jail (642, 158), and red's name right of the board (742, 344).
n=$(differing_in opening game 96x96+286+514)
[ "$n" -gt 0 ] && [ "$n" -le 400 ] || fail "red jail: $n pixels changed (one token expected)"
n=$(differing_in opening game 96x96+642+158)
[ "$n" -gt 0 ] && [ "$n" -le 400 ] || fail "yellow jail: $n pixels changed (one token expected)"
n=$(differing_in opening game 282x16+742+344)
[ "$n" -gt 0 ] || fail "no player's name right of the board"
for f in opening game; do
    convert "$job/$f.png" -fill black -draw 'rectangle 286,514 381,609' -draw 'rectangle 642,158 737,253' \
        -draw 'rectangle 742,344 1023,359' "$job/$f-rest.png"
done
n=$(differing opening-rest game-rest)
[ "$n" = 0 ] || fail "the new game changed $n pixels outside the jails and the name"

# Up to three clicks on the board: each is red's throw while the centre
# shows red's "0" (all in jail, or another throw owed after a double);
# a move owed, or the turn gone to yellow, ends the series.
previous=game
for i in 1 2 3; do
    [ "$(differing_in game "$previous" 68x68+478+350)" = 0 ] || break
    xdotool mousemove 512 300 click 1
    sleep 2.5
    shot "throw$i"
    n=$(differing "$previous" "throw$i")
    [ "$n" -gt 1000 ] || fail "throw $i changed only $n pixels"
    # The board's top outline stays red; a die at rest may cover 60 pixels
    # of it (two dice 120 of its 452).
    n=$(red_in_row "throw$i" 286 158 452)
    echo "throw $i: $n of the outline's 452 top pixels red"
    [ "$n" -ge 332 ] || fail "the board's top outline was lost in throw $i (only $n of 452 pixels red)"
    previous=throw$i
done

# Escape asks; Enter answers No (the default) and leaves the screen as it was.
shot before-escape
xdotool key Escape
sleep 1
shot question
n=$(differing before-escape question)
[ "$n" -gt 1000 ] || fail "Escape showed no question"
xdotool key Return
sleep 1
shot after-no
n=$(differing before-escape after-no)
[ "$n" = 0 ] || fail "answering No changed $n pixels"
xdotool key Escape
sleep 1
xdotool key y
code=0
for _ in $(seq 50); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.2
done
if kill -0 "$game_pid" 2>/dev/null; then
    fail "the game did not end after Yes"
else
    wait "$game_pid" || code=$?
    game_pid=
    [ "$code" = 0 ] || fail "exit code $code"
fi
echo "blackbox: $failures failed checks"
[ "$failures" = 0 ]
