#!/usr/bin/env bash
# Builds Cuadrix.exe and starts it under Wine on your display. Without a display it says so and,
# with --screenshot, runs it in a virtual display and saves a picture of its window instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CUADRIX_BUILD:-$root/build}

"$root/scripts/deps.sh"
cmake -S "$root" -B "$build/win32" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake" >/dev/null
cmake --build "$build/win32" -j "$(nproc)" --target Cuadrix >/dev/null
exe="$build/win32/Cuadrix.exe"
# The program keeps its settings beside itself: run it from a folder of its own.
mkdir -p "$build/program"
cp "$exe" "$build/program/Cuadrix.exe"

# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh" "$build/run-prefix"
if cuadrix_display_works; then
    cuadrix_make_prefix
    exec wine "$build/program/Cuadrix.exe" "$@"
fi

if [ "${1:-}" != "--screenshot" ]; then
    echo "There is no display to show Cuadrix on (DISPLAY is not set or not reachable)."
    echo "Run '$0 --screenshot' to start it in a virtual display and save a picture of its window."
    exit 1
fi
trap cuadrix_wine_stop EXIT
cuadrix_wine_start
wine "$build/program/Cuadrix.exe" &
for _ in $(seq 60); do
    xdotool search --name "Organigrama|Organization chart|Organograma|Organigramme|Organigramm|Organigramma" >/dev/null 2>&1 && break
    sleep 0.5
done
sleep 2
import -window root "$build/screenshot.png"
echo "Saved $build/screenshot.png"
