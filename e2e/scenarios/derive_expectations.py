#!/usr/bin/python3
"""derive_expectations.py PARCEL MODE [TABLE_X TABLE_Y]: the expectation lines of a labelled
parcel, worked out from its corners alone, without the program: what a surveyor checks by hand.

PARCEL names one of the parcels below (its corners in drawing units, mm at 1:1000, and its
triangles in the order the division numbers them, each as the corners p1 p2 p3). MODE is
`three` (every side and diagonal labelled with its length) or `base-height` (each triangle's
longest side as base, the height from the opposite corner). With TABLE_X TABLE_Y, also the cells
of the area table whose top-left corner is there.

- A length label reads the length in metres, two places, half up, and stands on the segment's
  midpoint (bottom-centre justified) turned along the segment so that it reads from left to
  right or upwards: the direction folded into (-90°, 90°].
- A segment shared by two triangles is labelled once.
- A number mark: a circle of radius 500 and the number upright at the centre: the incentre
  (sides weighting the opposite corners) of the triangle in three-side mode; in base-height mode
  the incentre of the larger of the two right triangles the height cuts off.
- Table rows: the sides in metres, two places, half up; the area by Heron's formula from those
  rounded sides, four places half up; 合計 the sum of the rows' areas as shown; 面積 that sum to
  two places, followed by two blanks (the width of the two further places). Row height 800,
  widths 1500,3000,3000,3000,4500: a row's cells stand right-aligned half a row height left of
  their column's right edge, at the middle of the row.
"""
import math
import sys
from decimal import ROUND_HALF_UP, Decimal

PARCELS = {
    # e2e/demo/parcel.dxf: the pentagon K1..K5, cut by the diagonals K2-K5 and K2-K4.
    "pentagon": {
        "corners": {"K1": (1000, 1000), "K2": (19500, 2200), "K3": (23800, 14600),
                    "K4": (12600, 21300), "K5": (2400, 16800)},
        "triangles": [("K5", "K1", "K2"), ("K4", "K5", "K2"), ("K2", "K3", "K4")],
    },
    # e2e/demo/survey-parcel.dxf: K1..K16 (metres drawn as mm), the curved side K8-K9 taken
    # as its chord. The triangles are the division's own (its diagonals read off the drawing);
    # main() checks that they tile the parcel's chord polygon.
    "survey": {
        "corners": {f"K{i}": (x * 1000, y * 1000) for i, (x, y) in enumerate(
            [(0, 0), (8.2, -0.6), (17.5, 0.4), (26.1, -0.3), (34.8, 1.2), (36.2, 9.7),
             (35.1, 18.4), (36.9, 27.5), (28.0, 33.1), (21.4, 31.8), (15.2, 34.6), (9.1, 30.2),
             (8.4, 22.7), (2.3, 21.1), (3.1, 13.5), (-0.8, 6.9)], start=1)},
        "triangles": [("K13", "K14", "K15"), ("K16", "K1", "K2"), ("K15", "K16", "K2"),
                      ("K15", "K2", "K3"), ("K13", "K15", "K3"), ("K4", "K3", "K13"),
                      ("K4", "K13", "K12"), ("K11", "K12", "K4"), ("K10", "K11", "K4"),
                      ("K10", "K4", "K5"), ("K9", "K10", "K5"), ("K9", "K5", "K6"),
                      ("K9", "K6", "K7"), ("K7", "K8", "K9")],
    },
}


def places(value: float, n: int) -> str:
    # Decided on the value's 15-significant-digit text, as a reader of the number does.
    return str(Decimal(f"{value:.15g}").quantize(Decimal(1).scaleb(-n), rounding=ROUND_HALF_UP))


def folded(a, b) -> float:
    d = math.degrees(math.atan2(b[1] - a[1], b[0] - a[0]))
    return d - 180 if d > 90 else d + 180 if d <= -90 else d


def incentre(a, b, c):
    la, lb, lc = math.dist(b, c), math.dist(c, a), math.dist(a, b)
    s = la + lb + lc
    return ((la * a[0] + lb * b[0] + lc * c[0]) / s, (la * a[1] + lb * b[1] + lc * c[1]) / s)


