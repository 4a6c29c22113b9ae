#!/usr/bin/python3
"""parcel_areas.py PARCEL.dxf RESULT.dxf: the demo's closing lines. Prints the final area the
area table in RESULT shows beside the parcel's own coordinate area, computed here from the
boundary polyline of PARCEL (layer 筆界; millimetres, so mm² / 10⁶ = m²): the polygon through
the corners by the shoelace formula, each curved side adding (or taking away) its circular
segment. The division takes a curved side as its chord, so the chord polygon is printed too.
The table's 合計 is checked against Heron's formula on the lengths its rows show; exits 1 when
they differ or no table is found."""
import math
import sys

import ezdxf

MM2_PER_M2 = 1e6


def boundary_areas(path: str) -> tuple[float, float]:
    """(chord polygon area, area with the curved sides) in mm² of the closed boundary."""
    doc = ezdxf.readfile(path)
    outline = [e for e in doc.modelspace().query("LWPOLYLINE") if e.dxf.layer == "筆界"
               and e.closed]
    if len(outline) != 1:
        raise SystemExit(f"{path}: expected one closed boundary on 筆界, found {len(outline)}")
    points = list(outline[0].get_points("xyb"))
    chord = 0.0  # twice the signed area
    segments = 0.0
    for i, (x1, y1, bulge) in enumerate(points):
        x2, y2, _ = points[(i + 1) % len(points)]
        chord += x1 * y2 - x2 * y1
        if bulge:
            # The arc turns through θ = 4·atan(bulge); its segment beyond the chord is
            # r²/2·(θ − sin θ), counter-clockwise arcs counted positive.
            theta = 4 * math.atan(abs(bulge))
            c = math.hypot(x2 - x1, y2 - y1)
            r = c / (2 * math.sin(theta / 2))
            segments += math.copysign(r * r / 2 * (theta - math.sin(theta)), bulge)
    # Signed areas: a bulge turning with the boundary adds its segment, one turning against it
    # takes it away, whichever way round the boundary runs.
    return abs(chord) / 2, abs(chord / 2 + segments)


def table_rows(path: str) -> list:
    """The area table's texts as rows, top first: [[text, ...], ...], left to right. The table
    is what lies right of and below its header cell "No."."""
    doc = ezdxf.readfile(path)
    texts = []
    for e in doc.modelspace().query("TEXT"):
        p = e.dxf.align_point if e.dxf.get("halign", 0) else e.dxf.insert
        texts.append((p[0], p[1], e.dxf.text.strip()))
    heads = [(x, y) for x, y, t in texts if t == "No."]
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


def main(parcel: str, result: str) -> int:
    chord, curved = boundary_areas(parcel)
    rows = table_rows(result)
    labels = {cells[0]: cells for cells in rows}
    if "合計" not in labels or "面積" not in labels:
        print(f"demo: no area table with 合計 and 面積 in {result}", file=sys.stderr)
        return 1
    total = float(labels["合計"][-1])
    final = labels["面積"][-1]
    # The numbered rows: No., a, b, c, area.
    shown = [cells for cells in rows if len(cells) == 5 and cells[0].isdigit()]
    by_heron = sum(heron(*map(float, cells[1:4])) for cells in shown)
    print(f"final area (面積 in the area table): {final} m²")
    print(f"coordinate area of the parcel:       {curved / MM2_PER_M2:.4f} m² "
          f"(chord polygon {chord / MM2_PER_M2:.4f} m² + circular segment "
          f"{(curved - chord) / MM2_PER_M2:.4f} m²)")
    print(f"the division takes the curved side as its chord: the table's {total:.4f} m² "
          f"(合計, {len(shown)} triangles) against the chord polygon's "
          f"{chord / MM2_PER_M2:.4f} m²; Heron on the lengths the rows show gives "
          f"{by_heron:.4f} m²")
    if abs(by_heron - total) > 0.0001 * len(shown):
        print(f"demo: the table's 合計 {total} is not the sum of its rows {by_heron:.4f}",
              file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
