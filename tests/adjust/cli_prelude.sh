# Sourced by the zelvane-cli scripts here: arguments (the CLI, the sample maker), a scratch
# directory with the sample in it, failure counting and small PPM helpers.
cli="$1"
make_sample="$2"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() { # description, expected exit code, command...
    local what="$1" want="$2"
    shift 2
    "$@" >"$dir/out" 2>"$dir/err"
    local got=$?
    [ "$got" = "$want" ] || { fail "$what: exit $got, wanted $want"; cat "$dir/err"; }
}
ppm() { # path, width, height, then r g b per pixel
    python3 - "$@" <<'PY'
import sys
path, w, h = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
values = bytes(int(v) for v in sys.argv[4:])
open(path, "wb").write(b"P6\n%d %d\n255\n" % (w, h) + values)
PY
}
pixels() { python3 -c "import sys; d=open(sys.argv[1],'rb').read(); print(' '.join(str(b) for b in d[-int(sys.argv[2]):]))" "$@"; }

"$make_sample" "$dir/stars.fits" || { echo "FAIL: sample"; exit 1; }
