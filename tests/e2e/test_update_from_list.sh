#!/usr/bin/env bash
# "/update" from the command line: a styled chart updated in place from next month's list keeps
# the look of a box whose person stays; "/compare" writes only the comparison; a faulty list, a
# missing one, a chart that cannot be read and wrong arguments end with the codes of "/build",
# nothing written.
source "$(dirname "$0")/e2e-lib.sh"
cd "$E2E_DIR"

printf 'id,name,title,manager\r\nE1,Ana Roca,Director,\r\nE2,Jon Vidal,Sales,E1\r\nE3,Eva Soler,Clerk,E2\r\n' >before.csv
printf 'id,name,title,manager\r\nE1,Ana Roca,Director,\r\nE2,Jon Vidal,Head of sales,E1\r\nE4,Pau Roca,Clerk,E2\r\n' >after.csv
printf 'id,name,title,manager\r\nE1,Ana Roca,Director,\r\nE2,Jon Vidal,Sales,E9\r\n' >faulty.csv
head -c 2690 /dev/urandom >broken.qdrx

run() { # expected-code args...
    local expected=$1 code=0
    shift
    timeout 60 wine "$E2E_DIR/Cuadrix.exe" "$@" >/dev/null 2>stderr.txt || code=$?
    e2e_expect_eq "$expected" "$code" "exit code of '$*' ($(tr -d '\r' <stderr.txt))"
}

# The fill of the box whose text starts with the given text.
fill_of() { # chart text
    python3 - "$1" "$2" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
for at in range(0, len(data), 1345):
    text = data[at + 698:at + 1246].decode("utf-16-le").split("\0")[0]
    if text.startswith(sys.argv[2]) and struct.unpack_from("<i", data, at + 1301)[0] == 1:
        print("%06x" % struct.unpack_from("<i", data, at + 20)[0])
PY
}

run 0 /build before.csv chart.qdrx
python3 - chart.qdrx <<'PY'
import struct, sys
data = bytearray(open(sys.argv[1], "rb").read())
for at in range(0, len(data), 1345):
    if data[at + 698:at + 1246].decode("utf-16-le").startswith("Jon Vidal"):
        struct.pack_into("<i", data, at + 20, 0x3366CC)
open(sys.argv[1], "wb").write(bytes(data))
PY
before=$(md5sum <chart.qdrx)

run 3 /update chart.qdrx faulty.csv /report:faulty-report.csv
run 2 /update chart.qdrx missing.csv /report:missing-report.csv
run 3 /update broken.qdrx after.csv out.qdrx
run 1 /update chart.qdrx
run 1 /update chart.qdrx after.csv /compare
[ ! -e faulty-report.csv ] && [ ! -e missing-report.csv ] && [ ! -e out.qdrx ] || e2e_fail "a refused update wrote a file"
e2e_expect_eq "$before" "$(md5sum <chart.qdrx)" "the chart after refused updates"

run 0 /update chart.qdrx after.csv /compare /report:compare.csv
e2e_expect_eq "$before" "$(md5sum <chart.qdrx)" "the chart after /compare"
grep -q '^Baja,E3,Eva Soler' compare.csv || e2e_fail "the comparison does not list who left: $(cat compare.csv)"

run 0 /update chart.qdrx after.csv /report:changes.csv
cmp -s compare.csv changes.csv || e2e_fail "the update's comparison differs from /compare's"
e2e_expect_eq "3366cc" "$(fill_of chart.qdrx 'Jon Vidal Head of sales')" "the look of a box whose person stays"
[ -z "$(fill_of chart.qdrx 'Eva Soler')" ] || e2e_fail "a person who left is still shown"
[ -n "$(fill_of chart.qdrx 'Pau Roca')" ] || e2e_fail "a person who joined is not shown"
ls chart.qdrx.~* >/dev/null 2>&1 && e2e_fail "a temporary file was left beside the chart"
echo "PASS"
