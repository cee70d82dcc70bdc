#!/usr/bin/env bash
# Copy chart as picture: with a chart open, Ctrl+Shift+C (Editar > Copiar organigrama como imagen)
# puts it on the clipboard, and a separate program reads it back as a word processor would: an
# enhanced metafile first (its frame in 0.01 mm of the screen, rectangles, lines and the box texts
# as text), then PNG, then a 24-bit DIB, each of the chart's own size: its extent and a cell around.
source "$(dirname "$0")/e2e-lib.sh"

TOOLS=$(cd "$(dirname "$E2E_EXE")/tests" && pwd)
cd "$E2E_DIR"
wine "$TOOLS/MakeSampleChart.exe" "$(winepath -w "$E2E_DIR")" | tr -d '\r' >boxes.txt || e2e_fail "no sample chart"
read -r _ left top right bottom < <(grep '^extent' boxes.txt)
width=$((right - left))
height=$((bottom - top))

report() { wine "$TOOLS/ClipboardReport.exe" 2>/dev/null | tr -d '\r' >"$1" || true; }

e2e_start "$(winepath -w "$E2E_DIR/chart.qdrx")"
e2e_main_window "Organigrama$"
e2e_key ctrl+shift+c
report copied.txt
cat copied.txt

formats=$(sed -n 's/^formats //p' copied.txt)
[[ "$formats" == "CF_ENHMETAFILE PNG CF_DIB"* ]] || e2e_fail "formats in the wrong order: $formats"
read -r mmx mmy _ pxx pxy _ < <(sed -n 's/^reference //p' copied.txt)
read -r _ _ right bottom < <(sed -n 's/^frame //p' copied.txt)
# Rounded to the nearest hundredth of a millimetre.
e2e_expect_eq "$(((width * mmx * 100 + pxx / 2) / pxx))" "$right" "frame width in 0.01 mm"
e2e_expect_eq "$(((height * mmy * 100 + pxy / 2) / pxy))" "$bottom" "frame height in 0.01 mm"
read -r _ rectangles _ lines _ texts < <(sed -n 's/^records //p' copied.txt)
[ "$rectangles" -ge 5 ] && [ "$lines" -ge 1 ] && [ "$texts" -ge 3 ] ||
    e2e_fail "metafile records: $rectangles rectangles, $lines lines, $texts texts"
for text in "Dirección General" "Ventas & <Marketing>" "Turned"; do
    grep -qxF "text $text" copied.txt || e2e_fail "the metafile has no text record '$text'"
done
e2e_expect_eq "$width $height" "$(sed -n 's/^png //p' copied.txt)" "PNG size"
read -r dibw dibh bits size < <(sed -n 's/^dib //p' copied.txt)
e2e_expect_eq "$width $height 24" "$dibw $dibh $bits" "DIB size and depth"
[ "$size" -ge $((40 + ((width * 3 + 3) / 4 * 4) * height)) ] || e2e_fail "DIB of $size bytes"
echo "PASS"
