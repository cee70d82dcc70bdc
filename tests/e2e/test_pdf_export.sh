#!/usr/bin/env bash
# Charts and chart books exported to PDF from the command line and read by two independent
# readers, qpdf and poppler: the file's structure, every font embedded, one page per chart page,
# the outline named as the pages, every reference box a link to the page its mark names, every
# person's name in the extracted text, texts of every plane and of PDF's own delimiters given back
# as written, and a page rendered at the chart's own size showing the bitmap export's outlines,
# fills and pictures pixel for pixel. Failures have the exit codes of the other exports and
# leave the target as it was.
source "$(dirname "$0")/e2e-lib.sh"

TOOLS=$(cd "$(dirname "$E2E_EXE")/tests" && pwd)
DATA=$(cd "$(dirname "$0")/../data/peer-lists" && pwd)
for reader in qpdf pdfinfo pdffonts pdftotext pdftoppm; do
    command -v $reader >/dev/null || e2e_fail "no $reader (scripts/deps.sh installs qpdf and poppler-utils)"
done
cd "$E2E_DIR"
wine "$TOOLS/MakeSampleChart.exe" "$(winepath -w "$E2E_DIR")" | tr -d '\r' >boxes.txt || e2e_fail "no sample chart"
read -r _ left top right bottom < <(grep '^extent' boxes.txt)
chart_width=$((right - left))
chart_height=$((bottom - top))

convert_chart() { # args...: leaves the exit code in CODE and standard error in ERR
    CODE=0
    timeout 120 wine "$E2E_DIR/Cuadrix.exe" "$@" >stdout.txt 2>stderr.txt || CODE=$?
    ERR=$(tr -d '\r' <stderr.txt)
}

# Structure and fonts, by both readers.
check_pdf() { # file pages
    qpdf --check "$1" >qpdf.txt 2>&1 || e2e_fail "qpdf finds faults in $1: $(tail -3 qpdf.txt)"
    grep -q "No syntax or stream encoding errors" qpdf.txt || e2e_fail "qpdf: $(cat qpdf.txt)"
    e2e_expect_eq "$2" "$(pdfinfo "$1" | awk '/^Pages:/ {print $2}')" "pages of $1"
    pdffonts "$1" | tail -n +3 >fonts.txt
    [ -s fonts.txt ] || e2e_fail "$1 shows no font"
    awk '$(NF-4) != "yes" || $(NF-2) != "yes" { exit 1 }' fonts.txt ||
        e2e_fail "a font of $1 is not embedded with its ToUnicode map: $(cat fonts.txt)"
}

# The sample chart on a sheet of its own size, against the PNG export of the same extent.
compare_with_png() {
    convert_chart /export chart.qdrx chart.png
    e2e_expect_eq 0 "$CODE" "exit code of the PNG export ($ERR)"
    convert_chart /export chart.qdrx own.pdf /paper:chart
    e2e_expect_eq 0 "$CODE" "exit code of the PDF export ($ERR)"
    [ -z "$ERR" ] || e2e_fail "the PDF export said: $ERR"
    pdftoppm -r 96 -aa no -aaVector no -png own.pdf page
    e2e_expect_eq "$chart_width $chart_height" "$(identify -format '%w %h' page-1.png)" "size of the rendered page"
    convert page-1.png -depth 8 rgb:page.rgb
    convert chart.png -depth 8 rgb:export.rgb
    python3 "$E2E_LIB_DIR/compare_pictures.py" page.rgb export.rgb "$chart_width" "$chart_height" moved-boxes.txt ||
        e2e_fail "the PDF shows another chart than the PNG export $*"
}
awk -v dx="$left" -v dy="$top" '$1 == "box" { print $1, $2 - dx, $3 - dy, $4 - dx, $5 - dy, $6; next } { print }' \
    boxes.txt >moved-boxes.txt
compare_with_png
check_pdf own.pdf 1
e2e_expect_eq "chart" "$(pdfinfo own.pdf | sed -n 's/^Title: *//p')" "title"
pdfinfo own.pdf | grep -q '^Creator: *Cuadrix [0-9]' || e2e_fail "creator: $(pdfinfo own.pdf | grep Creator)"
# A picture that cannot be read shows its hatched placeholder, in the PDF as in the PNG.
rm picture.png
compare_with_png "(picture unread)"
# A JPEG picture goes in as the file itself, at its own resolution (the reader finds the file by its
# content, whatever its name).
convert -size 160x90 gradient:red-blue -quality 85 jpg:picture.png
convert_chart /export chart.qdrx own.pdf /paper:chart
e2e_expect_eq 0 "$CODE" "exit code of the export with a JPEG picture ($ERR)"
pdfimages -list own.pdf | awk '$3 == "image" && $4 == 160 && $5 == 90 && $9 == "jpeg" { found = 1 } END { exit !found }' ||
    e2e_fail "the JPEG picture is not embedded as it is: $(pdfimages -list own.pdf)"

# Texts of every plane, with PDF's and XML's delimiters, built into a chart and given back.
printf '%s\n' 'Name,Title,Manager' 'Ana (Núñez) <\\> #%,Dirección,' 'Zoë Ωμέγα Жанна,Ventas,Ana (Núñez) <\\> #%' \
    '中文 名字 😀,研究,Ana (Núñez) <\\> #%' 'Łukasz [Żółw] {x},Sistemas,Ana (Núñez) <\\> #%' >hostile.csv
