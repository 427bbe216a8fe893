"""zelvane-cli's deconvolutions against an independent numpy model of the same circular
iterations, plus the psf command and the refusals."""

import os
import struct
import subprocess
import sys
import tempfile

try:
    import numpy as np
except ImportError:
    print("numpy is missing: skipped")
    sys.exit(77)

CLI = sys.argv[1]


def write_fits(path, data):
    h, w = data.shape
    cards = ["SIMPLE  =                    T", "BITPIX  =                  -32",
             "NAXIS   =                    2", f"NAXIS1  = {w:20d}", f"NAXIS2  = {h:20d}", "END"]
    header = "".join(c.ljust(80) for c in cards).encode("ascii")
    header += b" " * (-len(header) % 2880)
    body = data.astype(">f4").tobytes()
    body += b"\0" * (-len(body) % 2880)
    with open(path, "wb") as f:
        f.write(header + body)


def read_fits(path):
    raw = open(path, "rb").read()
    cards, pos = {}, 0
    while True:
        card = raw[pos:pos + 80].decode("ascii")
        pos += 80
        key = card[:8].strip()
        if key == "END":
            break
        if card[8:10] == "= ":
            cards[key] = card[10:].split("/")[0].strip()
    pos += -pos % 2880
    w, h, bitpix = int(cards["NAXIS1"]), int(cards["NAXIS2"]), int(cards["BITPIX"])
    assert bitpix == -32, bitpix
    data = np.frombuffer(raw[pos:pos + 4 * w * h], dtype=">f4").reshape(h, w).astype(np.float64)
    return data * float(cards.get("BSCALE", 1)) + float(cards.get("BZERO", 0))


def padded(n):
    side = 64
    while side < n:
        side *= 2
    return side


def wrapped_gaussian(hp, wp, sigma):
    dy = np.arange(hp) - hp // 2
    dx = np.arange(wp) - wp // 2
    g = np.exp(-(dy[:, None] ** 2 + dx[None, :] ** 2) / (2.0 * sigma * sigma))
    return np.roll(g, (-(hp // 2), -(wp // 2)), axis=(0, 1))


def reference_lr(image, sigma, iterations, aggressive):
    h, w = image.shape
    hp, wp = padded(h), padded(w)
    oy, ox = (hp - h) // 2, (wp - w) // 2
    d = np.full((hp, wp), np.float32(image.astype(np.float64).mean()), dtype=np.float64)
    d[oy:oy + h, ox:ox + w] = image
    pf = np.fft.rfft2(wrapped_gaussian(hp, wp, sigma))
    e = d.copy()
    for _ in range(iterations):
        t = np.fft.irfft2(np.fft.rfft2(e) * pf, s=d.shape)
        t = d / np.where(t == 0, 1.0, t)
        t = np.fft.irfft2(np.fft.rfft2(t) * np.conj(pf), s=d.shape)
        e = e * t
        if aggressive:
            d = e
    out = e[oy:oy + h, ox:ox + w]
    return np.clip(np.nan_to_num(out, nan=0.0), 0.0, image.max())


def star_field(h, w):
    rng = np.random.default_rng(7)
    y, x = np.mgrid[0:h, 0:w]
    sky = 200.0 + 0.5 * x + 0.25 * y
    for _ in range(12):
        cy, cx, amp = rng.uniform(5, h - 5), rng.uniform(5, w - 5), rng.uniform(500, 8000)
        sky += amp * np.exp(-((y - cy) ** 2 + (x - cx) ** 2) / (2 * 1.8 ** 2))
    return sky.astype(np.float32)


def run(*args, expect=0):
    result = subprocess.run([CLI, *args], capture_output=True, text=True)
    if result.returncode != expect:
        sys.exit(f"{args}: exit {result.returncode}, expected {expect}\n{result.stderr}")
    return result


failures = []
with tempfile.TemporaryDirectory() as tmp:
    src = os.path.join(tmp, "in.fits")
    image = star_field(80, 96)
    write_fits(src, image)
    for aggressive, iterations in ((True, 8), (False, 12)):
        out = os.path.join(tmp, f"lr{int(aggressive)}.fits")
        flags = [] if aggressive else ["--no-aggressive"]
        run("lucy-richardson", src, out, "--sigma", "1.5", "--iterations", str(iterations), *flags)
        got = read_fits(out)
        want = reference_lr(image.astype(np.float64), 1.5, iterations, aggressive)
        err = np.abs(got - want).max() / image.max()
        print(f"lucy-richardson aggressive={aggressive}: max error {err:.2e} of the peak")
        if err > 1e-4:
            failures.append(f"lucy-richardson aggressive={aggressive}: error {err:.2e}")
        if not np.all(got <= image.max()) or not np.all(got >= 0):
            failures.append("lucy-richardson result outside 0 .. image maximum")

    # The other two run and respect their bounds.
    for command in ("van-cittert", "max-entropy"):
        out = os.path.join(tmp, command + ".fits")
        run(command, src, out, "--psf", "moffat", "--sigma", "1.2", "--iterations", "5")
        got = read_fits(out)
        if got.shape != image.shape or got.min() < 0 or got.max() > image.max() + 1e-3:
            failures.append(f"{command}: result out of bounds")

    # psf: centred, unnormalised, peak 1.
    psf = os.path.join(tmp, "psf.fits")
    run("psf", psf, "--psf", "gaussian", "--sigma", "2", "--size", "33")
    p = read_fits(psf)
    if p.shape != (33, 33) or abs(p[16, 16] - 1) > 1e-6 or abs(p[16, 17] - np.exp(-1 / 8)) > 1e-6:
        failures.append("psf: wrong values")

    # Refusals: too wide for the transform, bad options.
    wide = os.path.join(tmp, "wide.fits")
    write_fits(wide, np.ones((4, 5000), dtype=np.float32))
    r = run("van-cittert", wide, os.path.join(tmp, "x.fits"), expect=1)
    if "4096" not in r.stderr or os.path.exists(os.path.join(tmp, "x.fits")):
        failures.append("wide image: no clear refusal")
    run("lucy-richardson", src, psf, "--iterations", "101", expect=2)
    run("lucy-richardson", src, psf, "--iterations", "500", "--no-aggressive")
    run("max-entropy", src, psf, "--iterations", "0", expect=2)
    run("van-cittert", src, psf, "--psf", "airy", expect=2)
    run("psf", psf, "--psf", "gaussian", "--size", "9", expect=2)

if failures:
    sys.exit("\n".join(failures))
print("ok")
