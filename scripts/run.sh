#!/usr/bin/env bash
# Builds Cuadrix.exe and starts it under Wine on your display, with the chart given as a Linux path
# if there is one. Without a display it says so and, with --screenshot, runs it in a virtual
# display with a chart (the sample chart unless one is given) and saves a picture of its window.
# Usage: scripts/run.sh [CHART]   or   scripts/run.sh --screenshot [CHART]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${CUADRIX_BUILD:-$root/build}
screenshot=0
if [ "${1:-}" = "--screenshot" ]; then
    screenshot=1
    shift
fi
chart=${1:-}
if [ -n "$chart" ] && [ ! -f "$chart" ]; then
    echo "There is no chart file '$chart'."
    exit 1
fi

"$root/scripts/deps.sh"
# A build folder configured before keeps its own build type (the tests' build among them).
build_type=()
[ -f "$build/win32/CMakeCache.txt" ] || build_type=(-DCMAKE_BUILD_TYPE=Release)
cmake -S "$root" -B "$build/win32" "${build_type[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake" >/dev/null
cmake --build "$build/win32" -j "$(nproc)" --target Cuadrix >/dev/null
exe="$build/win32/Cuadrix.exe"
# The program keeps its settings beside itself: run it from a folder of its own.
mkdir -p "$build/program"
cp "$exe" "$build/program/Cuadrix.exe"

# The program reads the chart named on its command line as a Windows path.
windows_path() { winepath -w "$(realpath "$1")" 2>/dev/null; }

# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh" "$build/run-prefix"
if [ "$screenshot" = 0 ] && cuadrix_display_works; then
    cuadrix_make_prefix
    if [ -n "$chart" ]; then
        exec wine "$build/program/Cuadrix.exe" "$(windows_path "$chart")"
    fi
    exec wine "$build/program/Cuadrix.exe"
fi

if [ "$screenshot" = 0 ]; then
    echo "There is no display to show Cuadrix on (DISPLAY is not set or not reachable)."
    echo "Run '$0 --screenshot' to start it in a virtual display and save a picture of its window."
    exit 1
fi
# A display and a prefix of our own (kept for the next picture, never used for work), in which Wine
# draws the caption and the menus itself; nothing else shows in the picture.
unset DISPLAY
export CUADRIX_TEST_PREFIX=1
source "$root/scripts/wine-env.sh" "$build/screenshot-prefix"
trap cuadrix_wine_stop EXIT
cuadrix_wine_start
chart=${chart:-$root/samples/Organigrama.qdrx}
wine "$build/program/Cuadrix.exe" "$(windows_path "$chart")" &
window=""
for _ in $(seq 120); do
    # The offer to register work files is declined: this prefix only takes pictures.
    if offer=$(xdotool search --onlyvisible --name '^\.\.\.$' 2>/dev/null | head -1) && [ -n "$offer" ]; then
        xdotool windowfocus --sync "$offer" key n 2>/dev/null || true
    fi
    # Titled by the chart table's title in the stored language, after the chart's name once a chart
    # is open ("Organigrama.qdrx - Organigrama").
    window=$(xdotool search --onlyvisible --name "^(.* - )?(Organigrama|Organization chart|Organograma|Organigramme|Organigramm|Organigramma)$" 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
    sleep 0.5
done
[ -n "$window" ] || { echo "The main window did not appear."; exit 1; }
sleep 3
xdotool mousemove 0 0
import -window root "$build/screen.png"
eval "$(xdotool getwindowgeometry --shell "$window")"
convert "$build/screen.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$build/screenshot.png"
rm -f "$build/screen.png"
echo "Saved $build/screenshot.png"
