# Faults: a standard user's installed game writing into its folder or leaving a record file or folder (and those
# of installed_test.cpp); the setup file or the game loading a DLL planted beside them.
# The user "player" runs the single setup file, alone in a folder but for a planted winmm.dll, in a prefix of its
# own, and installs only for itself; the game folder, with the DLL planted there too, is given to root (755/644);
# the player plays from the shortcut (game_test ... installed). Needs root (skipped with 77 otherwise).
#   bash installed-game.sh SETUP.exe INSTALL-DRIVER.exe GAME-TEST.exe PLANTED-WINMM.dll
set -euo pipefail
setup=$1 install_driver=$2 game_test=$3 planted=$4
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
[ "$(id -u)" -eq 0 ] || { echo "skipped: only root can run the game as another user"; exit 77; }
[ -f "$setup" ] || { echo "skipped: no setup file $setup"; exit 77; }
id player >/dev/null 2>&1 || useradd -M player || id player >/dev/null

job=$(mktemp -d "${TMPDIR:-/tmp}/korvalo-installed.XXXXXX")
xvfb_pid=
as_player() {
    runuser -u player -- env -i PATH=/usr/bin:/bin HOME="$job/player/home" TMPDIR="$job/player" \
        WINEPREFIX="$job/player/pfx" WINEARCH=win64 WINEDEBUG=-all LANG=C.UTF-8 \
        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winhlp32.exe=d;winmm=n,b" DISPLAY="${DISPLAY:-}" "$@"
}
cleanup() {
    if [ -d "$job/player/pfx" ]; then
        as_player timeout 20 wineserver -w 2>/dev/null || as_player wineserver -k 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$job"
}
trap 'status=$?; cleanup; exit $status' EXIT
# The build tree may be closed to other users: what the player runs is copied out of it.
chmod 755 "$job"
mkdir -p "$job/bin/descargas" "$job/player/home"
cp "$setup" "$planted" "$job/bin/descargas/"
cp "$install_driver" "$game_test" "$here/../../../tools/wine/make-template" "$job/bin/"
chmod -R a+rX "$job/bin"
chown -R player: "$job/player"

# A prefix made by the player: a copy of root's keeps root's profile (temporary folder, Documents, Start menu).
as_player "$job/bin/make-template" "$job/player/pfx"
# The screen most players have: the game draws everything twice as large.
as_player wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1920x1080 /f >/dev/null 2>&1
rm -rf "$job/player/pfx/drive_c/users/player/Documents" # a new profile may have none yet

mkfifo "$job/display"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$job/display" >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 20 number < "$job/display"
export DISPLAY=:$number

failures=0
as_player wine "$job/bin/install_driver.exe" player "$job/bin/descargas/$(basename "$setup")" | tr -d '\r' | tee "$job/installed.txt" ||
    failures=$((failures + 1))
game=$(sed -n 's/^game: //p' "$job/installed.txt")
folder=$(sed -n 's/^folder: //p' "$job/installed.txt")
[ -n "$game" ] && [ -n "$folder" ] || { echo "FAILED: no game shortcut to start the game from"; exit 1; }
game_dir=$(as_player winepath -u "$folder" 2>/dev/null)
[ -f "$game_dir/$(basename "${game//\\//}")" ] || { echo "FAILED: $game is not in $game_dir"; exit 1; }

cp "$planted" "$game_dir/"
chown -R root:root "$game_dir"
find "$game_dir" -type d -exec chmod 755 {} +
find "$game_dir" -type f -exec chmod 644 {} +
listing() { (cd "$game_dir" && find . -printf '%p %s %T@ %u %m\n' | sort); }
before=$(listing)

as_player wine "$job/bin/game_test.exe" "$game" installed "$folder" || failures=$((failures + 1))
as_player timeout 20 wineserver -w 2>/dev/null || true

[ "$(listing)" = "$before" ] || { echo "FAILED: the game folder changed:"; diff <(echo "$before") <(listing) || true; failures=$((failures + 1)); }
left=$(find "$job/player/pfx" -iname 'juego*.dat' -o -ipath '*/temp/zenta korvalo')
[ -z "$left" ] || { echo "FAILED: record files or their folder left: $left"; failures=$((failures + 1)); }
[ ! -e "$job/player/pfx/drive_c/planted-dll-loaded.txt" ] ||
    { echo "FAILED: the winmm.dll planted beside the setup file or the game was loaded"; failures=$((failures + 1)); }
# The player takes it off again with the command the entry gives, silently.
rm -f "$game_dir/$(basename "$planted")"
chown -R player: "$game_dir"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zenta Korvalo'
command=$(as_player wine reg query "$key" /v UninstallString 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
uninstaller=$(printf '%s' "$command" | sed -n 's/^"\([^"]*\)".*/\1/p')
read -r -a switches <<<"$(printf '%s' "$command" | sed 's/^"[^"]*" *//')"
if [ -z "$uninstaller" ]; then
    echo "FAILED: no uninstall command for the player: $command"; failures=$((failures + 1))
else
    as_player wine "$uninstaller" "${switches[@]}" /S || { echo "FAILED: the silent uninstall said $?"; failures=$((failures + 1)); }
    sleep 8 # the uninstaller's copy is deleted by a helper that waits for it to end
    as_player timeout 20 wineserver -w 2>/dev/null || true
    [ ! -e "$game_dir" ] || { echo "FAILED: the game folder is left after the uninstall"; failures=$((failures + 1)); }
    ! as_player wine reg query "$key" >/dev/null 2>&1 || { echo "FAILED: the uninstall entry is left"; failures=$((failures + 1)); }
    [ ! -e "$(as_player winepath -u "$uninstaller" 2>/dev/null)" ] || { echo "FAILED: the uninstaller's copy is left"; failures=$((failures + 1)); }
fi
echo "installed game: $failures failed steps"
[ "$failures" -eq 0 ]
