#!/usr/bin/python3
"""parcel_areas.py PARCEL.dxf NAME RESULT.dxf [NAME RESULT.dxf ...]: the demo's closing lines.
Prints the parcel's own coordinate area, computed here from the boundary polyline of PARCEL
(layer 筆界; millimetres, so mm² / 10⁶ = m²): the polygon through the corners by the shoelace
formula, each curved side adding (or taking away) its circular segment. Then, for each run NAME,
the final area the area table in its RESULT shows, beside the parcel's area, and 差 (final area −
parcel area, both to two places).

Each table is checked to add up: 合計 is the sum of its rows' areas, and each row's area is what
the figures the row shows give (a triangle's by Heron's formula on its sides, a segment's from its
radius and its angle in degrees, minutes and seconds), to the row's last place. Where the table shows
座標面積, its 差 is checked against 面積 − 座標面積. Exits 1 when a check fails or a result holds
no table."""
import math
import sys
from decimal import ROUND_HALF_UP, Decimal
from pathlib import Path

import ezdxf

MM2_PER_M2 = 1e6


def boundary(path: str) -> list:
    """The corners (x, y, bulge) of the one closed boundary on 筆界, in the polyline's order."""
    doc = ezdxf.readfile(path)
    outline = [e for e in doc.modelspace().query("LWPOLYLINE") if e.dxf.layer == "筆界"
               and e.closed]
    if len(outline) != 1:
        raise SystemExit(f"{path}: expected one closed boundary on 筆界, found {len(outline)}")
    return list(outline[0].get_points("xyb"))


def twice_chord_area(points: list) -> float:
    """Twice the signed area of the polygon through the corners (counter-clockwise positive)."""
    return sum(x1 * y2 - x2 * y1 for (x1, y1, _), (x2, y2, _)
               in zip(points, points[1:] + points[:1]))


def segment_area(radius: float, theta: float) -> float:
    """The circular segment between a chord and its arc turning through theta."""
    return radius * radius / 2 * (theta - math.sin(theta))


def arc_sides(points: list) -> list:
    """Each curved side as (index of its first corner, chord, radius, central angle θ, sign,
    segment area); the sign is +1 where the arc bulges out of the parcel, -1 where into it."""
    turn = math.copysign(1, twice_chord_area(points))
    sides = []
    for i, (x1, y1, bulge) in enumerate(points):
        if not bulge:
            continue
        x2, y2, _ = points[(i + 1) % len(points)]
        # The arc turns through θ = 4·atan(bulge). A bulge turning the way the boundary runs
        # lies outside it, whichever way round the boundary runs.
        theta = 4 * math.atan(abs(bulge))
        chord = math.hypot(x2 - x1, y2 - y1)
        radius = chord / (2 * math.sin(theta / 2))
        sign = 1 if bulge * turn > 0 else -1
        sides.append((i, chord, radius, theta, sign, segment_area(radius, theta)))
    return sides


def boundary_areas(path: str) -> tuple[float, float]:
    """(chord polygon area, area with the curved sides) in mm² of the closed boundary."""
    points = boundary(path)
    chord = abs(twice_chord_area(points)) / 2
    return chord, chord + sum(s[4] * s[5] for s in arc_sides(points))


def places(value, n: int) -> Decimal:
    # Decided on the value's 15-significant-digit text, as a reader of the number does.
    return Decimal(f"{value:.15g}").quantize(Decimal(1).scaleb(-n), rounding=ROUND_HALF_UP)


# A segment row's angle as its table shows it ("27°22′16″"): the scenarios' reading.
sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "scenarios"))
from derive_expectations import angle_of_text  # noqa: E402


def table_rows(path: str) -> list:
    """The area table's texts as rows, top first: [[text, ...], ...], left to right. The table
    is what lies right of and below its header cell "No." (not the coordinate table's, which
    has "X" beside it)."""
    doc = ezdxf.readfile(path)
    texts = []
    for e in doc.modelspace().query("TEXT"):
        p = e.dxf.align_point if e.dxf.get("halign", 0) else e.dxf.insert
        texts.append((p[0], p[1], e.dxf.text.strip()))
    heads = [(x, y) for x, y, t in texts if t == "No." and
             not any(t2 == "X" and abs(y2 - y) < 1 for _, y2, t2 in texts)]
    if len(heads) != 1:
        return []
    left, top = heads[0]
    rows: dict = {}
    for x, y, t in texts:
        if x >= left - 1 and y <= top + 1:
            rows.setdefault(round(y), []).append((x, t))
    return [[t for _, t in sorted(cells)] for _, cells in sorted(rows.items(), reverse=True)]


