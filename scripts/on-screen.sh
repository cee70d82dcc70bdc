#!/usr/bin/env bash
# Runs a Windows program under Wine on a screen of its own: a virtual display of the given size and
# a prefix made at the given resolution (WINEPREFIX-dpiN beside the usual test prefix), both ended
# afterwards. Usage: scripts/on-screen.sh DPI WIDTHxHEIGHT PROGRAM.exe|SCRIPT.sh [ARGUMENTS...]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dpi=$1 screen=$2
shift 2
export CUADRIX_LOGPIXELS=$dpi CUADRIX_SCREEN=$screen CUADRIX_TEST_PREFIX=1
unset DISPLAY
# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh" "${WINEPREFIX:-$root/build/wineprefix}-dpi$dpi"
trap cuadrix_wine_stop EXIT
cuadrix_wine_start || exit 1
case $1 in
*.sh) bash "$@" ;;
*) wine "$@" ;;
esac
