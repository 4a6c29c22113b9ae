#!/usr/bin/python3
"""The division on real shapes, beside earcut on the same polygons in the same run.

    division_table.py <division_rows> <output.md> <polygons.json>...

Runs our divisions (the ear division, the best-shape one alone, and the best-shape one that then
takes the triangulation whose ﾍﾛﾝ table agrees best, through the division_rows program) and earcut
(python3-mapbox-earcut) on every polygon and on the whole-run test's parcels, checks every result
with shapely (the triangles' union against the polygon, their areas against the union's), and
writes a Markdown table. For the survey parcels (parcels.json, the chord polygons of the curved
parcels of the scenarios and the demo in curved.json, the whole-run ones and the
benchmark's random, co-circular, staircase and comb outlines at 30 corners, millimetres
at scale 1000) it also gives the thin triangles (smallest angle under 20°) of each division and
the error of its ﾍﾛﾝ table: the table's final area (heron_table.py) less the area the search aims
at (reachable_tables.target_area; the whole-run parcel with an arc side is divided through its
chord, so its error is against the polygon of its corners), and, computed here without the
product's code (reachable_tables.py), the optimum of 形状優先's rule: the largest smallest angle
any triangulation has, the fewest thin triangles at that angle and the closest table that such a
triangulation reaches. The earcut rings have no unit (screen-like coordinates, some only a few
dozen across), so they get no table. Fails when a division reports a division that does not tile
its polygon, when a best-shape division fails on a simple polygon or has a smaller smallest angle
than the ear division, when a table's error is more than the roundings allow, and when 形状優先
has a smaller smallest angle than the largest possible, more thin triangles than the fewest at
that angle, or a table further off than the closest reachable one.
"""
import json
import math
import os
import subprocess
import sys
import time
from decimal import Decimal

import mapbox_earcut
import numpy as np
from shapely.geometry import Polygon
from shapely.ops import unary_union

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "table"))
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from heron_table import final_area, rounding_allowance  # noqa: E402
from reachable_tables import THIN_DEGREES, closest, target_area  # noqa: E402

FAILED = "分割に失敗した"
SURVEY_SETS = ("parcels.json", "curved.json", "whole-run", "shapes")  # mm at scale 1000
KINDS = ("ears", "best", "agree")  # ear division, best shape alone, best shape then its table
SAME_ANGLE = 1e-6  # radians: smallest angles this close count as equal
SAME_ERROR = 1e-9  # m²: table errors this close count as equal


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
    """The ﾍﾛﾝ table's final area less the area the search aims at (target_area), less the
    corners' own area, and how far the roundings alone can take it from the latter, in m²."""
    sides = [[math.dist(points[i], points[j]), math.dist(points[j], points[k]),
              math.dist(points[k], points[i])] for i, j, k in triangles]
    table = final_area(sides)
    target = target_area(points)
    return (float(table - Decimal(target.numerator) / target.denominator),
            float(table) - shoelace(points) / 1e6, rounding_allowance(sides))


