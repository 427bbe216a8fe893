#!/usr/bin/env bash
# zelvane-cli info / convert / display on fixtures made here; exit codes and outputs.
set -u
cli="$1"
make_sample="$2"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
failures=0
check() { # description, expected exit code, command...
    local what="$1" want="$2"
    shift 2
    "$@" >"$dir/out" 2>"$dir/err"
    local got=$?
    if [ "$got" != "$want" ]; then
        echo "FAIL: $what: exit $got, wanted $want"; cat "$dir/err"; failures=$((failures + 1))
    fi
}
expect() { # description, python condition on data (parsed JSON of $dir/out)
    if ! python3 -c "import json,sys; data=json.load(open('$dir/out')); sys.exit(0 if ($2) else 1)"; then
        echo "FAIL: $1"; cat "$dir/out"; failures=$((failures + 1))
    fi
}

"$make_sample" "$dir/stars.fits" || { echo "FAIL: sample"; exit 1; }

check "help" 0 "$cli" --help
check "command help" 0 "$cli" convert --help
grep -q "usage: zelvane-cli convert" "$dir/out" || { echo "FAIL: convert --help text"; failures=$((failures + 1)); }
check "no command" 2 "$cli"
check "unknown command" 2 "$cli" frobnicate
check "missing file argument" 2 "$cli" info
check "bad option" 2 "$cli" convert "$dir/stars.fits" "$dir/x.tif" --quality abc
check "quality out of range" 2 "$cli" convert "$dir/stars.fits" "$dir/x.jpg" --quality 0

check "info fits" 0 "$cli" info "$dir/stars.fits"
expect "info fields" "data['format']=='FITS' and data['kind']=='Grey16' and data['width']==640 and data['height']==480 and data['highPrecisionGrey'] and data['bitsPerPixel']==16 and data['dataMax']>data['dataMin'] and data['fitsHeader'][0].startswith('SIMPLE  =') and data['fitsHeader'][-1].startswith('END')"

check "fits to tiff" 0 "$cli" convert "$dir/stars.fits" "$dir/stars.tif"
check "info tiff" 0 "$cli" info "$dir/stars.tif"
expect "tiff kind" "data['format']==18 and data['kind']=='Grey16' and 'fitsHeader' not in data"
check "tiff back to fits" 0 "$cli" convert "$dir/stars.tif" "$dir/again.fits"
check "info again" 0 "$cli" info "$dir/again.fits"
expect "same range after round trip" "data['width']==640 and data['kind']=='Grey16'"

check "grey to png" 0 "$cli" display "$dir/stars.fits" "$dir/shown.png" --low 1000 --high 3000
check "info png" 0 "$cli" info "$dir/shown.png"
expect "display png is 24-bit" "data['bitsPerPixel']==24 and data['width']==640"
check "colour to jpeg" 0 "$cli" convert "$dir/shown.png" "$dir/shown.jpg" --quality 80
check "info jpeg" 0 "$cli" info "$dir/shown.jpg"
expect "jpeg" "data['format']==2 and data['kind']=='RGB24'"

# A kind the format cannot hold: a message, exit 1, no file.
check "rgb to fits refused" 1 "$cli" convert "$dir/shown.png" "$dir/colour.fits"
[ -e "$dir/colour.fits" ] && { echo "FAIL: colour.fits written"; failures=$((failures + 1)); }
[ -s "$dir/err" ] || { echo "FAIL: no message for refused FITS"; failures=$((failures + 1)); }
check "no writer for pgm" 1 "$cli" convert "$dir/stars.fits" "$dir/out.pgm"
[ -e "$dir/out.pgm" ] && { echo "FAIL: out.pgm written"; failures=$((failures + 1)); }
# A failed save leaves an existing file alone: PNG cannot hold float samples.
python3 - "$dir/float.fits" <<'PY'
import struct, sys
cards = ["SIMPLE  = %20s" % "T", "BITPIX  = %20d" % -32, "NAXIS   = %20d" % 2,
         "NAXIS1  = %20d" % 3, "NAXIS2  = %20d" % 2, "END"]
header = "".join(c.ljust(80) for c in cards).ljust(2880).encode()
data = struct.pack(">6f", 0.5, -1.0, 2.25, 3.0, 4.0, 1e6).ljust(2880, b"\0")
open(sys.argv[1], "wb").write(header + data)
PY
check "info float" 0 "$cli" info "$dir/float.fits"
expect "float kind" "data['kind']=='GreyFloat' and data['dataMin']==0 and data['dataMax']==1e6"
echo "keep me" > "$dir/keep.png"
check "float grey to png refused" 1 "$cli" convert "$dir/float.fits" "$dir/keep.png"
[ "$(cat "$dir/keep.png")" = "keep me" ] || { echo "FAIL: keep.png replaced"; failures=$((failures + 1)); }
check "missing input" 1 "$cli" info "$dir/none.png"
printf 'SIMPLE  =                    T' > "$dir/trunc.fits"
check "truncated fits" 1 "$cli" info "$dir/trunc.fits"
ls -a "$dir" | grep -q '^\.' && ls -a "$dir" | grep -v '^\.\.\?$' | grep -q '^\.' && { echo "FAIL: temporary file left"; failures=$((failures + 1)); }

if [ "$failures" -eq 0 ]; then echo "cli: all passed"; exit 0; fi
echo "cli: $failures failed"; exit 1
