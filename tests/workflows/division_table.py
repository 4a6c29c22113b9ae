#!/usr/bin/python3
"""The division on real shapes, beside earcut on the same polygons in the same run.

    division_table.py <division_rows> <output.md> <polygons.json>...

Runs our two divisions (the ear division and the best-shape one, through the division_rows
program) and earcut (python3-mapbox-earcut) on every polygon, checks every result with shapely
(the triangles' union against the polygon, their areas against the union's), and writes a
Markdown table. Fails when either of our divisions reports a division that does not tile its
polygon, and when the best-shape division fails on a simple polygon or has a smaller smallest
angle than the ear division.
"""
import json
import math
import os
import subprocess
import sys
import time

import mapbox_earcut
import numpy as np
from shapely.geometry import Polygon
from shapely.ops import unary_union

FAILED = "分割に失敗した"


def shoelace(points):
    return abs(math.fsum(points[i][0] * points[(i + 1) % len(points)][1] -
                         points[(i + 1) % len(points)][0] * points[i][1]
                         for i in range(len(points)))) / 2


def triangle_area(a, b, c):
    return abs((b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0])) / 2


def smallest_angle(a, b, c):
    """Smallest corner of a triangle in degrees (0 for a flat one)."""
    def corner(v, p, q):
        ux, uy, wx, wy = p[0] - v[0], p[1] - v[1], q[0] - v[0], q[1] - v[1]
        return math.degrees(abs(math.atan2(ux * wy - uy * wx, ux * wx + uy * wy)))
    return min(corner(a, b, c), corner(b, c, a), corner(c, a, b))


def examine(points, triangles):
    """Count, relative area difference, whether they tile the polygon, smallest angle."""
    n = len(points)
    area = shoelace(points)
    corners = [(points[i], points[j], points[k]) for i, j, k in triangles]
    total = math.fsum(triangle_area(*c) for c in corners)
    difference = abs(total - area) / area if area else math.inf
    shapes = [Polygon(c) for c in corners if triangle_area(*c) > 0]
    region = Polygon(points)
    if not region.is_valid:
        region = region.buffer(0)
    union = unary_union(shapes) if shapes else Polygon()
    tolerance = 1e-9 * area
    tiles = (len(triangles) == n - 2 and difference < 1e-9 and
             union.symmetric_difference(region).area <= tolerance and
             math.fsum(s.area for s in shapes) - union.area <= tolerance)
    angle = min((smallest_angle(*c) for c in corners), default=math.nan)
    return len(triangles), difference, tiles, angle


def earcut(points):
    """Triangles by earcut and the best time of several runs, in microseconds."""
    vertices = np.array(points, dtype=np.float64)
    rings = np.array([len(points)], dtype=np.uint32)
    best, spent, runs = math.inf, 0.0, 0
    while runs == 0 or (spent < 0.05 and runs < 200):
        start = time.perf_counter()
        result = mapbox_earcut.triangulate_float64(vertices, rings)
        elapsed = time.perf_counter() - start
        best, spent, runs = min(best, elapsed), spent + elapsed, runs + 1
    flat = [int(i) for i in result]
    return [tuple(flat[i:i + 3]) for i in range(0, len(flat), 3)], best * 1e6


def read_rows(program, files):
    out = subprocess.run([program, *files], check=True, capture_output=True, text=True).stdout
    rows, section = [], None
    for line in out.splitlines():
        words = line.split()
        if words[0] == "polygon":
            rows.append({"file": words[1], "name": words[2], "n": int(words[3])})
        elif words[0] in ("ears", "best"):
            section = {"outcome": words[1], "us": float(words[2]), "triangles": []}
            rows[-1][words[0]] = section
        else:
            section["triangles"].append(tuple(int(w) for w in words))
    return rows


def main():
    program, output, files = sys.argv[1], sys.argv[2], sys.argv[3:]
    polygons = {}
    for f in files:
        with open(f) as fh:
            for name, ring in json.load(fh).items():
                polygons[(os.path.basename(f), name)] = [tuple(map(float, p)) for p in ring]
    rows = read_rows(program, files)

    lines = ["| set | polygon | N | simple | ears | triangles | area diff | tiles | min angle ° "
             "| µs | best shape | min angle ° | µs | earcut | min angle ° | µs |",
             "|---|---|---:|---|---|---:|---:|---|---:|---:|---|---:|---:|---|---:|---:|"]
    invalid, ours_ok, best_ok, earcut_ok, best_worse = [], 0, 0, 0, []
    for row in rows:
        points = polygons[(row["file"], row["name"])]
        simple = Polygon(points).is_valid
        e_triangles, e_us = earcut(points)
        e_count, e_diff, e_tiles, e_angle = examine(points, e_triangles)
        earcut_ok += e_tiles
        cells = []
        angles = {}
        for kind in ("ears", "best"):
            result = row[kind]
            if result["outcome"] == "divided":
                count, diff, tiles, angle = examine(points, result["triangles"])
                angles[kind] = angle
                if not tiles:
                    invalid.append(f"{row['name']} ({kind})")
                if kind == "ears":
                    ours_ok += tiles
                    cells += ["divided", str(count), f"{diff:.1e}", "yes" if tiles else "**NO**",
                              f"{angle:.2f}", f"{result['us']:.0f}"]
                else:
                    best_ok += tiles
                    state = "tiles" if tiles else "**NOT A TILING**"
                    cells += [state, f"{angle:.2f}", f"{result['us']:.0f}"]
            else:
                if kind == "ears":
                    cells += [f"{FAILED} ({result['outcome']})", "", "", "", "",
                              f"{result['us']:.0f}"]
                else:
                    cells += [f"failed ({result['outcome']})", "", f"{result['us']:.0f}"]
                    if simple:
                        invalid.append(f"{row['name']} (best shape failed on a simple polygon)")
        if "ears" in angles and "best" in angles and angles["best"] < angles["ears"] - 1e-9:
            best_worse.append(row["name"])
        lines.append("| " + " | ".join([
            row["file"].replace(".json", ""), row["name"], str(row["n"]),
            "yes" if simple else "no", *cells,
            "tiles" if e_tiles else f"{e_count} triangles, not a tiling",
            f"{e_angle:.2f}", f"{e_us:.0f}"]) + " |")
    summary = [
        f"polygons: {len(rows)}",
        f"ear division divided and tiling: {ours_ok}; reported {FAILED}: "
        f"{sum(r['ears']['outcome'] != 'divided' for r in rows)}",
        f"best-shape division divided and tiling: {best_ok}; smallest angle below the ear "
        f"division's: {len(best_worse)}",
        f"earcut tiling: {earcut_ok} of {len(rows)}",
        f"reported divided but not tiling: {len(invalid)}",
    ]
    failed = [r["name"] for r in rows if r["ears"]["outcome"] != "divided"]
    if failed:
        summary.append(f"{FAILED}: " + ", ".join(failed))
    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    with open(output, "w") as fh:
        fh.write("# The division on real shapes, beside earcut\n\n")
        fh.write("\n".join(lines) + "\n\n" + "\n".join(summary) + "\n")
    print("\n".join(summary))
    print(f"table: {output}")
    if invalid or best_worse:
        print("divided but not tiling: " + ", ".join(invalid), file=sys.stderr)
        print("best shape worse than the ear division: " + ", ".join(best_worse), file=sys.stderr)
        return 1
    return 0


sys.exit(main())
