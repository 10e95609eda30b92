#!/usr/bin/env bash
# Runs a test program through wine-run in a prefix whose drives cover the
# installer's drive check: D: a CD-ROM, E: removable, F: a network drive,
# G: a second fixed disk, M: left unmapped. The drive types must be in the
# registry before Wine starts, so the prefix is prepared here and handed to
# wine-run as a kept prefix, and removed afterwards.
#   drives-prefix.sh WINE-RUN PROGRAM.exe [ARGS...]
set -euo pipefail
wine_run=$1
shift
template=${KORVALO_WINE_TEMPLATE:-${TMPDIR:-/tmp}/korvalo-wine-template}
"$(dirname "$wine_run")/make-template" "$template"

work=$(mktemp -d "${TMPDIR:-/tmp}/korvalo-install-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp -a "$template" "$work/pfx"
for drive in d e f g; do
    mkdir -p "$work/drive_$drive"
    ln -s "$work/drive_$drive" "$work/pfx/dosdevices/$drive:"
done
cat >> "$work/pfx/system.reg" <<'REG'

[Software\\Wine\\Drives] 1700000000
"d:"="cdrom"
"e:"="floppy"
"f:"="network"
"g:"="hd"
REG

set +e
KORVALO_KEEP_PREFIX=$work TMPDIR=$work KORVALO_SCREEN=${KORVALO_SCREEN:-1024x768} "$wine_run" "$@"
rc=$?
set -e
exit $rc