convert_chart /build hostile.csv hostile.qdrx
e2e_expect_eq 0 "$CODE" "exit code of the hostile build ($ERR)"
convert_chart /export hostile.qdrx hostile.pdf /paper:A4
e2e_expect_eq 0 "$CODE" "exit code of the hostile export ($ERR)"
check_pdf hostile.pdf 1
pdftotext -enc UTF-8 -raw hostile.pdf hostile.txt
for name in 'Ana (Núñez) <\\> #%' 'Zoë Ωμέγα Жанна' '中文 名字 😀' 'Łukasz [Żółw] {x}'; do
    grep -qF -- "$name" hostile.txt || e2e_fail "'$name' is not in the extracted text: $(cat hostile.txt)"
done

# A book of many pages: one PDF page each, the outline, the links and every name.
convert_chart /build "$(winepath -w "$DATA/d3-org-chart-sample.csv")" book.qdrb
e2e_expect_eq 0 "$CODE" "exit code of the book's build ($ERR)"
pages=$(unzip -Z1 book.qdrb | grep -c '\.qdrx$')
[ "$pages" -gt 2 ] || e2e_fail "the book has $pages pages"
convert_chart /export book.qdrb book.pdf
e2e_expect_eq 0 "$CODE" "exit code of the book's export ($ERR)"
check_pdf book.pdf "$pages"
pdftotext -enc UTF-8 -raw book.pdf book.txt
python3 - "$DATA/d3-org-chart-sample.csv" book.txt <<'EOF' || e2e_fail "names missing from the book's text"
import csv, sys
names = {row["name"].strip() for row in csv.DictReader(open(sys.argv[1], encoding="utf-8"))}
text = open(sys.argv[2], encoding="utf-8").read()
missing = [n for n in names if n and n not in text]
print(f"{len(names) - len(missing)} of {len(names)} names found")
sys.exit(1 if missing else 0)
EOF
# The outline names the pages as the book's entries do; each link leads to the page the mark in
# its box names.
qpdf --json book.pdf >book.json
unzip -Z1 book.qdrb | grep '\.qdrx$' >entries.txt
python3 - book.json entries.txt book.pdf <<'EOF' || e2e_fail "outline or links do not lead where they should"
import json, re, subprocess, sys
doc = json.load(open(sys.argv[1]))
pages = [p["object"] for p in doc["pages"]]
objects = doc["objects"] if "objects" in doc else {k[4:]: v.get("value", v) for k, v in doc["qpdf"][1].items()}
def obj(ref):
    o = objects.get(ref) or objects.get("obj:" + ref)
    return o.get("value", o) if isinstance(o, dict) and "value" in o else o
names = [re.sub(r"^\d+ (.*)\.qdrx$", r"\1", line.strip()) for line in open(sys.argv[2], encoding="utf-8")]
titles = [o["title"] for o in doc["outlines"]]
assert titles == names, (titles[:5], names[:5])
assert [pages.index(o["dest"][0]) for o in doc["outlines"]] == list(range(len(pages)))
links = 0
for index, ref in enumerate(pages):
    page = obj(ref)
    height = float(obj(ref)["/MediaBox"][3])
    for annot in page.get("/Annots", []):
        a = obj(annot)
        x0, y0, x1, y1 = (float(v) for v in a["/Rect"])
        target = pages.index(a["/Dest"][0])
        if links < 40:
            shown = subprocess.run(["pdftotext", "-enc", "UTF-8", "-f", str(index + 1), "-l", str(index + 1),
                                    "-x", str(int(x0)), "-y", str(int(height - y1)), "-W", str(int(x1 - x0) + 1),
                                    "-H", str(int(y1 - y0) + 1), sys.argv[3], "-"], capture_output=True,
                                   text=True).stdout
            marks = re.findall(r"[►◄]\s*(\d+)", shown)
            assert str(target + 1) in marks, (index, shown, target)
        links += 1
print(f"{len(titles)} outline entries, {links} links")
assert links > 0
EOF
# A range of pages, and a sheet of Letter turned to the chart.
convert_chart /export book.qdrb part.pdf /pages:2-3 /paper:letter
e2e_expect_eq 0 "$CODE" "exit code of the range's export ($ERR)"
check_pdf part.pdf 2
pdfinfo part.pdf | grep -Eq '^Page size: *(612 x 792|792 x 612) pts' || e2e_fail "not Letter: $(pdfinfo part.pdf)"

# Failures: each its own code, one line, nothing written or replaced.
echo "an earlier document" >kept.pdf
chmod a-w kept.pdf
for failure in "1 A5 /export chart.qdrx out.pdf /paper:A5" "1 900-999 /export book.qdrb out.pdf /pages:900-999" \
    "1 /export /export chart.qdrx out.png /paper:A4" "5 kept.pdf /export chart.qdrx kept.pdf"; do
    read -r code pattern args <<<"$failure"
    # shellcheck disable=SC2086
    convert_chart $args
    e2e_expect_eq "$code" "$CODE" "exit code of '$args'"
    grep -q -- "$pattern" <<<"$ERR" || e2e_fail "'$args' said '$ERR', not '$pattern'"
done
[ ! -e out.pdf ] && [ ! -e out.png ] || e2e_fail "a failed export wrote a file"
e2e_expect_eq "an earlier document" "$(cat kept.pdf)" "the read-only target"
echo "PASS"
