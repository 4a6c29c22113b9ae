#!/usr/bin/python3
"""The division on real shapes, beside earcut on the same polygons in the same run.

    division_table.py <division_rows> <output.md> <polygons.json>...

Runs our two divisions (the ear division and the best-shape one, through the division_rows
program) and earcut (python3-mapbox-earcut) on every polygon and on the whole-run test's parcels,
checks every result with shapely (the triangles' union against the polygon, their areas against
the union's), and writes a Markdown table. For the survey parcels (parcels.json and the whole-run
ones, millimetres at scale 1000) it also gives the error of a ﾍﾛﾝ table of each division: the
table's final area (heron_table.py) less the polygon's coordinate area; the whole-run parcel with
an arc side is divided through its chord, so its error is against the polygon of its corners.
The earcut rings have no unit (screen-like coordinates, some only a few dozen across), so they
get no table error. Fails when either of our divisions reports a division that does not tile
its polygon, when the best-shape division fails on a simple polygon or has a smaller smallest
angle than the ear division, when a table's error is more than the roundings allow, and when
the best-shape table misses a survey parcel's area by more than 0.05 m², unless the parcel is a
named known miss (and then when it no longer misses).
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

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "table"))
from heron_table import final_area, rounding_allowance  # noqa: E402

FAILED = "分割に失敗した"
SURVEY_SETS = ("parcels.json", "whole-run")  # millimetres at scale 1000
TABLE_BOUND = 0.05  # m², the most a best-shape ﾍﾛﾝ table may miss a parcel's area by
# Parcels whose best-shape table misses TABLE_BOUND although every error stays inside what the
# roundings of 1 cm sides allow: thin triangles that no triangulation on the parcel's own
# corners avoids (a staircase of 1.5 m steps, chords of 0.8 m along a curve), or many large
# triangles whose rounding errors add up. Named here so that a new miss fails, and so does one
# of these that comes within the bound.
KNOWN_MISSES = {
    "twenty_four_corners_one_arc": "+0.0990 m², 22 triangles, rounding allows 0.87",
    "rural-12": "-0.1069 m², ten triangles with sides of about 7 to 22 m",
    "stones-on-sides": "-0.0817 m², 25 × 40 m in 14 triangles",
    "road-curve": "+0.9469 m², chords of about 0.8 m along the curve",
    "staircase-40": "-0.6500 m², steps of 1.5 × 1 m: triangles of 1.8 m by 24 m",
    "creek-60": "-0.1614 m², 59 corners, most along the creek",
}


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


def table_error(points, triangles):
    """The ﾍﾛﾝ table's final area, it less the polygon's coordinate area, and how far the
    roundings alone can take it from there, in m²."""
    sides = [[math.dist(points[i], points[j]), math.dist(points[j], points[k]),
              math.dist(points[k], points[i])] for i, j, k in triangles]
    table = final_area(sides)
    return table, float(table) - shoelace(points) / 1e6, rounding_allowance(sides)


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
    out = subprocess.run([program, "--whole-run", *files], check=True, capture_output=True,
                         text=True).stdout
    rows, section = [], None
    for line in out.splitlines():
        words = line.split()
        if words[0] == "polygon":
            rows.append({"file": words[1], "name": words[2], "n": int(words[3]), "points": []})
        elif words[0] == "corner":
            rows[-1]["points"].append((float(words[1]), float(words[2])))
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
    for row in rows:
        if row["points"]:
            polygons[(row["file"], row["name"])] = row["points"]

    lines = ["| set | polygon | N | simple | ears | triangles | area diff | tiles | min angle ° "
             "| µs | best shape | min angle ° | µs | earcut | min angle ° | µs |",
             "|---|---|---:|---|---|---:|---:|---|---:|---:|---|---:|---:|---|---:|---:|"]
    survey_lines = [
        "| set | parcel | N | coordinate area m² | ears: min angle ° | table m² | error m² "
        "| rounding allows ± m² | best shape: min angle ° | table m² | error m² "
        "| rounding allows ± m² |",
        "|---|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|"]
    invalid, ours_ok, best_ok, earcut_ok, best_worse = [], 0, 0, 0, []
    over_bound = {"ears": [], "best": []}
    beyond_rounding = []
    for row in rows:
        points = polygons[(row["file"], row["name"])]
        survey = row["file"] in SURVEY_SETS
        simple = Polygon(points).is_valid
        e_triangles, e_us = earcut(points)
        e_count, e_diff, e_tiles, e_angle = examine(points, e_triangles)
        earcut_ok += e_tiles
        cells = []
        angles = {}
        survey_cells = []
        for kind in ("ears", "best"):
            result = row[kind]
            if result["outcome"] == "divided":
                count, diff, tiles, angle = examine(points, result["triangles"])
                angles[kind] = angle
                if survey:
                    table, error, allows = table_error(points, result["triangles"])
                    shown = f"{error:+.4f}"
                    if abs(error) > TABLE_BOUND:
                        over_bound[kind].append(f"{row['name']} ({shown} m²)")
                        shown = f"**{shown}**"
                    if abs(error) > allows:
                        beyond_rounding.append(f"{row['name']} ({kind}: {error:+.4f} m², "
                                               f"rounding allows {allows:.4f})")
                    survey_cells += [f"{angle:.2f}", str(table), shown, f"{allows:.4f}"]
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
                survey_cells += [FAILED, "", "", ""]
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
        if survey:
            survey_lines.append("| " + " | ".join([
                row["file"].replace(".json", ""), row["name"], str(row["n"]),
                f"{shoelace(points) / 1e6:.4f}", *survey_cells]) + " |")
    summary = [
        f"polygons: {len(rows)}",
        f"ear division divided and tiling: {ours_ok}; reported {FAILED}: "
        f"{sum(r['ears']['outcome'] != 'divided' for r in rows)}",
        f"best-shape division divided and tiling: {best_ok}; smallest angle below the ear "
        f"division's: {len(best_worse)}",
        f"earcut tiling: {earcut_ok} of {len(rows)}",
        f"reported divided but not tiling: {len(invalid)}",
        f"survey parcels: {len(survey_lines) - 2}; ﾍﾛﾝ table more than {TABLE_BOUND} m² from the "
        f"coordinate area: ear division {len(over_bound['ears'])}, best shape "
        f"{len(over_bound['best'])}" + (" (" + ", ".join(over_bound["best"]) + ")"
                                        if over_bound["best"] else ""),
    ]
    failed = [r["name"] for r in rows if r["ears"]["outcome"] != "divided"]
    if failed:
        summary.append(f"{FAILED}: " + ", ".join(failed))
    missed = {entry.split(" (")[0] for entry in over_bound["best"]}
    unexpected = sorted(missed - set(KNOWN_MISSES))
    now_within = sorted(set(KNOWN_MISSES) - missed)
    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    with open(output, "w") as fh:
        fh.write("# The division on real shapes, beside earcut\n\n")
        fh.write("\n".join(lines) + "\n\n" + "\n".join(summary) + "\n\n")
        fh.write("## ﾍﾛﾝ table per survey parcel (millimetres at scale 1000)\n\n")
        fh.write("Table: sides in metres to 2 places, row areas to 4, final area to 2 (half up). "
                 "Error: table less the coordinate area of the polygon through the corners "
                 "(for the parcel with an arc side: its chord polygon, as the division takes "
                 "it). Earcut rings: no unit, no table.\n\n")
        fh.write("\n".join(survey_lines) + "\n")
    print("\n".join(summary))
    print(f"table: {output}")
    problems = []
    if invalid:
        problems.append("divided but not tiling: " + ", ".join(invalid))
    if best_worse:
        problems.append("best shape worse than the ear division: " + ", ".join(best_worse))
    if beyond_rounding:
        problems.append("table error beyond what the roundings allow: "
                        + ", ".join(beyond_rounding))
    if unexpected:
        problems.append(f"best-shape ﾍﾛﾝ table more than {TABLE_BOUND} m² off: "
                        + ", ".join(unexpected))
    if now_within:
        problems.append(f"now within {TABLE_BOUND} m² with best shape, no longer a known miss: "
                        + ", ".join(now_within))
    for p in problems:
        print(p, file=sys.stderr)
    return 1 if problems else 0


sys.exit(main())
