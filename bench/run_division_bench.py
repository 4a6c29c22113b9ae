#!/usr/bin/python3
"""The region division beside earcut, in the same run, on the same polygons.

    bench/run_division_bench.py <division_bench> [RUNS]

1. The largest outer rings of the earcut test set: our median time, earcut's median time and
   the ratio.
2. Growth: parcel-like star polygons (a wavy radius, a few millimetres of survey noise) of 10
   to 2,715 vertices; our time and earcut's at each size, and the exponent of the growth
   between neighbouring sizes (log of the time ratio over log of the size ratio).
"""
import json
import math
import os
import random
import subprocess
import sys
import tempfile
import time

import mapbox_earcut
import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))
RINGS = os.path.join(HERE, "..", "tests", "data", "earcut", "outer-rings.json")
SIZES = [10, 30, 100, 300, 1000, 2715]


def star(n, seed):
    rng = random.Random(seed)
    points = []
    for k in range(n):
        a = 2 * math.pi * k / n
        r = 50000 * (1 + 0.25 * math.sin(5 * a) + 0.1 * math.cos(13 * a)) + rng.uniform(-3, 3)
        points.append([round(r * math.cos(a), 3), round(r * math.sin(a), 3)])
    return points


def earcut_us(points, runs):
    vertices = np.array(points, dtype=np.float64)
    rings = np.array([len(points)], dtype=np.uint32)
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        mapbox_earcut.triangulate_float64(vertices, rings)
        times.append((time.perf_counter() - start) * 1e6)
    return sorted(times)[len(times) // 2]


def ours(program, path, runs):
    out = subprocess.run([program, "--runs", str(runs), path], check=True, capture_output=True,
                         text=True).stdout
    rows = {}
    for line in out.splitlines():
        name, n, outcome, median, best = line.split()
        rows[name] = (int(n), outcome, float(median))
    return rows


def main():
    program = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 7
    with open(RINGS) as fh:
        rings = json.load(fh)
    largest = sorted(rings, key=lambda k: -len(rings[k]))[:6]
    mine = ours(program, RINGS, runs)
    print(f"largest rings of the earcut set, median of {runs} runs each")
    print(f"{'polygon':<18} {'N':>5} {'outcome':<8} {'ours µs':>10} {'earcut µs':>10} {'ratio':>8}")
    for name in largest:
        n, outcome, us = mine[name]
        e = earcut_us(rings[name], runs * 5)
        print(f"{name:<18} {n:>5} {outcome:<8} {us:>10.0f} {e:>10.1f} {us / e:>8.0f}")

    family = {f"star-{n}": star(n, n) for n in SIZES}
    with tempfile.TemporaryDirectory() as tmp:
        path = os.path.join(tmp, "stars.json")
        with open(path, "w") as fh:
            json.dump(family, fh)
        mine = ours(program, path, runs)
    print(f"\ngrowth on parcel-like star polygons, median of {runs} runs each")
    print(f"{'N':>5} {'outcome':<8} {'ours µs':>10} {'earcut µs':>10} {'ratio':>8} "
          f"{'ours exponent':>14}")
    previous = None
    for n in SIZES:
        _, outcome, us = mine[f"star-{n}"]
        e = earcut_us(family[f"star-{n}"], runs * 5)
        exponent = ""
        if previous:
            exponent = f"{math.log(us / previous[1]) / math.log(n / previous[0]):.2f}"
        print(f"{n:>5} {outcome:<8} {us:>10.0f} {e:>10.1f} {us / e:>8.0f} {exponent:>14}")
        previous = (n, us)
    first, last = SIZES[0], SIZES[-1]
    total = math.log(mine[f"star-{last}"][2] / mine[f"star-{first}"][2]) / math.log(last / first)
    print(f"growth from {first} to {last} vertices: time ~ N^{total:.2f}")


main()
