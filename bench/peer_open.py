#!/usr/bin/python3
"""Reads a FITS file with astropy the way bench_open reads it, for the same-run comparison.

usage: peer_open.py FILE [REPEATS]   (prints the median milliseconds of a full read)"""
import statistics
import sys
import time

from astropy.io import fits

path = sys.argv[1]
repeats = int(sys.argv[2]) if len(sys.argv) > 2 else 10
times = []
for _ in range(repeats + 1):
    start = time.perf_counter()
    with fits.open(path, memmap=False) as hdul:
        data = hdul[0].data
        _ = data[-1, -1]  # the scaled array exists once .data returned
    times.append((time.perf_counter() - start) * 1000)
print(f"astropy read {path}: median {statistics.median(times[1:]):.1f} ms over {repeats} runs")