def heron(a, b, c) -> float:
    s = (a + b + c) / 2
    return math.sqrt(s * (s - a) * (s - b) * (s - c))


def foot(a, b, p):
    t = ((p[0] - a[0]) * (b[0] - a[0]) + (p[1] - a[1]) * (b[1] - a[1])) / math.dist(a, b) ** 2
    return (a[0] + t * (b[0] - a[0]), a[1] + t * (b[1] - a[1]))


def label(a, b) -> str:
    m = ((a[0] + b[0]) / 2, (a[1] + b[1]) / 2)
    return f"label H_TEXT {places(math.dist(a, b) / 1000, 2)} {m[0]:.3f} {m[1]:.3f} " \
           f"{folded(a, b):.4f}"


def main(argv: list) -> None:
    parcel = PARCELS[argv[1]]
    mode = argv[2]
    k = parcel["corners"]
    # The triangles tile the polygon through the corners: their areas add up to its shoelace
    # area.
    ring = list(k.values())
    shoelace = sum(a[0] * b[1] - b[0] * a[1] for a, b in zip(ring, ring[1:] + ring[:1])) / 2
    areas = [abs((k[b][0] - k[a][0]) * (k[c][1] - k[a][1]) -
                 (k[c][0] - k[a][0]) * (k[b][1] - k[a][1])) / 2 for a, b, c in parcel["triangles"]]
    assert abs(sum(areas) - abs(shoelace)) < 1e-6 * abs(shoelace), "no tiling"
    out, done = [], set()
    for number, names in enumerate(parcel["triangles"], start=1):
        p = [k[n] for n in names]
        if mode == "three":
            for i in range(3):
                seg = frozenset((names[i], names[(i + 1) % 3]))
                if seg not in done:
                    done.add(seg)
                    out.append(label(p[i], p[(i + 1) % 3]))
            centre = incentre(*p)
        else:
            sides = [(math.dist(p[i], p[(i + 1) % 3]), i) for i in range(3)]
            _, i = max(sides)
            s, e, apex = p[i], p[(i + 1) % 3], p[(i + 2) % 3]
            seg = frozenset((names[i], names[(i + 1) % 3]))
            if seg not in done:
                done.add(seg)
                out.append(label(s, e))
            f = foot(s, e, apex)
            out.append(label(apex, f))
            out.append(f"line H_TAKASA {apex[0]:.3f} {apex[1]:.3f} {f[0]:.3f} {f[1]:.3f}")
            far = s if math.dist(s, f) > math.dist(e, f) else e
            centre = incentre(far, apex, f)
        out.append(f"mark H_TEXT {number} {centre[0]:.3f} {centre[1]:.3f} 500")
    if len(argv) > 4:
        x0, y0 = float(argv[3]), float(argv[4])
        edges = [1500, 4500, 7500, 10500, 15000]
        total = Decimal(0)
        for r, names in enumerate(parcel["triangles"]):
            p = [k[n] for n in names]
            sides = [places(math.dist(p[i], p[(i + 1) % 3]) / 1000, 2) for i in range(3)]
            area = places(heron(*map(float, sides)), 4)
            total += Decimal(area)
            y = y0 - (r + 1) * 800 - 400
            for j, v in enumerate([str(r + 1), *sides, area]):
                out.append(f"text * {v} {x0 + edges[j] - 400:.0f} {y:.0f} 0.01")
        y = y0 - (len(parcel["triangles"]) + 1) * 800 - 400
        out.append(f"text * 合計 {x0 + edges[3] - 400:.0f} {y:.0f} 0.01")
        out.append(f"text * {total} {x0 + edges[4] - 400:.0f} {y:.0f} 0.01")
        final = places(float(total), 2) + "  "
        out.append(f"text * 面積 {x0 + edges[3] - 400:.0f} {y - 800:.0f} 0.01")
        out.append(f'text * "{final}" {x0 + edges[4] - 400:.0f} {y - 800:.0f} 0.01')
    print("\n".join(out))


if __name__ == "__main__":
    main(sys.argv)
