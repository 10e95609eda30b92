#!/usr/bin/env bash
# The one driver of both configurations.
#   ./build.sh play   build everything and start the game
#   ./build.sh test   build everything and run every test
# Build trees go under build/ (or $KORVALO_BUILD); nothing is built in the sources.
set -euo pipefail
src=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=${KORVALO_BUILD:-$src/build}
jobs=$(nproc)
export KORVALO_WINE_TEMPLATE=$build/wine-template

configure_and_build() {
  "$src/tools/setup-machine"
  cmake -S "$src" -B "$build/native" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build/native" -j "$jobs"
  cmake -S "$src" -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64-x86_64.cmake" \
    -DKORVALO_NATIVE_DIR="$build/native" >/dev/null
  cmake --build "$build/win" -j "$jobs"
}

run_tests() {
  local log=$build/test-summary.log
  : > "$log"
  local status=0
  for tree in native win; do
    echo "== tests: $tree"
    (cd "$build/$tree" && ctest --output-on-failure -j "$jobs" --timeout 900) 2>&1 | tee -a "$log" || status=1
  done
  # One closing line over both trees.
  awk '/tests passed, [0-9]+ tests failed out of/ {
         for (i = 1; i <= NF; i++) if ($i == "failed") f += $(i-2); 
         for (i = 1; i <= NF; i++) if ($i == "of") t += $(i+1) }
       END { printf "%d passed, %d failed\n", t - f, f }' "$log"
  return $status
}

case "${1:-}" in
  play)
    configure_and_build
    exec "$src/tools/play-game" "$build"
    ;;
  test)
    configure_and_build
    run_tests
    ;;
  *)
    echo "usage: $0 play|test" >&2
    exit 2
    ;;
esac
