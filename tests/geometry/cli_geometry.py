#!/usr/bin/env python3
"""zelvane-cli resize / flip-horizontal / flip-vertical on fixtures made here."""
import json
import os
import struct
import subprocess
import sys
import tempfile

CLI = sys.argv[1]
failures = []


def check(what, condition, detail=""):
    if not condition:
        failures.append(what)
        print(f"FAIL: {what} {detail}")


def run(*args):
    result = subprocess.run([CLI, *args], capture_output=True, text=True)
    return result.returncode, result.stderr


def write_fits(path, bitpix, rows, bzero=None):
    h, w = len(rows), len(rows[0])
    cards = ["SIMPLE  = %20s" % "T", "BITPIX  = %20d" % bitpix, "NAXIS   = %20d" % 2,
             "NAXIS1  = %20d" % w, "NAXIS2  = %20d" % h]
    if bzero is not None:
        cards += ["BZERO   = %20d" % bzero, "BSCALE  = %20d" % 1]
    cards.append("END")
    header = "".join(c.ljust(80) for c in cards)
    header = header.ljust(-(-len(header) // 2880) * 2880).encode()
    fmt = ">h" if bitpix == 16 else ">f"
    data = b"".join(struct.pack(fmt, v - (bzero or 0)) for row in rows for v in row)
    open(path, "wb").write(header + data.ljust(-(-len(data) // 2880) * 2880, b"\0"))


def read_fits(path):
    raw = open(path, "rb").read()
    cards, i = {}, 0
    while True:
        card = raw[i:i + 80].decode()
        i += 80
        if card.startswith("END"):
            break
        if card[8:10] == "= ":
            cards[card[:8].strip()] = card[10:30].strip()
    data_start = -(-i // 2880) * 2880
    bitpix, w, h = int(cards["BITPIX"]), int(cards["NAXIS1"]), int(cards["NAXIS2"])
    bzero = float(cards.get("BZERO", 0))
    fmt, size = (">h", 2) if bitpix == 16 else (">f", 4)
    values = [struct.unpack_from(fmt, raw, data_start + size * k)[0] + bzero for k in range(w * h)]
    return cards, [values[y * w:(y + 1) * w] for y in range(h)]


def write_bmp(path, pixels, palette=None):
    """pixels: rows top first of (r, g, b) tuples, or of indices when a palette is given."""
    h, w = len(pixels), len(pixels[0])
    bpp = 8 if palette else 24
    stride = (w * bpp // 8 + 3) & ~3
    rows = b""
    for row in reversed(pixels):
        line = bytes(row) if palette else b"".join(bytes((b, g, r)) for r, g, b in row)
        rows += line.ljust(stride, b"\0")
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette) if palette else b""
    offset = 14 + 40 + len(table)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, len(rows), 2835, 2835,
                       len(palette) if palette else 0, 0)
    open(path, "wb").write(b"BM" + struct.pack("<IHHI", offset + len(rows), 0, 0, offset)
                           + info + table + rows)


def read_bmp24(path):
    raw = open(path, "rb").read()
    offset, = struct.unpack_from("<I", raw, 10)
    w, h = struct.unpack_from("<ii", raw, 18)
    bpp, = struct.unpack_from("<H", raw, 28)
    assert bpp == 24, bpp
    stride = (w * 3 + 3) & ~3
    rows = []
    for y in range(h):
        base = offset + (h - 1 - y) * stride
        rows.append([(raw[base + 3 * x + 2], raw[base + 3 * x + 1], raw[base + 3 * x])
                     for x in range(w)])
    return rows


def info(path):
    result = subprocess.run([CLI, "info", path], capture_output=True, text=True)
    return json.loads(result.stdout) if result.returncode == 0 else {}


with tempfile.TemporaryDirectory() as d:
    grey = [[100 * y + x for x in range(4)] for y in range(3)]
    write_fits(f"{d}/grey.fits", 16, grey, bzero=32768)

    # Usage errors are exit 2 and write nothing.
    for args in (["--size", "8x6", "--percent", "50"], [], ["--size", "8"], ["--size", "0x6"],
                 ["--size", "8x70000"], ["--percent", "0"], ["--method", "lanczos", "--size", "8x6"]):
        code, _ = run("resize", f"{d}/grey.fits", f"{d}/bad.fits", *args)
        check(f"usage error {args}", code == 2, f"exit {code}")
    check("nothing written on usage errors", not os.path.exists(f"{d}/bad.fits"))

    # Nearest doubling: positions x / 2 round half to even, so output 7 reads column Round(3.5) = 4,
    # limited to 3, and output row 5 reads Round(2.5) = 2.
    code, err = run("resize", f"{d}/grey.fits", f"{d}/big.fits", "--size", "8x6")
    check("resize nearest", code == 0, err)
    cards, big = read_fits(f"{d}/big.fits")
    check("NAXIS follow the size", cards["NAXIS1"] == "8" and cards["NAXIS2"] == "6", cards)
    check("nearest picks", big[0][0] == 0 and big[5][7] == 203 and big[1][1] == 0 and big[3][3] == 202,
          big)

    # 1 % of 4 x 3 rounds to 0 x 0 and becomes 1 x 1; 50 % rounds 1.5 to 2.
    for percent, size in (("1", (1, 1)), ("50", (2, 2))):
        code, err = run("resize", f"{d}/grey.fits", f"{d}/p.fits", "--percent", percent,
                        "--method", "bicubic")
        i = info(f"{d}/p.fits")
        check(f"percent {percent}", code == 0 and (i.get("width"), i.get("height")) == size, (err, i))

    # Float data keeps cubic overshoot below 0.
    write_fits(f"{d}/step.fits", -32, [[0.0, 0.0, 1000.0, 1000.0]])
    code, err = run("resize", f"{d}/step.fits", f"{d}/step2.fits", "--size", "16x1", "--method",
                    "lagrange")
    _, step = read_fits(f"{d}/step2.fits")
    check("float overshoot kept", code == 0 and min(step[0]) < 0 and max(step[0]) > 1000, step)

    # Flips of grey data.
    code, err = run("flip-horizontal", f"{d}/grey.fits", f"{d}/h.fits")
    _, h = read_fits(f"{d}/h.fits")
    check("flip-horizontal", code == 0 and h == [list(reversed(r)) for r in grey], h)
    code, err = run("flip-vertical", f"{d}/grey.fits", f"{d}/v.fits")
    _, v = read_fits(f"{d}/v.fits")
    check("flip-vertical", code == 0 and v == list(reversed(grey)), v)

    # Colour: a pure red pixel stays red through a flip.
    write_bmp(f"{d}/rgb.bmp", [[(255, 0, 0), (0, 0, 255), (0, 200, 0)]])
    code, err = run("flip-horizontal", f"{d}/rgb.bmp", f"{d}/rgb_h.bmp")
    check("colour flip", code == 0 and read_bmp24(f"{d}/rgb_h.bmp") ==
          [[(0, 200, 0), (0, 0, 255), (255, 0, 0)]], err)

    # An indexed image is resized as 24-bit colour; flips refuse it with a message.
    write_bmp(f"{d}/idx.bmp", [[0, 1], [1, 0]], palette=[(10, 20, 30), (250, 128, 1)])
    code, err = run("resize", f"{d}/idx.bmp", f"{d}/idx2.bmp", "--size", "4x4")
    check("indexed resized", code == 0 and info(f"{d}/idx2.bmp").get("kind") == "RGB24", err)
    check("indexed colours kept", code == 0 and read_bmp24(f"{d}/idx2.bmp")[3][3] == (10, 20, 30))
    code, err = run("flip-vertical", f"{d}/idx.bmp", f"{d}/idx3.bmp")
    check("indexed flip refused", code == 1 and "Indexed8" in err and
          not os.path.exists(f"{d}/idx3.bmp"), (code, err))

    code, err = run("resize", f"{d}/missing.fits", f"{d}/x.fits", "--percent", "50")
    check("missing input", code == 1, code)

print("cli geometry: all passed" if not failures else f"cli geometry: {len(failures)} failed")
sys.exit(1 if failures else 0)
