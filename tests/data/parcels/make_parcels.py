#!/usr/bin/python3
"""Writes parcels.json: parcel outlines as a surveyor's drawing holds them, in millimetres.

Straight sides carry boundary stones a few millimetres off the line, fences make sides of a
few millimetres, curved road frontages are chords of an arc. Each outline is checked to be a
simple polygon. Run it again only to change the set: the tests read the file it wrote.
"""
import json
import math
import os
from fractions import Fraction


def rnd(points, origin=(0.0, 0.0)):
    return [[round(x + origin[0], 3), round(y + origin[1], 3)] for x, y in points]


def arc(cx, cy, r, a0, a1, chords):
    return [(cx + r * math.cos(a0 + (a1 - a0) * k / chords),
             cy + r * math.sin(a0 + (a1 - a0) * k / chords)) for k in range(chords + 1)]


def parcels():
    p = {}
    p["rectangle"] = rnd([(0, 0), (20000, 0), (20000, 30000), (0, 30000)], (35120.5, 12040.25))
    p["trapezoid"] = rnd([(0, 0), (24000, 0), (19500, 16250), (3200, 17010)], (8000, 4000))
    # Pentagon A(5,20) B(15,15) C(30,25) D(20,40) E(10,35) in metres.
    p["pentagon"] = rnd([(5000, 20000), (15000, 15000), (30000, 25000), (20000, 40000),
                         (10000, 35000)])
    p["corner-cut"] = rnd([(0, 0), (18000, 0), (18000, 22000), (2000, 22000), (0, 20000)],
                          (501.0, 702.0))
    p["corner-cut-short"] = rnd([(0, 0), (18000, 0), (18000, 22000), (30, 22000),
                                 (0, 21970)], (501.0, 702.0))
    # Flag lot: a 2.5 m access strip 20 m long, the stone halfway along it 0.8 mm off the line.
    p["flag-lot"] = rnd([(0, 0), (2500, 0), (2500.8, 10000), (2500, 20000), (15000, 20000),
                         (15000, 38000), (0, 38000)], (10000, 10000))
    p["rural-12"] = rnd([(0, 0), (14230, -1210), (27815, 1480), (31020, 9955),
                         (26410, 14870), (29940, 22315), (21175, 27730), (13560, 23105),
                         (9215, 28840), (1985, 24410), (4620, 15230), (-2140, 8125)],
                        (102345.678, 56789.012))
    stones = [(0, 0)]
    for k in (1, 2, 3):
        stones.append((25000 * k / 4, [1.2, -2.5, 0.7][k - 1]))
    stones.append((25000, 0))
    for k in (1, 2, 3):
        stones.append((25000 + [2.1, -0.4, 1.6][k - 1], 40000 * k / 4))
    stones.append((25000, 40000))
    for k in (1, 2, 3):
        stones.append((25000 - 25000 * k / 4, 40000 + [-1.8, 2.9, -0.3][k - 1]))
    stones.append((0, 40000))
    for k in (1, 2, 3):
        stones.append(([0.9, -3.0, 1.1][k - 1], 40000 - 40000 * k / 4))
    p["stones-on-sides"] = rnd(stones, (4000, 7000))
    # A stone exactly on the line of a side, as a surveyor's point set in the middle of it.
    p["collinear-stone"] = rnd([(0, 0), (12000, 0), (24000, 0), (24000, 10000), (10000, 10000),
                                (10000, 20000), (0, 20000)])
    p["fence-jogs"] = rnd([(0, 0), (9000, 0), (9000, 5), (16000, 5), (16000, 11000),
                           (16012, 11000), (16012, 21000), (4000, 21000), (4000, 20993),
                           (0, 20993)], (333.333, 444.444))
    road = [(0, 0), (30000, 0), (30000, 18000)]
    road += arc(15000, 48000, 33541.02, math.atan2(-30000, 15000) + math.pi * 0,
                math.atan2(-30000, -15000), 40)[1:-1]
    road += [(0, 18000)]
    p["road-curve"] = rnd(road, (20000, 30000))
    comb = [(0, 0), (30000, 0), (30000, 4000)]
    x = 30000
    for tooth in range(5):
        comb += [(x, 12000), (x - 3000, 12000), (x - 3000, 4000)]
        x -= 6000
        comb += [(x, 4000)]
    comb[-1] = (0, 4000)
    p["comb-23"] = rnd([c for i, c in enumerate(comb) if i == 0 or c != comb[i - 1]])
    stairs = [(0, 0)]
    for k in range(19):
        stairs += [(1500 * (k + 1), 1000 * k), (1500 * (k + 1), 1000 * (k + 1))]
    stairs += [(0, 19000)]
    p["staircase-40"] = rnd(stairs, (5000, 5000))
    creek = [(0, 0), (40000, 0)]
    for k in range(1, 57):
        t = k / 57
        creek.append((40000 - 40000 * t + 900 * math.sin(7 * t * math.pi),
                      15000 + 2200 * math.sin(3 * t * math.pi) + 400 * math.cos(11 * t)))
    creek += [(0, 15000)]
    p["creek-60"] = rnd(creek, (70000, 20000))
    p["clockwise-lot"] = rnd(list(reversed([(0, 0), (16500, 0), (17200, 8300), (12050, 8340),
                                             (11980, 14760), (820, 15110), (-350, 7200)])),
                             (2500, 2500))
    p["thin-strip"] = rnd([(0, 0), (1500, 0), (1500.4, 20000), (1499.7, 40000), (1500, 60000),
                           (0, 60000), (-0.6, 40000), (0.3, 20000)], (900, 100))
    return p


def simple(points):
    pts = [(Fraction(x), Fraction(y)) for x, y in points]
    n = len(pts)

    def orient(a, b, c):
        v = (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0])
        return (v > 0) - (v < 0)

    def on(a, b, c):
        return (min(a[0], b[0]) <= c[0] <= max(a[0], b[0]) and
                min(a[1], b[1]) <= c[1] <= max(a[1], b[1]))

    def meet(a, b, c, d):
        o1, o2, o3, o4 = orient(a, b, c), orient(a, b, d), orient(c, d, a), orient(c, d, b)
        if o1 * o2 < 0 and o3 * o4 < 0:
            return True
        return ((o1 == 0 and on(a, b, c)) or (o2 == 0 and on(a, b, d)) or
                (o3 == 0 and on(c, d, a)) or (o4 == 0 and on(c, d, b)))

    if len(set(pts)) != n:
        return False
    for i in range(n):
        for j in range(i + 1, n):
            if j == i + 1 or (i == 0 and j == n - 1):
                continue
            if meet(pts[i], pts[(i + 1) % n], pts[j], pts[(j + 1) % n]):
                return False
    return True


def main():
    p = parcels()
    for name, points in p.items():
        assert 4 <= len(points) <= 60, (name, len(points))
        assert simple(points), name
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "parcels.json")
    with open(out, "w") as f:
        f.write("{\n" + ",\n".join(
            json.dumps(name) + ": " + json.dumps(points) for name, points in p.items()) + "\n}\n")
    for name, points in p.items():
        print(f"{name}: {len(points)} vertices")


main()
