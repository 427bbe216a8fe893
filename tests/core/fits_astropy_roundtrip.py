#!/usr/bin/env python3
"""FITS files between the program and astropy, both ways.

Usage: fits_astropy_roundtrip.py TOOL, where TOOL is zelvane_fits_roundtrip_tool. Exits 77 (skipped)
when astropy is not installed.
"""

import json
import math
import os
import subprocess
import sys
import tempfile
import warnings

try:
    import numpy as np
    from astropy.io import fits
except ImportError:
    print("astropy is not installed; skipping")
    sys.exit(77)

TOOL = sys.argv[1]
WIDTH, HEIGHT = 7, 5
failures = []


def check(name, condition, detail=""):
    if not condition:
        failures.append(name)
        print(f"FAIL: {name} {detail}")
    else:
        print(f"ok: {name}")


# The patterns the tool writes (see FitsRoundTripTool.cpp).
def pattern16(x, y):
    if (x, y) == (0, 0):
        return 0
    if (x, y) == (1, 0):
        return 65535
    return (x * 9973 + y * 13007) % 65536


def pattern32(x, y):
    if (x, y) == (0, 0):
        return float("nan")
    return float(np.float32((x - 3) * 1.25 + y * 1000.5))


def missing(v):
    return v is None or math.isnan(v)


# Samples are compared as single floats: the tool prints them with 9 digits, enough for that.
def same(a, b):
    if missing(a) or missing(b):
        return missing(a) and missing(b)
    return np.float32(a) == np.float32(b)


def same_grid(got, expected):
    return len(got) == len(expected) and all(
        len(r) == len(e) and all(same(g, x) for g, x in zip(r, e))
        for r, e in zip(got, expected))


def open_with_astropy(path):
    """Data and header as astropy sees them; the file must pass astropy's own verification."""
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        with fits.open(path) as hdul:
            hdul.verify("exception")
            data = np.array(hdul[0].data)
            header = hdul[0].header.copy()
            count = len(hdul)
    # The trailing block of zeros that full data units get is reported as padding at most.
    others = [str(w.message) for w in caught if "padding" not in str(w.message).lower()]
    return data, header, count, others


def ours_read(path):
    out = subprocess.run([TOOL, "read", path], capture_output=True, text=True)
    if out.returncode != 0:
        return None, out.stderr
    return json.loads(out.stdout), out.stderr


def to_rows(array):
    return [[None if (isinstance(v, float) and math.isnan(v)) else v for v in row]
            for row in np.atleast_2d(array).astype(float).tolist()]


with tempfile.TemporaryDirectory() as tmp:
    # --- written by us, read by astropy ---
    # 1440 x 2 fills whole blocks, so the file ends with the extra block of zeros; astropy may
    # call that padding, but must read the image alone.
    for kind, expected_dtype, pattern, width, height in (
            ("write16", np.uint16, pattern16, WIDTH, HEIGHT),
            ("write32", np.float32, pattern32, WIDTH, HEIGHT),
            ("write16", np.uint16, pattern16, 1440, 2),
            ("write32", np.float32, pattern32, 720, 2)):
        name = f"{kind} {width}x{height}"
        path = os.path.join(tmp, f"ours_{kind}_{width}.fits")
        run = subprocess.run([TOOL, kind, path, str(width), str(height)], capture_output=True,
                             text=True)
        check(f"{name}: tool succeeded", run.returncode == 0, run.stderr)
        if run.returncode != 0:
            continue
        data, header, count, others = open_with_astropy(path)
        check(f"{name}: no astropy warnings", not others, others)
        check(f"{name}: one HDU", count == 1, count)
        check(f"{name}: shape", data.shape == (height, width), data.shape)
        check(f"{name}: dtype", data.dtype.newbyteorder("=") == np.dtype(expected_dtype),
              data.dtype)
        expected = [[pattern(x, y) for x in range(width)] for y in range(height)]
        check(f"{name}: values, top row first", same_grid(to_rows(data), expected),
              f"\n{data}")
        check(f"{name}: ORIGNAME", header.get("ORIGNAME") == path, header.get("ORIGNAME"))
        check(f"{name}: ORIGIN", header.get("ORIGIN") == "Zelvane Image 3.0")

    # A path with a quote in it still makes a valid ORIGNAME card.
    quoted = os.path.join(tmp, "o'neil.fits")
    run = subprocess.run([TOOL, "write16", quoted], capture_output=True, text=True)
    if run.returncode == 0:
        data, header, count, others = open_with_astropy(quoted)
        check("quote in path: ORIGNAME", header.get("ORIGNAME") == quoted,
              header.get("ORIGNAME"))
    else:
        check("quote in path: tool succeeded", False, run.stderr)

    # --- written by astropy, read by us ---
    y, x = np.mgrid[0:HEIGHT, 0:WIDTH]
    cases = []
    unsigned = ((x * 9973 + y * 13007) % 65536).astype(np.uint16)
    unsigned[0, 0], unsigned[0, 1] = 0, 65535
    cases.append(("uint16 (BZERO 32768)", fits.PrimaryHDU(unsigned), "Grey16", unsigned))
    signed = (x * 1000 - y * 7000 + 5).astype(np.int16)  # negatives keep their low 16 bits
    cases.append(("int16 without BZERO", fits.PrimaryHDU(signed), "Grey16",
                  signed.astype(np.int64) % 65536))
    physical = (x * 2 + y * 100 + 10).astype(np.float64)
    scaled = fits.PrimaryHDU(physical.copy())
    scaled.scale("int16", bscale=2, bzero=10)
    cases.append(("int16 with BSCALE 2, BZERO 10", scaled, "Grey16", physical))
    floats = ((x - 3) * 1.25 + y * 1000.5).astype(np.float32)
    floats[2, 3] = np.nan
    floats[4, 6] = -3.5e30
    cases.append(("float32", fits.PrimaryHDU(floats), "GreyFloat", floats))
    doubles = ((x - 3) * 0.1 + y * 1e5).astype(np.float64)
    cases.append(("float64 to single", fits.PrimaryHDU(doubles), "GreyFloat",
                  doubles.astype(np.float32)))
    row = np.arange(11, dtype=np.int16) * 3
    cases.append(("one axis", fits.PrimaryHDU(row), "Grey16", row.reshape(1, -1)))

    for name, hdu, kind, expected in cases:
        path = os.path.join(tmp, "astropy.fits")
        hdu.writeto(path, overwrite=True)
        got, err = ours_read(path)
        check(f"{name}: read", got is not None, err)
        if got is None:
            continue
        shape = np.atleast_2d(expected).shape
        check(f"{name}: size", (got["height"], got["width"]) == shape, got)
        check(f"{name}: kind", got["kind"] == kind, got["kind"])
        check(f"{name}: values", same_grid(got["rows"], to_rows(expected)),
              f"\n{got['rows']}\n{to_rows(expected)}")
        check(f"{name}: no message", err == "", err)

print("FAILED: " + ", ".join(failures) if failures else "all passed")
sys.exit(1 if failures else 0)
