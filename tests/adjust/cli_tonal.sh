#!/usr/bin/env bash
# zelvane-cli levels / curves / hsl on fixtures made here.
set -u
. "$(dirname "${BASH_SOURCE[0]}")/cli_prelude.sh"

expect() { # description, file, expected bytes of the last pixels
    local got
    got="$(pixels "$2" $(echo "$3" | wc -w))"
    [ "$got" = "$3" ] || fail "$1: $got, wanted $3"
}

ppm "$dir/c.ppm" 3 1 64 10 20 200 0 0 255 0 0

check "levels red" 0 "$cli" levels "$dir/c.ppm" "$dir/l1.ppm" --in-max 127 --channel red
expect "levels red" "$dir/l1.ppm" "129 10 20 255 0 0 255 0 0"
check "levels unlimited" 0 "$cli" levels "$dir/c.ppm" "$dir/l2.ppm" --in-min 100 --in-max 200 --out-min 50 --out-max 150
expect "levels unlimited" "$dir/l2.ppm" "14 0 0 150 0 0 205 0 0"
check "levels as opened" 0 "$cli" levels "$dir/c.ppm" "$dir/l3.ppm"
cmp -s "$dir/c.ppm" "$dir/l3.ppm" || fail "levels at its opening values changed the image"
check "levels equal limits" 0 "$cli" levels "$dir/c.ppm" "$dir/l4.ppm" --out-min 9 --out-max 9
cmp -s "$dir/c.ppm" "$dir/l4.ppm" || fail "levels with equal limits changed the image"
check "levels out of range" 2 "$cli" levels "$dir/c.ppm" "$dir/x.ppm" --in-max 256
check "levels bad channel" 2 "$cli" levels "$dir/c.ppm" "$dir/x.ppm" --channel alpha
check "levels grey" 0 "$cli" levels "$dir/stars.fits" "$dir/l.fits" --out-min 2000 --out-max 3000
check "info of levels" 0 "$cli" info "$dir/l.fits"
python3 -c "import json,sys; d=json.load(open('$dir/out')); sys.exit(0 if d['dataMin']>=2000 and d['dataMax']<=3000 else 1)" ||
    fail "grey levels left the output range: $(cat "$dir/out")"

check "curves default" 0 "$cli" curves "$dir/c.ppm" "$dir/k0.ppm"
cmp -s "$dir/c.ppm" "$dir/k0.ppm" || fail "the default curve changed the image"
check "curves grey default" 0 "$cli" curves "$dir/stars.fits" "$dir/k0.fits"
check "info of the grey curve" 0 "$cli" info "$dir/k0.fits"
cp "$dir/out" "$dir/k0.json"
check "info of the sample" 0 "$cli" info "$dir/stars.fits"
python3 -c "import json,sys; a=json.load(open('$dir/out')); b=json.load(open('$dir/k0.json')); sys.exit(0 if (a['dataMin'],a['dataMax'])==(b['dataMin'],b['dataMax']) else 1)" ||
    fail "the default curve changed a grey image's range"
check "curves half" 0 "$cli" curves "$dir/c.ppm" "$dir/k1.ppm" --rgb 0:255,255:128
expect "curves half" "$dir/k1.ppm" "32 5 10 100 0 0 127 0 0"
check "curves blue only" 0 "$cli" curves "$dir/c.ppm" "$dir/k2.ppm" --channel blue --blue 0:0,255:255 --rgb 0:0,255:0
expect "curves blue only" "$dir/k2.ppm" "64 10 235 200 0 255 255 0 255"
check "curves bad point" 2 "$cli" curves "$dir/c.ppm" "$dir/x.ppm" --rgb 0:255,256:0
check "curves one point" 2 "$cli" curves "$dir/c.ppm" "$dir/x.ppm" --red 0:255
many="$(python3 -c "print(','.join('%d:%d' % (i % 256, i % 7) for i in range(257)))")"
check "curves 257 points" 2 "$cli" curves "$dir/c.ppm" "$dir/x.ppm" --rgb "$many"

check "hsl hue" 0 "$cli" hsl "$dir/c.ppm" "$dir/h1.ppm" --hue 120
expect "hsl hue" "$dir/h1.ppm" "0 255 0"
check "hsl desaturate" 0 "$cli" hsl "$dir/c.ppm" "$dir/h2.ppm" --saturation -100
expect "hsl desaturate" "$dir/h2.ppm" "100 100 100 128 128 128"
check "hsl neutral" 0 "$cli" hsl "$dir/c.ppm" "$dir/h3.ppm"
cmp -s "$dir/c.ppm" "$dir/h3.ppm" || fail "hsl at 0 changed the image"
check "hsl lightness" 0 "$cli" hsl "$dir/c.ppm" "$dir/h4.ppm" --lightness 100
expect "hsl lightness" "$dir/h4.ppm" "255 255 255"
check "hsl out of range" 2 "$cli" hsl "$dir/c.ppm" "$dir/x.ppm" --hue 181
check "hsl on grey" 1 "$cli" hsl "$dir/stars.fits" "$dir/x.fits"

[ "$failures" = 0 ] && echo "all passed"
exit "$failures"
