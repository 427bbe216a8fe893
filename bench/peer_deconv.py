"""Lucy-Richardson, 20 iterations on a 2048 x 2048 float star field: zelvane-cli against
scikit-image's richardson_lucy (15 x 15 Gaussian kernel, sigma 2), in one run.

usage: /usr/bin/python3 bench/peer_deconv.py BUILD_DIR
"""

import os
import resource
import subprocess
import sys
import tempfile
import time

import numpy as np
from skimage.restoration import richardson_lucy

SIDE, ITERATIONS, SIGMA = 2048, 20, 2.0


def star_field():
    rng = np.random.default_rng(1)
    y, x = np.mgrid[0:SIDE, 0:SIDE]
    sky = 100.0 + 0.01 * x
    img = sky.astype(np.float32)
    for _ in range(SIDE // 8):
        cy, cx = rng.integers(0, SIDE, 2)
        amp = rng.uniform(500, 20000)
        y0, y1, x0, x1 = max(cy - 6, 0), min(cy + 7, SIDE), max(cx - 6, 0), min(cx + 7, SIDE)
        yy, xx = np.mgrid[y0:y1, x0:x1]
        img[y0:y1, x0:x1] += amp * np.exp(-((yy - cy) ** 2 + (xx - cx) ** 2) / 8.0)
    return img


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


def main():
    cli = os.path.join(sys.argv[1] if len(sys.argv) > 1 else "build", "zelvane-cli")
    image = star_field()
    r = np.arange(15) - 7
    kernel = np.exp(-(r[:, None] ** 2 + r[None, :] ** 2) / (2 * SIGMA * SIGMA))
    kernel /= kernel.sum()

    # scikit-image wants data in 0..1 unless clip is off; scaling does not change the iteration.
    scaled = image / image.max()
    start, cpu = time.perf_counter(), time.process_time()
    richardson_lucy(scaled, kernel, num_iter=ITERATIONS, clip=False)
    peer = time.perf_counter() - start
    peer_cpu = time.process_time() - cpu

    with tempfile.TemporaryDirectory() as tmp:
        src, out = os.path.join(tmp, "in.fits"), os.path.join(tmp, "out.fits")
        write_fits(src, image)
        timings, cpu = {}, {}
        for label, iterations in (("one", 1), ("twenty", ITERATIONS + 1)):
            start = time.perf_counter()
            before = resource.getrusage(resource.RUSAGE_CHILDREN)
            subprocess.run([cli, "lucy-richardson", src, out, "--sigma", str(SIGMA),
                            "--iterations", str(iterations)], check=True)
            after = resource.getrusage(resource.RUSAGE_CHILDREN)
            timings[label] = time.perf_counter() - start
            cpu[label] = (after.ru_utime + after.ru_stime) - (before.ru_utime + before.ru_stime)
    # Load, save and set-up cancel out in the difference.
    ours = (timings["twenty"] - timings["one"]) / ITERATIONS
    ours_cpu = (cpu["twenty"] - cpu["one"]) / ITERATIONS

    print(f"scikit-image richardson_lucy: {peer:.2f} s for {ITERATIONS} iterations, "
          f"{1000 * peer / ITERATIONS:.0f} ms per iteration")
    print(f"zelvane-cli lucy-richardson: {timings['twenty']:.2f} s for {ITERATIONS + 1} iterations "
          f"including load and save, {1000 * ours:.0f} ms per iteration")
    print(f"per-iteration ratio scikit-image / zelvane: {peer / ITERATIONS / ours:.1f}x wall clock, "
          f"{peer_cpu / ITERATIONS / ours_cpu:.1f}x CPU time "
          f"({1000 * peer_cpu / ITERATIONS:.0f} ms against {1000 * ours_cpu:.0f} ms)")


if __name__ == "__main__":
    main()
