#!/usr/bin/env bash
# Charts converted from the command line without any window: every picture format written, .bmp
# and .jpg with the table's cut as the menu's exports write them, the others with the chart's own
# extent and a cell around it; each failure with its own exit code and one line on standard error and the
# old target left as it was; and the SVG export rendered by a real browser (headless Chromium)
# showing the chart of the BMP export: the same outlines, fills and pictures, the texts in place.
source "$(dirname "$0")/e2e-lib.sh"

TOOLS=$(cd "$(dirname "$E2E_EXE")/tests" && pwd)
BROWSER=$(command -v chromium || command -v chromium-browser || true)
[ -n "$BROWSER" ] || e2e_fail "no Chromium to render the SVG export (scripts/deps.sh installs it)"
cd "$E2E_DIR"
wine "$TOOLS/MakeSampleChart.exe" "$(winepath -w "$E2E_DIR")" | tr -d '\r' >boxes.txt || e2e_fail "no sample chart"
read -r _ width height < <(grep '^size' boxes.txt)
read -r _ left top right bottom < <(grep '^extent' boxes.txt)
chart_width=$((right - left))
chart_height=$((bottom - top))

# Runs a conversion (relative paths, from the chart's folder); fails if it shows a window or does
# not end by itself. Leaves the exit code in CODE and standard error in ERR.
convert_chart() {
    local known id
    known=$(e2e_visible_windows)
    (timeout 60 wine "$E2E_DIR/Cuadrix.exe" "$@" >stdout.txt 2>stderr.txt) &
    local pid=$!
    while kill -0 $pid 2>/dev/null; do
        id=$(comm -13 <(echo "$known") <(e2e_visible_windows) | head -1)
        [ -z "$id" ] || e2e_fail "a window appeared during '$*': $(xdotool getwindowname "$id")"
        sleep 0.1
    done
    CODE=0
    wait $pid || CODE=$?
    ERR=$(tr -d '\r' <stderr.txt)
}

expect_failure() { # code pattern args...
    local code=$1 pattern=$2
    shift 2
    convert_chart "$@"
    e2e_expect_eq "$code" "$CODE" "exit code of '$*'"
    [ "$(wc -l <stderr.txt)" -eq 1 ] || e2e_fail "'$*' should say one line, said: $ERR"
    grep -q -- "$pattern" <<<"$ERR" || e2e_fail "'$*' said '$ERR', not '$pattern'"
}

for format in bmp jpg png gif tif emf svg; do
    convert_chart /export chart.qdrx "chart.$format"
    e2e_expect_eq 0 "$CODE" "exit code of the $format export ($ERR)"
    [ -z "$ERR" ] || e2e_fail "the $format export said: $ERR"
    [ -s "chart.$format" ] || e2e_fail "no chart.$format"
done
for format in bmp jpg; do
    e2e_expect_eq "$width $height" "$(identify -format '%w %h' "chart.$format")" "size of chart.$format"
done
for format in png tif; do
    e2e_expect_eq "$chart_width $chart_height" "$(identify -format '%w %h' "chart.$format")" "size of chart.$format"
done
# The same pixels, moved by the extent's corner.
e2e_expect_eq "$(e2e_pixel chart.bmp 5 55)" "$(e2e_pixel chart.png $((5 - left)) $((55 - top)))" "a box's fill in the PNG"
e2e_expect_eq "$(e2e_pixel chart.bmp 0 30)" "$(e2e_pixel chart.tif $((0 - left)) $((30 - top)))" \
    "a box's outline in the TIFF"
# The EMF's header: its signature and bounds of the chart's pixels.
e2e_expect_eq " EMF" "$(dd if=chart.emf bs=1 skip=40 count=4 2>/dev/null)" "EMF signature"
read -r emf_right emf_bottom < <(od -An -t d4 -j 16 -N 8 chart.emf)
e2e_expect_eq "$((chart_width - 1)) $((chart_height - 1))" "$emf_right $emf_bottom" "EMF bounds"
grep -q "<svg [^>]*width=\"$chart_width\" height=\"$chart_height\"" chart.svg || e2e_fail "SVG without the chart's size"

# Failures: each its own code, one line naming the file, nothing written or replaced.
echo "an earlier picture" >kept.png
chmod a-w kept.png
expect_failure 1 "/export" /export chart.qdrx
expect_failure 2 "missing.qdrx" /export missing.qdrx out.png
head -c 1000 /dev/urandom >bad.qdrx
expect_failure 3 "bad.qdrx" /export bad.qdrx out.png
expect_failure 4 "out.xyz" /export chart.qdrx out.xyz
expect_failure 5 "kept.png" /export chart.qdrx kept.png
expect_failure 5 "out.svg" /export chart.qdrx 'no such folder\out.svg'
[ ! -e out.png ] && [ ! -e out.xyz ] || e2e_fail "a failed conversion wrote a file"
e2e_expect_eq "an earlier picture" "$(cat kept.png)" "the read-only target"

