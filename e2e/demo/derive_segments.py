#!/usr/bin/python3
"""derive_segments.py COORD_X COORD_Y TABLE_X TABLE_Y: the expectation lines of demo-segments.scn,
worked out from survey-parcel.dxf alone, without the program: the division by best shape, the
segment mark of the curved side, the coordinate table's segment and summary rows (its top-left
corner at COORD_X COORD_Y) and the area table's segment row and summary rows (at TABLE_X
TABLE_Y). The rules (metres, half up):

- The segment mark "弓1" stands upright one label height (300) beyond the arc's middle point:
  the chord's midpoint moved by the sagitta |bulge|·chord/2 and 300 more away from the parcel,
  for an arc that bulges out. It carries the
  chord, the radius and +1 (bulging out) as the point of its "VELSAROM_SEGMENT" data.
- A segment row shows the central angle as measured, θ = 4·atan|bulge|, in degrees, minutes and
  seconds to the second, and its area comes from the radius as the row shows it (two places) and
  that shown angle alone: r²(θ − sin θ)/2, four places, in both tables.
- The coordinate table: one row per corner (X = drawing y, Y = drawing x in metres, three
  places), then the segment row ("弓1", R radius, angle, area), 倍面積 (the exact sum of
  X·(Y next − Y before) from the shown coordinates), 弓形計 (the segment areas as shown), 面積 =
  倍面積/2 + 弓形計 exactly and 最終面積 (面積 to two places). Columns of 1500, 3000, 3000, 4500.
- The area table: each triangle's row by Heron's formula on its sides to two places (area to
  four), then the segment row (chord, R radius, angle, area), 合計 (the rows' areas as shown),
  面積 (合計 to two places, then two blanks), 座標面積 (the coordinate table's 最終面積) and 差
  (面積 − 座標面積). Columns of 1500, 3000, 3000, 3000, 4500.
- A column is widened where a row's text would run over it (the scenarios' rule, fitted()).
- Rows are 800 high under a header row; a cell stands right-aligned 400 left of its column's
  end, at the row's middle.
"""
import math
import sys
from decimal import Decimal
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "scenarios"))
# The runner's quoting, the angle's text and the columns' fitting: one rule with the scenarios.
from derive_expectations import angle_of_text, angle_text, fitted, quoted  # noqa: E402
from parcel_areas import arc_sides, boundary, heron, places, segment_area, twice_chord_area

PARCEL = Path(__file__).with_name("survey-parcel.dxf")
# The triangles as 形状優先 numbers them, each as (p1, p2, p3) with sides a = p1p2, b = p2p3,
# c = p3p1, read off the program's drawing (its diagonals and each number's data); main() checks
# that they tile the chord polygon. Corners by their index in the polyline, K1 first.
TRIANGLES = [(2, 16, 1), (2, 15, 16), (2, 13, 15), (2, 3, 13), (3, 7, 13), (3, 4, 7), (4, 6, 7),
             (4, 5, 6), (7, 10, 13), (7, 9, 10), (7, 8, 9), (10, 11, 13), (11, 12, 13),
             (13, 14, 15)]
ROW = 800
COORD_WIDTHS = [1500, 3000, 3000, 4500]
TABLE_WIDTHS = [1500, 3000, 3000, 3000, 4500]


def edges(widths, rows) -> list:
    w = fitted(widths, rows)
    return [sum(w[:j + 1]) for j in range(len(w))]


def cells(corner, edges, row, values, first_column=0) -> list:
    x0, y0 = corner
    y = y0 - row * ROW - ROW / 2
    return [f"text * {quoted(v)} {x0 + edges[first_column + j] - ROW / 2:.0f} {y:.0f} 0.01"
            for j, v in enumerate(values)]


