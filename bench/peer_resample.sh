#!/usr/bin/env bash
# Whole-command timings of `zelvane-cli resize` next to ImageMagick and Pillow (float mode) on the
# same data, in one run: a 2048 x 2048 16-bit grey image enlarged to 4096 x 4096 and a
# 4096 x 4096 48-bit colour image reduced to 50 %, for each method, on one core and on all.
#
# usage: bench/peer_resample.sh [BUILD_DIR]     (BUILD_DIR holds zelvane-cli; default: build)
# env:   RUNS (default 3), CORES (default "1 all"), METHODS (default: all six)
# Needs: imagemagick, python3 with numpy and PIL (Debian python3-numpy, python3-pil);
#        hyperfine when installed, otherwise a loop over `date +%s%N`.
set -euo pipefail

build="${1:-build}"
cli="$(realpath "$build/zelvane-cli")"
runs="${RUNS:-3}"
cores="${CORES:-1 all}"
methods="${METHODS:-nearest bilinear bicubic mitchell lagrange bspline}"
py=/usr/bin/python3
[ -x "$py" ] || py="$(command -v python3)"
im="$(command -v convert-im6.q16 || command -v magick || command -v convert)"
"$py" -c 'import numpy, PIL' || { echo "needs python3 numpy and PIL" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Debian's policy caps the pixel cache at 256 MiB and spills big images to disk; ImageMagick gets
# a policy of its own that keeps everything in memory.
mkdir -p "$work/magick"
cat >"$work/magick/policy.xml" <<'XML'
<policymap>
  <policy domain="resource" name="memory" value="8GiB"/>
  <policy domain="resource" name="map" value="8GiB"/>
  <policy domain="resource" name="width" value="64KP"/>
  <policy domain="resource" name="height" value="64KP"/>
  <policy domain="resource" name="area" value="4GP"/>
  <policy domain="resource" name="disk" value="16GiB"/>
</policymap>
XML
export MAGICK_CONFIGURE_PATH="$work/magick"

# The data: 16-bit PNM for ImageMagick to turn into uncompressed TIFF (read by zelvane-cli and
# ImageMagick), and the same samples as .npy for Pillow.
"$py" - "$work" <<'PY'
import sys, numpy as np
d = sys.argv[1]
rng = np.random.default_rng(1)
def pattern(side):
    y, x = np.mgrid[0:side, 0:side]
    return (((x * 13 + y * 7) & 0x7FFF) + rng.integers(0, 4096, (side, side))).astype(np.uint16)
g = pattern(2048)
open(f"{d}/grey.pgm", "wb").write(b"P5 2048 2048 65535\n" + g.astype(">u2").tobytes())
np.save(f"{d}/grey.npy", g)
v = pattern(4096)
c = np.stack([v, v // 2, 65535 - v], axis=-1)
open(f"{d}/rgb.ppm", "wb").write(b"P6 4096 4096 65535\n" + c.astype(">u2").tobytes())
np.save(f"{d}/rgb.npy", c)
PY
"$im" "$work/grey.pgm" -depth 16 -compress none "$work/grey.tif"
"$im" "$work/rgb.ppm" -depth 16 -compress none "$work/rgb.tif"
rm -f "$work/grey.pgm" "$work/rgb.ppm"

cat >"$work/pil_resize.py" <<'PY'
import sys, numpy as np
from PIL import Image
src, dst, w, h, name = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), sys.argv[5]
f = getattr(Image.Resampling, name)
a = np.load(src).astype(np.float32)
planes = [a] if a.ndim == 2 else [a[..., c] for c in range(3)]
out = [np.asarray(Image.fromarray(p, "F").resize((w, h), f)) for p in planes]
np.save(dst, out[0] if a.ndim == 2 else np.stack(out, axis=-1))
PY

im_filter() { case "$1" in nearest) echo point ;; bilinear) echo triangle ;; bicubic) echo catrom ;;
    mitchell) echo mitchell ;; lagrange) echo lagrange ;; bspline) echo spline ;; esac; }
# Pillow has no Mitchell, Lagrange or B-spline; its bicubic stands in as the 4-tap reference.
pil_filter() { case "$1" in nearest) echo NEAREST ;; bilinear) echo BILINEAR ;; *) echo BICUBIC ;; esac; }

have_hyperfine=0
command -v hyperfine >/dev/null && have_hyperfine=1

# time_three LABEL CMD1 CMD2 CMD3: mean seconds of each, appended to results.
time_three() {
    local label="$1"; shift
    if [ "$have_hyperfine" = 1 ]; then
        hyperfine --style none --warmup 1 --runs "$runs" --export-json "$work/h.json" \
            -n zelvane "$1" -n imagemagick "$2" -n pillow "$3" >"$work/h.log" 2>&1
        "$py" -c 'import json,sys; r=json.load(open(sys.argv[1]))["results"]; print(sys.argv[2], *["%.3f" % x["mean"] for x in r])' \
            "$work/h.json" "$label" >>"$work/results"
    else
        local line="$label"
        for cmd in "$1" "$2" "$3"; do
            bash -c "$cmd" >/dev/null
            local start end
            start=$(date +%s%N)
            for _ in $(seq "$runs"); do bash -c "$cmd" >/dev/null; done
            end=$(date +%s%N)
            line="$line $(awk -v t=$((end - start)) -v n="$runs" 'BEGIN{printf "%.3f", t / n / 1e9}')"
        done
        echo "$line" >>"$work/results"
    fi
}

: >"$work/results"
for core in $cores; do
    pin=""
    [ "$core" = 1 ] && pin="taskset -c 0 "
    for m in $methods; do
        f="$(im_filter "$m")"; p="$(pil_filter "$m")"
        time_three "$core enlarge $m" \
            "${pin}$cli resize $work/grey.tif $work/z.tif --method $m --size 4096x4096" \
            "${pin}$im $work/grey.tif -filter $f -resize 4096x4096! -compress none $work/m.tif" \
            "${pin}$py $work/pil_resize.py $work/grey.npy $work/p.npy 4096 4096 $p"
        time_three "$core reduce $m" \
            "${pin}$cli resize $work/rgb.tif $work/z.tif --method $m --percent 50" \
            "${pin}$im $work/rgb.tif -filter $f -resize 50% -compress none $work/m.tif" \
            "${pin}$py $work/pil_resize.py $work/rgb.npy $work/p.npy 2048 2048 $p"
    done
done

echo "Whole-command seconds (mean of $runs), ImageMagick $("$im" -version | head -1 | awk '{print $3}'), Pillow $("$py" -c 'import PIL; print(PIL.__version__)')"
echo "enlarge: 2048^2 Grey16 -> 4096^2; reduce: 4096^2 RGB48 -> 50 %; cores: 1 = taskset -c 0"
printf '%-5s %-8s %-9s %9s %12s %8s %9s %9s\n' cores case method zelvane imagemagick pillow "IM/zel" "Pil/zel"
while read -r core what m z i p; do
    printf '%-5s %-8s %-9s %9s %12s %8s %9.1f %9.1f\n' "$core" "$what" "$m" "$z" "$i" "$p" \
        "$(echo "$i / $z" | bc -l)" "$(echo "$p / $z" | bc -l)"
done <"$work/results"