# A chart built from a list of people and recorded, then converted like any other.
printf 'Ana,Director,\r\nBea,Sales,Ana\r\nCarl,Systems,Ana\r\n' >people.csv
convert_chart /build people.csv built.qdrx
e2e_expect_eq 0 "$CODE" "exit code of the build ($ERR)"
[ $(($(stat -c %s built.qdrx) % 1345)) -eq 0 ] && [ -s built.qdrx ] || e2e_fail "the built chart is no work file"
convert_chart /export built.qdrx built.png
e2e_expect_eq 0 "$CODE" "exit code of the built chart's export ($ERR)"
printf 'Ana,Director,\r\nDan,Systems,Nobody\r\n' >faulty.csv
expect_failure 3 "faulty.csv" /build faulty.csv faulty.qdrx
expect_failure 2 "nobody.csv" /build nobody.csv faulty.qdrx
[ ! -e faulty.qdrx ] || e2e_fail "a refused list recorded a chart"
# The chart never goes over the list, nor into a file that is no work file.
cp people.csv kept.csv
expect_failure 1 "people.csv" /build people.csv people.csv
expect_failure 1 "built.txt" /build people.csv built.txt
cmp -s people.csv kept.csv && [ ! -e built.txt ] || e2e_fail "a refused build wrote over a file"
# Columns by header or number; a list whose manager no column gives ends with 3 saying so.
printf 'Code;Who;Job;Upline;Mentor
7;Ana;Director;;
8;Bea;Sales;7;7
9;Carl;Systems;8;7
' >columns.csv
convert_chart /build columns.csv chosen.qdrx /name:2 /title:Job /manager:mentor
e2e_expect_eq 0 "$CODE" "exit code of the build with columns ($ERR)"
[ -s chosen.qdrx ] || e2e_fail "the build with columns recorded nothing"
printf 'Name,Title
Ana,Director
Bea,Sales
' >nomanager.csv
expect_failure 3 "nomanager.csv" /build nomanager.csv nomanager.qdrx
expect_failure 3 "columns.csv" /build columns.csv chosen.qdrx /manager:Salary
# A person's former position is left aside and counted on standard output.
printf 'Id,Name,Manager,Status\n1,Ana,,Current\n2,Bea,1,\n3,Bea,1,Current\n4,Carl,2,Current\n' >history.csv
convert_chart /build history.csv history.qdrx
e2e_expect_eq 0 "$CODE" "exit code of the build with a former row ($ERR)"
grep -q 1 stdout.txt || e2e_fail "the build did not count the former row: $(cat stdout.txt)"
# A list within the size the program reads whose empty fields alone fill the memory of a 32-bit
# program: the build ends with its own code and one line, and records nothing.
head -c 60000000 /dev/zero | tr '\0' ',' >commas.csv
expect_failure 8 "." /build commas.csv commas.qdrx
[ ! -e commas.qdrx ] || e2e_fail "a list that filled the memory recorded a chart"
rm -f commas.csv

# The browser's picture of the SVG against the PNG export, pixel by pixel, the boxes moved by the
# extent's corner. A fresh profile may
# take some of the window's height for itself: the window is taller and the picture cut from it.
"$BROWSER" --headless --no-sandbox --disable-gpu --no-first-run --disable-extensions --hide-scrollbars \
    --user-data-dir="$E2E_DIR/browser" --run-all-compositor-stages-before-draw --virtual-time-budget=5000 \
    --force-device-scale-factor=1 --window-size="$((chart_width + 200)),$((chart_height + 200))" \
    --screenshot="$E2E_DIR/browser.png" "file://$E2E_DIR/chart.svg" >browser.log 2>&1 ||
    e2e_fail "Chromium did not render the SVG: $(tail -3 browser.log)"
convert browser.png -crop "${chart_width}x${chart_height}+0+0" +repage -depth 8 rgb:browser.rgb
convert chart.png -depth 8 rgb:export.rgb
awk -v dx="$left" -v dy="$top" '$1 == "box" { print $1, $2 - dx, $3 - dy, $4 - dx, $5 - dy, $6; next } { print }' \
    boxes.txt >moved-boxes.txt
python3 "$E2E_LIB_DIR/compare_pictures.py" browser.rgb export.rgb "$chart_width" "$chart_height" moved-boxes.txt ||
    e2e_fail "the browser shows another chart than the PNG export"
echo "PASS"
