#!/usr/bin/env python3
"""Checks one whole run (自動, 最大, 作成) written by WholeRunTest without the product's code.

From the outline: the parcel's coordinate area (shoelace, an arc side adding its circular
segment) and the area of the polygon through its corners (an arc side taken as its chord, as
the region is divided). From the sides the marks carry: each side in metres rounded half up to
2 places, each row's area by Heron from the rounded sides rounded half up to 4 places, their sum,
the final area rounded half up to 2 places and followed by two blanks. In base-height mode each
row shows the longest side (the earlier on a tie) and the height 2A/base, both rounded half up to
2 places, and their product; the total is halved before the final rounding. The table's final text
must equal that; the final area must lie within what the roundings allow of the polygon's area.
Prints one line per parcel.
"""
import math
import os
import sys
from decimal import Decimal

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from heron_table import area_slope_bound, half_up, heron, heron_row, near_tie  # noqa: E402


def smallest_angle(a, b, c):
    angles = []
    for x, y, z in ((a, b, c), (b, c, a), (c, a, b)):
        cos = max(-1.0, min(1.0, (y * y + z * z - x * x) / (2 * y * z)))
        angles.append(math.degrees(math.acos(cos)))
    return min(angles)


def main(path):
    name, mode, corners, marks, texts = None, "three-side", [], [], []
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            kind, _, rest = line.partition(" ")
            if kind == "parcel":
                name = rest
            elif kind == "mode":
                mode = rest
            elif kind == "corner":
                corners.append(tuple(float(v) for v in rest.split()))
            elif kind == "mark":
                fields = rest.split()
                marks.append((int(fields[0]), [float(v) for v in fields[1:]]))
            elif kind == "text":
                texts.append(rest)

    # Coordinate areas in m².
    chord2 = 0.0
    segments2 = 0.0
    for i, (x1, y1, bulge) in enumerate(corners):
        x2, y2, _ = corners[(i + 1) % len(corners)]
        chord2 += x1 * y2 - x2 * y1
        if bulge != 0:
            sweep = 4 * math.atan(bulge)
            chord = math.hypot(x2 - x1, y2 - y1)
            radius = chord / (2 * math.sin(abs(sweep) / 2))
            segments2 += radius * radius * (sweep - math.sin(sweep))
    polygon_area = abs(chord2) / 2 / 1e6
    parcel_area = abs(chord2 + segments2) / 2 / 1e6

    failures = []
    total = Decimal(0)
    allowance = 0.005  # the final rounding
    smallest = 180.0
    rows = []
    for number, sides in sorted(marks, key=lambda m: m[0]):
        metres, shown, area = heron_row(sides)
        if any(near_tie(m, 2) for m in metres):
            failures.append(f"mark {number}: a side on a rounding tie {metres}")
        exact = [s / 1000 for s in sides]
        smallest = min(smallest, smallest_angle(*exact))
        if mode == "base-height":
            # The longest side, the earlier of equal ones; the height from the unrounded sides.
            longest = max(range(3), key=lambda i: (metres[i], -i))
            base = metres[longest]
            height = 2 * heron(*metres) / base if min(metres) > 0 else Decimal(0)
            if near_tie(base, 2) or near_tie(height, 2):
                failures.append(f"mark {number}: base or height on a rounding tie")
            shown_base, shown_height = half_up(base, 2), half_up(height, 2)
            row_area = half_up(shown_base * shown_height, 4)
            total += row_area
            rows.append([str(number), str(shown_base), str(shown_height), str(row_area)])
            # Half of the product's movement with base and height, each off by half a cent.
            allowance += (0.005 * (float(base) + float(height)) + 0.005 ** 2) / 2
            continue
        if near_tie(area, 4):
            failures.append(f"mark {number}: an area on a rounding tie {area}")
        row_area = half_up(area, 4)
        total += row_area
        rows.append([str(number)] + [str(s) for s in shown] + [str(row_area)])
        allowance += 0.00005 + 0.005 * area_slope_bound(*exact)
    # The table as the host shows it: head, rows, 合計 (and 1/2) and 面積. A half total is an
    # exact decimal, rounded as such.
    if mode == "base-height":
        half = total / 2
        final_value = half_up(half, 2)
        want = ["No.", "底辺", "高さ", "面積"]
        for r in rows:
            want += r
        want += ["合計", str(half_up(total, 4)), "1/2", str(half_up(half, 4)), "面積",
                 f"{final_value}  "]
    else:
        if near_tie(total, 2):
            failures.append(f"total on a rounding tie {total}")
        final_value = half_up(total, 2)
        want = ["No.", "a", "b", "c", "面積"]
        for r in rows:
            want += r
        want += ["合計", str(half_up(total, 4)), "面積", f"{final_value}  "]
    final_text = f"{final_value}  "
    if texts != want:
        failures.append(f"table texts differ:\n  host {texts}\n  want {want}")

    final = float(final_value)
    if abs(final - polygon_area) > allowance:
        failures.append(
            f"final {final:.4f} m² is {abs(final - polygon_area):.4f} from the polygon's "
            f"{polygon_area:.4f} m², more than the roundings allow ({allowance:.4f})")

    difference = abs(final - parcel_area)
    print(f"{name} ({mode}): corners {len(corners)}, triangles {len(marks)}, coordinate area "
          f"{parcel_area:.4f} m² (polygon through the corners {polygon_area:.4f}), table "
          f"{final_text.strip()} m², difference {difference:.4f} m², rounding allows "
          f"{allowance:.4f}, smallest triangle angle {smallest:.2f}°"
          + ("  [differs by more than 0.05 m²]" if difference > 0.05 else ""))
    for f in failures:
        print(f"{name}: FAIL {f}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