def main(coord_corner, table_corner) -> None:
    points = boundary(str(PARCEL))
    corners = [(x, y) for x, y, _ in points]
    k = {i: corners[i - 1] for i in range(1, len(corners) + 1)}
    chord_area = abs(twice_chord_area(points)) / 2
    tiles = [abs((k[b][0] - k[a][0]) * (k[c][1] - k[a][1]) -
                 (k[c][0] - k[a][0]) * (k[b][1] - k[a][1])) / 2 for a, b, c in TRIANGLES]
    assert abs(sum(tiles) - chord_area) < 1e-6 * chord_area, "the triangles do not tile"
    diagonals = {frozenset(p) for a, b, c in TRIANGLES for p in ((a, b), (b, c), (c, a))}
    diagonals = [tuple(sorted(d)) for d in diagonals
                 if max(d) - min(d) not in (1, len(corners) - 1)]
    arcs = arc_sides(points)
    # The texts: every side's and diagonal's length, the numbers, the segment marks, the
    # coordinate table (header, four cells a corner and a segment, four summary rows of two)
    # and the area table (header, five cells a triangle and a segment, four summary rows of two).
    labels = len(corners) + len(diagonals)
    texts = labels + len(TRIANGLES) + len(arcs) + 4 + 4 * (len(corners) + len(arcs)) + 4 * 2 + \
        5 + 5 * (len(TRIANGLES) + len(arcs)) + 4 * 2
    out = ["# The texts, the numbers and the diagonals of the division by best shape.",
           f"count TEXT H_TEXT {texts}",
           f"count CIRCLE H_TEXT {len(TRIANGLES)}",
           f"marks-area VELSAROM {chord_area:.0f}",
           f"count LINE H_HEN {len(diagonals)}"]
    out += [f"line H_HEN {k[a][0]:.0f} {k[a][1]:.0f} {k[b][0]:.0f} {k[b][1]:.0f}"
            for a, b in sorted(diagonals)]

    # The segment mark of each curved side (the demo's parcel has one).
    shown = []
    for n, (i, chord, radius, theta, sign, _) in enumerate(arcs, start=1):
        (x1, y1), (x2, y2) = corners[i], corners[(i + 1) % len(corners)]
        sagitta = radius * (1 - math.cos(theta / 2))
        # Towards the arc: away from the parcel (left of a counter-clockwise boundary) for an arc
        # that bulges out, into it for one that bulges in.
        nx, ny = (y2 - y1) / chord, (x1 - x2) / chord
        turn = math.copysign(1, twice_chord_area(points)) * sign
        # The mark stands one label height (300) beyond the arc's middle.
        beyond = sagitta + 300
        mx, my = (x1 + x2) / 2 + turn * beyond * nx, (y1 + y2) / 2 + turn * beyond * ny
        out.append(f"# The segment mark of K{i + 1}-K{(i + 1) % len(corners) + 1}.")
        out.append(f"label H_TEXT 弓{n} {mx:.3f} {my:.3f} 0")
        out.append(f"appdata 弓{n} VELSAROM_SEGMENT {chord:.3f} {radius:.3f} {sign}")
        c, r = places(chord / 1000, 2), places(radius / 1000, 2)
        angle = angle_text(theta)
        area = places(sign * segment_area(float(r), angle_of_text(angle)), 4)
        shown.append((n, c, r, angle, area))

    # The coordinate table, clockwise: its segment rows after the corners', then the summary.
    ring = [(places(y / 1000, 3), places(x / 1000, 3)) for x, y in corners]  # (X, Y)
    products = [ring[i][0] * (ring[(i + 1) % len(ring)][1] - ring[i - 1][1])
                for i in range(len(ring))]
    if sum(products) < 0:  # the table runs clockwise
        ring = ring[:1] + ring[:0:-1]
        products = [ring[i][0] * (ring[(i + 1) % len(ring)][1] - ring[i - 1][1])
                    for i in range(len(ring))]
    double = sum(products)
    rows = [[str(i + 1), str(x), str(y), str(p)] for i, ((x, y), p) in enumerate(zip(ring, products))]
    segment_rows = [[f"弓{n}", f"R{r}", angle, str(area)] for n, c, r, angle, area in shown]
    coord_edges = edges(COORD_WIDTHS, rows + segment_rows)
    row = len(corners) + 1
    out.append("# The coordinate table's segment rows and its summary.")
    out.append("no-text H_TEXT 円弧を含む")
    segments_total = sum((area for *_, area in shown), Decimal(0))
    for values in segment_rows:
        out += cells(coord_corner, coord_edges, row, values)
        row += 1
    area = double / 2 + segments_total
    coordinate_area = places(area, 2)
    for label, value in (("倍面積", double), ("弓形計", segments_total), ("面積", area),
                         ("最終面積", coordinate_area)):
        out += cells(coord_corner, coord_edges, row, [label, str(value)], 2)
        row += 1

    # The area table: the triangles' rows add up with the segment rows.
    total, rows = Decimal(0), []
    for number, (a, b, c) in enumerate(TRIANGLES, start=1):
        sides = [places(math.dist(k[p], k[q]) / 1000, 2) for p, q in ((a, b), (b, c), (c, a))]
        last = places(heron(*map(float, sides)), 4)
        total += last
        rows.append([str(number), *map(str, sides), str(last)])
    segment_rows = [[f"弓{n}", str(c), f"R{r}", angle, str(area)] for n, c, r, angle, area in shown]
    table_edges = edges(TABLE_WIDTHS, rows + segment_rows)
    row = len(TRIANGLES) + 1
    out.append("# The area table's segment rows and its summary.")
    for values in segment_rows:
        total += Decimal(values[-1])
        out += cells(table_corner, table_edges, row, values)
        row += 1
    final = places(total, 2)
    for label, value in (("合計", str(total)), ("面積", f"{final}  "),
                         ("座標面積", f"{coordinate_area}  "),
                         ("差", f"{final - coordinate_area}  ")):
        out += cells(table_corner, table_edges, row, [label, value], 3)
        row += 1
    print("\n".join(out))


if __name__ == "__main__":
    x1, y1, x2, y2 = map(float, sys.argv[1:5])
    main((x1, y1), (x2, y2))