def thin_count(points, triangles):
    return sum(smallest_angle(points[i], points[j], points[k]) < THIN_DEGREES
               for i, j, k in triangles)


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
        elif words[0] in ("ears", "best", "agree"):
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
             "| µs | best shape | min angle ° | µs | best shape then table | min angle ° | µs "
             "| earcut | min angle ° | µs |",
             "|---|---|---:|---|---|---:|---:|---|---:|---:|---|---:|---:|---|---:|---:"
             "|---|---:|---:|"]
    survey_lines = [
        "| set | parcel | N | target area m² | min angle °: ear division | 形状優先 "
        f"| largest possible | thin (< {THIN_DEGREES}°): ear division "
        "| largest smallest angle alone | 形状優先 | fewest possible "
        "| table error m²: ear division | largest smallest angle alone | 形状優先 "
        "| closest under the rule | reachable finals | rounding allows ± m² |",
        "|---|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|"]
    invalid, tiling, worse_than_ears, beyond_rounding = [], {k: 0 for k in KINDS}, [], []
    short_angle, more_thin, further_off, earcut_ok = [], [], [], 0
    for row in rows:
        points = polygons[(row["file"], row["name"])]
        survey = row["file"] in SURVEY_SETS
        simple = Polygon(points).is_valid
        e_triangles, e_us = earcut(points)
        e_count, e_diff, e_tiles, e_angle = examine(points, e_triangles)
        earcut_ok += e_tiles
        cells, angles, errors, thins, allows = [], {}, {}, {}, 0.0
        for kind in KINDS:
            result = row[kind]
            if result["outcome"] != "divided":
                if kind == "ears":
                    cells += [f"{FAILED} ({result['outcome']})", "", "", "", "",
                              f"{result['us']:.0f}"]
                else:
                    cells += [f"failed ({result['outcome']})", "", f"{result['us']:.0f}"]
                    if simple:
                        invalid.append(f"{row['name']} ({kind} failed on a simple polygon)")
                continue
            count, diff, tiles, angle = examine(points, result["triangles"])
            angles[kind] = angle
            tiling[kind] += tiles
            if not tiles:
                invalid.append(f"{row['name']} ({kind})")
            if survey:
                error, own_error, allows = table_error(points, result["triangles"])
                errors[kind] = error
                thins[kind] = thin_count(points, result["triangles"])
                if abs(own_error) > allows:
                    beyond_rounding.append(f"{row['name']} ({kind}: {own_error:+.4f} m², "
                                           f"rounding allows {allows:.4f})")
            if kind == "ears":
                cells += ["divided", str(count), f"{diff:.1e}", "yes" if tiles else "**NO**",
                          f"{angle:.2f}", f"{result['us']:.0f}"]
            else:
                cells += ["tiles" if tiles else "**NOT A TILING**", f"{angle:.2f}",
                          f"{result['us']:.0f}"]
        for kind in ("best", "agree"):
            if "ears" in angles and kind in angles and angles[kind] < angles["ears"] - 1e-9:
                worse_than_ears.append(f"{row['name']} ({kind})")
        lines.append("| " + " | ".join([
            row["file"].replace(".json", ""), row["name"], str(row["n"]),
            "yes" if simple else "no", *cells,
            "tiles" if e_tiles else f"{e_count} triangles, not a tiling",
            f"{e_angle:.2f}", f"{e_us:.0f}"]) + " |")
        if not survey:
            continue
        largest, fewest, reachable_error, finals = closest(points)
        agree_angle, agree_error = angles.get("agree", math.nan), errors.get("agree", math.nan)
        if not agree_angle >= largest - math.degrees(SAME_ANGLE):
            short_angle.append(f"{row['name']} ({agree_angle:.6f}° < {largest:.6f}°)")
        if thins.get("agree") != fewest:
            more_thin.append(f"{row['name']} ({thins.get('agree')} thin, fewest {fewest})")
        if not abs(agree_error) <= abs(reachable_error) + SAME_ERROR:
            further_off.append(f"{row['name']} ({agree_error:+.4f} m², closest reachable "
                               f"{reachable_error:+.4f})")

        def err(kind):
            return f"{errors[kind]:+.4f}" if kind in errors else FAILED

        def thin(kind):
            return str(thins[kind]) if kind in thins else FAILED
        survey_lines.append("| " + " | ".join([
            row["file"].replace(".json", ""), row["name"], str(row["n"]),
            f"{float(target_area(points)):.4f}",
            f"{angles['ears']:.2f}" if "ears" in angles else FAILED, f"{agree_angle:.2f}",
            f"{largest:.2f}", thin("ears"), thin("best"), thin("agree"), str(fewest),
            err("ears"), err("best"), err("agree"),
            f"{reachable_error:+.4f}", str(finals), f"{allows:.4f}"]) + " |")
    survey_count = len(survey_lines) - 2
    summary = [
        f"polygons: {len(rows)}",
        f"ear division divided and tiling: {tiling['ears']}; reported {FAILED}: "
        f"{sum(r['ears']['outcome'] != 'divided' for r in rows)}",
        f"best-shape division divided and tiling: {tiling['best']}, then by its table: "
        f"{tiling['agree']}; smallest angle below the ear division's: {len(worse_than_ears)}",
        f"earcut tiling: {earcut_ok} of {len(rows)}",
        f"reported divided but not tiling: {len(invalid)}",
        f"survey parcels: {survey_count}; 形状優先: largest smallest angle on "
        f"{survey_count - len(short_angle)}, the fewest thin triangles then on "
        f"{survey_count - len(more_thin)}, the closest reachable table then on "
        f"{survey_count - len(further_off)}",
    ]
    failed = [r["name"] for r in rows if r["ears"]["outcome"] != "divided"]
    if failed:
        summary.append(f"{FAILED}: " + ", ".join(failed))
    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    with open(output, "w") as fh:
        fh.write("# The division on real shapes, beside earcut\n\n")
        fh.write("\n".join(lines) + "\n\n" + "\n".join(summary) + "\n\n")
        fh.write("## ﾍﾛﾝ table per survey parcel (millimetres at scale 1000)\n\n")
        fh.write("Table: sides in metres to 2 places, row areas to 4, final area to 2 (half up). "
                 "Target area: what the search aims at (reachable_tables.target_area: the "
                 "final area the coordinate table prints for the polygon through the corners, "
                 "corners to the millimetre and the double area exact; for the parcel with an "
                 "arc side its chord polygon, as the division takes it). Error: table less the "
                 "target. Thin: triangles whose smallest angle is under "
                 f"{THIN_DEGREES}°. Largest possible smallest angle, fewest thin triangles at "
                 "that angle and closest table under the rule (that angle to 1e-6 rad, then the "
                 "fewest thin, then the closest final area): computed here "
                 "(reachable_tables.py), exhaustively over every total of rows that such a "
                 "triangulation reaches, on every parcel; 'reachable finals' counts the distinct "
                 "final areas among them. Earcut rings: no unit, no table.\n\n")
        fh.write("\n".join(survey_lines) + "\n")
    print("\n".join(summary))
    print(f"table: {output}")
    problems = []
    if invalid:
        problems.append("divided but not tiling: " + ", ".join(invalid))
    if worse_than_ears:
        problems.append("best shape worse than the ear division: " + ", ".join(worse_than_ears))
    if beyond_rounding:
        problems.append("table error beyond what the roundings allow: "
                        + ", ".join(beyond_rounding))
    if short_angle:
        problems.append("best shape then table below the largest smallest angle: "
                        + ", ".join(short_angle))
    if more_thin:
        problems.append("形状優先 with more thin triangles than the fewest at its angle: "
                        + ", ".join(more_thin))
    if further_off:
        problems.append("best shape then table further off than the closest reachable table: "
                        + ", ".join(further_off))
    for p in problems:
        print(p, file=sys.stderr)
    return 1 if problems else 0


sys.exit(main())