def heron(a: float, b: float, c: float) -> float:
    s = (a + b + c) / 2
    return math.sqrt(max(0.0, s * (s - a) * (s - b) * (s - c)))


def row_area(cells: list) -> float:
    """A numbered or segment row's area as its shown figures give it (signed as the row is)."""
    if cells[0].startswith("弓"):
        area = segment_area(float(cells[2].lstrip("R")), angle_of_text(cells[3]))
        return -area if cells[4].startswith("-") else area
    return heron(*map(float, cells[1:4]))


def check_table(name: str, result: str, parcel_m2: Decimal) -> bool:
    rows = table_rows(result)
    labels = {cells[0]: cells for cells in rows}
    if "合計" not in labels or "面積" not in labels:
        print(f"demo: no area table with 合計 and 面積 in {result}", file=sys.stderr)
        return False
    total = Decimal(labels["合計"][-1])
    final = Decimal(labels["面積"][-1])
    # The numbered and segment rows: No. (or 弓N), a, b, c (or chord, R, angle), area.
    shown = [cells for cells in rows if len(cells) == 5 and
             (cells[0].isdigit() or cells[0].startswith("弓"))]
    segments = [cells for cells in shown if cells[0].startswith("弓")]
    by_rows = sum(row_area(cells) for cells in shown)
    what = f"{len(shown) - len(segments)} triangles"
    if segments:
        what += f" and {len(segments)} segment{'s' if len(segments) > 1 else ''}"
    line = (f"{name}: final area {final} m², parcel {parcel_m2} m², 差 {final - parcel_m2} m² "
            f"(合計 {total} m² of {what}; its rows' lengths give {by_rows:.4f} m²")
    ok = True
    # Each row's area as its lengths give it (to the half unit of its last place), and 合計 the
    # sum of the areas as the rows show them.
    for cells in shown:
        half = Decimal(5).scaleb(Decimal(cells[4]).as_tuple().exponent - 1)
        if abs(Decimal(f"{row_area(cells):.15g}") - Decimal(cells[4])) > half + Decimal("1e-9"):
            print(f"demo: {name}: row {cells[0]} shows {cells[4]}, its lengths give "
                  f"{row_area(cells):.6f}", file=sys.stderr)
            ok = False
    as_shown = sum(Decimal(cells[4]) for cells in shown)
    if as_shown != total:
        print(f"demo: {name}: the table's 合計 {total} is not the sum of its rows {as_shown}",
              file=sys.stderr)
        ok = False
    if "座標面積" in labels and "差" in labels:
        own, diff = Decimal(labels["座標面積"][-1]), Decimal(labels["差"][-1])
        line += f"; the table's own 座標面積 {own} m², 差 {diff} m²"
        if diff != final - own:
            print(f"demo: {name}: the table's 差 {diff} is not 面積 − 座標面積 {final - own}",
                  file=sys.stderr)
            ok = False
    print(line + ")")
    return ok


def main(parcel: str, runs: list) -> int:
    points = boundary(parcel)
    chord, curved = boundary_areas(parcel)
    arcs = ", ".join(f"K{i + 1}-K{(i + 1) % len(points) + 1}" for i, *_ in arc_sides(points))
    print(f"parcel: {curved / MM2_PER_M2:.4f} m² from its corners (chord polygon "
          f"{chord / MM2_PER_M2:.4f} m², circular segment {(curved - chord) / MM2_PER_M2:.4f} m² "
          f"of the curved side {arcs})")
    parcel_m2 = places(curved / MM2_PER_M2, 2)
    ok = True
    for name, result in runs:
        ok = check_table(name, result, parcel_m2) and ok
    return 0 if ok else 1


if __name__ == "__main__":
    if len(sys.argv) < 4 or len(sys.argv) % 2:
        raise SystemExit(__doc__.split("\n")[0])
    sys.exit(main(sys.argv[1], list(zip(sys.argv[2::2], sys.argv[3::2]))))
