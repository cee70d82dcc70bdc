#!/usr/bin/env bash
# Regenerates docs/update-comparison.png: builds a small chart from a list, colours its teams, and
# updates it from next month's list in Cuadrix.exe running in a virtual display, keeping a picture
# of the comparison dialog (and, as docs/update-chart.png, of the chart updated).
# Usage: scripts/comparison-screenshot.sh Cuadrix.exe [OUT-FOLDER]
# CUADRIX_LOGPIXELS=144 with a prefix of its own shows the dialog at 144 DPI.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
out=${2:-$root/docs}
export CUADRIX_TEST_PREFIX=1
unset DISPLAY
# shellcheck source=wine-env.sh
source "$root/scripts/wine-env.sh" "${CUADRIX_PREFIX:-$root/build/wineprefix}"
cuadrix_wine_start
# shellcheck source=../tests/e2e/e2e-lib.sh
source "$root/tests/e2e/e2e-lib.sh" "$exe"
trap 'e2e_finish; cuadrix_wine_stop' EXIT

printf '[General]\r\nIdioma=5\r\n' >"$E2E_DIR/Cuadrix.ini"
python3 - "$E2E_DIR" <<'PY'
import sys
folder = sys.argv[1]
head = "id,name,title,manager\r\n"
before = [("1", "Lucía Navarro", "Managing director", ""),
          ("2", "Pablo Romero", "Finance", "1"), ("3", "Inês Carvalho", "Operations", "1"),
          ("4", "Jürgen Becker", "Technology", "1"),
          ("5", "Marta Castillo", "Accountant", "2"), ("6", "Luis Fontaine", "Treasurer", "2"),
          ("7", "Giulia Ricci", "Plant manager", "3"), ("8", "Henrik Moreau", "Logistics", "3"),
          ("9", "Ana Pereira", "Purchasing", "3"), ("10", "Emily Harrison", "Developer", "4"),
          ("11", "George Sullivan", "Systems", "4"), ("12", "Ana Pereira", "Developer", "4")]
after = [p for p in before if p[0] != "6"]
after = [(i, n, "Head of logistics" if i == "8" else t, "4" if i == "9" else m) for i, n, t, m in after]
after = [(i, "Emily Harrison-Cole" if i == "10" else n, t, m) for i, n, t, m in after]
after += [("13", "Sofia Marino", "Accountant", "2"), ("14", "Daniel Weber", "Developer", "4")]
for name, rows in (("before.csv", before), ("after.csv", after)):
    with open(f"{folder}/{name}", "w", encoding="utf-8-sig", newline="") as f:
        f.write(head + "".join(",".join(r) + "\r\n" for r in rows))
PY
(cd "$E2E_DIR" && wine Cuadrix.exe /build before.csv chart.qdrx) || e2e_fail "the chart was not built"
# Each team gets a colour of its own: its manager's box and those below it.
python3 - "$E2E_DIR/chart.qdrx" <<'PY'
import struct, sys
path = sys.argv[1]
data = bytearray(open(path, "rb").read())
colours = {"Finance": 0xF5DDC6, "Operations": 0xC9EBD5, "Technology": 0xF0D9EC, "director": 0x9BE3FA}
members = {"Marta": "Finance", "Luis": "Finance", "Giulia": "Operations", "Henrik": "Operations",
           "Ana Pereira Purchasing": "Operations", "Emily": "Technology", "George": "Technology",
           "Ana Pereira Developer": "Technology"}
for at in range(0, len(data), 1345):
    text = data[at + 698:at + 698 + 548].decode("utf-16-le").split("\0")[0]
    if not text or struct.unpack_from("<i", data, at + 1301)[0] != 1:  # isBox
        continue
    team = next((t for k, t in members.items() if text.startswith(k)), None)
    team = team or next((t for t in colours if t in text), None)
    if team:
        struct.pack_into("<i", data, at + 20, colours[team])
open(path, "wb").write(bytes(data))
PY
e2e_start chart.qdrx
e2e_main_window "Organization chart"
# Organization chart > Update from list… from the keyboard, which finds it at any DPI.
xdotool windowfocus --sync "$E2E_WINDOW" 2>/dev/null || true
for key in F10 Right Right Right Right Down Down Down Down Return; do e2e_key "$key"; done
dialog=$(e2e_wait_window "^Update from list") || e2e_fail "file dialog did not open"
sleep 1
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
xdotool type --delay 20 "$(winepath -w "$E2E_DIR/after.csv")"
e2e_key Return
columns=$(e2e_wait_window "^Columns of the list$") || e2e_fail "the column dialog did not appear"
xdotool windowfocus --sync "$columns" 2>/dev/null || true
e2e_key Return
comparison=$(e2e_wait_window "^Comparison with the list$") || e2e_fail "the comparison did not appear"
sleep 1
shot="$E2E_DIR/screen.png"
e2e_screenshot "$shot"
eval "$(xdotool getwindowgeometry --shell "$comparison")"
# Wine draws the caption and the frame inside the window in the test prefix.
convert "$shot" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/update-comparison.png"
xdotool windowfocus --sync "$comparison" 2>/dev/null || true
e2e_key Return
sleep 2
e2e_screenshot "$shot"
eval "$(xdotool getwindowgeometry --shell "$E2E_WINDOW")"
convert "$shot" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/update-chart.png"
echo "written: $out/update-comparison.png $out/update-chart.png"
