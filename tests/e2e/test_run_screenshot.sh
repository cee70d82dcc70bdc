#!/usr/bin/env bash
# The README's first command as a new user types it: "scripts/run.sh --screenshot" builds the
# program, starts it with the sample chart in a virtual display of its own, finds the main window
# as it is titled and keeps a picture of it.
set -euo pipefail
exe=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
# run.sh builds in the win32 folder of its build folder: the one these tests were built in.
build=$(cd "$(dirname "$exe")/.." && pwd)
picture="$build/screenshot.png"
rm -f "$picture"
if ! output=$(CUADRIX_BUILD="$build" timeout 500 "$root/scripts/run.sh" --screenshot 2>&1); then
    echo "$output"
    echo "FAIL: scripts/run.sh --screenshot did not succeed"
    exit 1
fi
[ -s "$picture" ] || { echo "$output"; echo "FAIL: no $picture"; exit 1; }
# The main window, not the registration offer nor a message box: the specified client size.
read -r width height <<<"$(identify -format '%w %h' "$picture")"
if [ "$width" -lt 1155 ] || [ "$height" -lt 990 ]; then
    echo "FAIL: the picture is ${width}x${height}, smaller than the main window"
    exit 1
fi
echo "ok"
