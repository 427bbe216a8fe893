#!/usr/bin/env bash
# zelvane-cli gamma / bricon / stats / histogram on fixtures made here.
set -u
. "$(dirname "${BASH_SOURCE[0]}")/cli_prelude.sh"

ppm "$dir/grey64.ppm" 2 1 64 64 64 0 128 255

check "gamma 2" 0 "$cli" gamma "$dir/grey64.ppm" "$dir/g2.ppm" --gamma 2
[ "$(pixels "$dir/g2.ppm" 6)" = "128 128 128 0 181 255" ] || fail "gamma 2 values: $(pixels "$dir/g2.ppm" 6)"
check "gamma 2.34" 0 "$cli" gamma "$dir/grey64.ppm" "$dir/g234.ppm" --gamma 2.34
check "gamma 2.3" 0 "$cli" gamma "$dir/grey64.ppm" "$dir/g23.ppm" --gamma 2.3
cmp -s "$dir/g234.ppm" "$dir/g23.ppm" || fail "a typed gamma is not reduced to the nearest tenth"
check "gamma out of range" 2 "$cli" gamma "$dir/grey64.ppm" "$dir/x.ppm" --gamma 11
check "gamma missing input" 1 "$cli" gamma "$dir/none.ppm" "$dir/x.ppm"
check "gamma on fits" 0 "$cli" gamma "$dir/stars.fits" "$dir/stars-g.fits" --gamma 1
check "info of the result" 0 "$cli" info "$dir/stars-g.fits"
python3 -c "import json,sys; d=json.load(open('$dir/out')); sys.exit(0 if d['dataMin']==0 else 1)" ||
    fail "gamma does not stretch a grey image to 0"

check "bricon neutral" 0 "$cli" bricon "$dir/grey64.ppm" "$dir/b0.ppm"
[ "$(pixels "$dir/b0.ppm" 6)" = "64 64 64 0 128 255" ] || fail "bricon 0/0 changed colour values"
check "bricon" 0 "$cli" bricon "$dir/grey64.ppm" "$dir/b1.ppm" --brightness 10 --contrast -100
# k = 0: every value becomes Round(mean) + Round(25.5); the mean is 575 / 6.
[ "$(pixels "$dir/b1.ppm" 6)" = "122 122 122 122 122 122" ] || fail "bricon values: $(pixels "$dir/b1.ppm" 6)"
check "bricon out of range" 2 "$cli" bricon "$dir/grey64.ppm" "$dir/x.ppm" --contrast 101

check "stats" 0 "$cli" stats "$dir/grey64.ppm" "$dir/stars.fits" --xlsx "$dir/book.xlsx"
python3 - "$dir/out" <<'PY' || fail "stats CSV"
import sys
data = open(sys.argv[1], "rb").read().decode()
lines = data.split("\r\n")
assert lines[-1] == "" and len(lines) == 5, lines
assert [l.split(",")[:2] for l in lines[:3]] == [["grey64.ppm", c] for c in "RGB"], lines
assert lines[0] == "grey64.ppm,R,2 x 1,24,0.000,64.000,32.000,32.000", lines[0]
assert lines[3].startswith("stars.fits,*,640 x 480,16,"), lines[3]
assert "\n" not in data.replace("\r\n", "")
PY
# Debian's interpreter carries python3-openpyxl; a pyenv one in PATH may not.
xlsx_python=/usr/bin/python3
[ -x "$xlsx_python" ] || xlsx_python=python3
"$xlsx_python" - "$dir/book.xlsx" <<'PY' || fail "statistics workbook"
import sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1])
assert book.sheetnames == ["Zelvane Image Statistics"], book.sheetnames
sheet = book["Zelvane Image Statistics"]
headers = [sheet.cell(1, c).value for c in range(1, 9)]
assert headers == ["Image", "Channel", "Size", "BPP", "Minimum", "Maximum", "Mean", "Std. Dev."], headers
assert all(sheet.cell(1, c).font.b for c in range(1, 10)), "A1:I1 not bold"
assert not sheet.cell(2, 1).font.b
def width(column):  # a dimension may cover a range of columns
    for d in sheet.column_dimensions.values():
        if d.min <= column <= d.max:
            return d.width
assert abs(width(1) - 30) < 1
assert all(abs(width(c) - 12) < 1 for c in range(2, 9)), [width(c) for c in range(1, 10)]
assert sheet.cell(2, 1).value == "grey64.ppm" and sheet.cell(2, 6).value == "64.000"
assert sheet.cell(5, 2).value == "*" and sheet.max_row == 5
PY
check "stats without files" 2 "$cli" stats
check "stats with a missing file" 1 "$cli" stats "$dir/none.fits" "$dir/grey64.ppm"

check "histogram colour" 0 "$cli" histogram "$dir/grey64.ppm"
python3 - "$dir/out" <<'PY' || fail "colour histogram"
import sys
rows = [l.split(",") for l in open(sys.argv[1]).read().splitlines()]
assert len(rows) == 256 and all(len(r) == 4 for r in rows)
assert rows[64] == ["64", "1", "1", "1"] and rows[0] == ["0", "1", "0", "0"], (rows[0], rows[64])
assert rows[128] == ["128", "0", "1", "0"] and rows[255] == ["255", "0", "0", "1"]
PY
check "histogram grey" 0 "$cli" histogram "$dir/stars.fits"
python3 - "$dir/out" <<'PY' || fail "grey histogram"
import sys
rows = [l.split(",") for l in open(sys.argv[1]).read().splitlines()]
assert len(rows) == 256 and all(len(r) == 2 for r in rows)
assert sum(int(r[1]) for r in rows) == 640 * 480 and int(rows[255][1]) >= 1
PY
check "histogram of two files" 2 "$cli" histogram "$dir/grey64.ppm" "$dir/stars.fits"

[ "$failures" = 0 ] && echo "all passed"
exit "$failures"
