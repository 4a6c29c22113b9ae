#!/usr/bin/python3
"""derive_expectations.py PARCEL MODE [TABLE_X TABLE_Y] [--segments] [--coordinate-table X Y]:
the expectation lines of a labelled parcel, worked out from its corners (and the bulges of its
curved sides) alone, without the program: what a surveyor checks by hand.

PARCEL names one of the parcels below: its corners in drawing units, mm at 1:1000,
counter-clockwise; the bulge of each curved side on the corner where it starts; and its
triangles in the order the division numbers them, each as the corners p1 p2 p3, their sides
p1p2, p2p3, p3p1 in the order the mark's data holds them ("triangles MODE" where the division
differs by mode). MODE is `three` (every side and diagonal labelled with its length) or
`base-height` (each triangle's longest side as base, the height from the opposite corner). With
TABLE_X TABLE_Y, also the cells of the area table whose top-left corner is there.
With --segments (curved sides counted as circular segments), also a segment mark per curved side
and its row in the tables. With --coordinate-table X Y, also the coordinate table whose top-left
corner is there, and the area table's rows that compare with it.

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
  their column's right edge, at the middle of the row. In base-height mode the columns are
  1500,3000,3000,4500: base (the longest side), height and base × height (both as shown, four
  places), then 合計, 1/2 and 面積.
- A curved side with bulge b and chord c: central angle θ = 4·atan|b|, radius
  r = c / (2 sin(θ/2)), segment area r²(θ − sin θ)/2, counted + where the arc bulges out of the
  parcel and − where it bulges in. Its mark "弓N" stands upright one label height (300) beyond
  the arc's middle (the chord's midpoint moved |b|·c/2 towards the arc) and carries chord, radius and sign as a point and θ as
  a real under VELSAROM_SEGMENT. Its table row: "弓N", the chord and "R" and the radius as shown
  (two places), the central angle as measured in degrees, minutes and seconds to the second
  ("34°07′25″"), and the area r²(θ − sin θ)/2 from the shown radius and the shown angle, four
  places half up; in base-height mode the chord is left out and the last cell is twice that area.
  A column is widened where a row's text would run over it: to 0.6 text heights (400) per ASCII
  or half-width katakana character and 1.2 per other, plus three quarters of a row height (800).
- The coordinate table: from the lowest (then leftmost) corner, where the host's trace starts,
  clockwise; X = drawing y, Y = drawing x, in metres (three places, half up), and
  X·(Y next − Y before) from those exactly (six places); after them a row per curved side
  ("弓k", "R" radius, the angle, the signed area as in the area table); 倍面積 the exact sum,
  弓形計 the exact sum of the shown segment areas, 面積 exactly 倍面積/2 + 弓形計, 最終面積 that to
  two places half up.
- A comment line gives the true area (the chord polygon and the exact segments) beside the
  table's 面積, and the bound that rounding the shown values allows; the script stops when the
  table's area lies outside it, or when a segment's area is within it (its loss would not show).
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
    # e2e/scenarios/drawings/arc-frontage.dxf: a road frontage K1-K2 bulging 1.5 m out of the
    # parcel. The triangles are the division's own (形状優先 on; its diagonals K2-K6, K2-K5 and
    # K2-K4 and each number's sides read off the drawing).
    "frontage": {
        "corners": {"K1": (4000, 3000), "K2": (24000, 3617), "K3": (27000, 14000),
                    "K4": (19000, 22000), "K5": (7000, 20000), "K6": (2000, 11000)},
        "bulges": {"K1": 0.15},
        "triangles": [("K6", "K1", "K2"), ("K4", "K5", "K2"), ("K4", "K2", "K3"),
                      ("K2", "K5", "K6")],
    },
    # e2e/scenarios/drawings/cul-de-sac.dxf: the frontage K4-K5 on a turning circle, bulging
    # 1.8 m into the parcel. The division's triangles (形状優先 on; diagonals K2-K6, K2-K4 and
    # K4-K6; in base-height mode it fans out from K2 instead: K2-K6, K2-K5 and K2-K4).
    "cul-de-sac": {
        "corners": {"K1": (3000, 2000), "K2": (19000, 3000), "K3": (21000, 13000),
                    "K4": (15000, 19000), "K5": (3000, 18000), "K6": (1000, 9000)},
        "bulges": {"K4": -0.3},
        "triangles": [("K6", "K1", "K2"), ("K2", "K3", "K4"), ("K2", "K4", "K6"),
                      ("K6", "K4", "K5")],
        "triangles base-height": [("K1", "K2", "K6"), ("K2", "K5", "K6"), ("K2", "K4", "K5"),
                                  ("K2", "K3", "K4")],
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


def triangles(parcel, mode) -> list:
    """The division's triangles in this mode (where it divides differently, they are listed
    apart)."""
    return parcel.get(f"triangles {mode}", parcel["triangles"])


def shoelace(ring) -> float:
    return sum(a[0] * b[1] - b[0] * a[1] for a, b in zip(ring, ring[1:] + ring[:1])) / 2


def rounding_bound(f, xs, half) -> float:
    """How far f can move when each of xs moves by up to half (first order)."""
    total, h = 0.0, 1e-6
    for i in range(len(xs)):
        up, down = list(xs), list(xs)
        up[i] += h
        down[i] -= h
        total += abs(f(*up) - f(*down)) / (2 * h) * half
    return total


def angle_text(rad: float) -> str:
    """A central angle as the segment row shows it: degrees, minutes and seconds to the second."""
    s = int(Decimal(repr(rad * 648000 / math.pi)).quantize(Decimal(1), rounding=ROUND_HALF_UP))
    return f"{s // 3600}°{s // 60 % 60:02d}′{s % 60:02d}″"


def angle_of_text(text: str) -> float:
    d, rest = text.split("°")
    m, rest = rest.split("′")
    return (int(d) * 3600 + int(m) * 60 + int(rest.rstrip("″"))) * math.pi / 648000


def text_width(text: str) -> float:
    return sum(0.6 if ord(ch) < 128 or 0xFF61 <= ord(ch) <= 0xFF9F else 1.2 for ch in text) * 400


def fitted(widths, rows):
    """The widths a table is drawn with: each widened to fit its rows' texts."""
    out = list(widths)
    for cells in rows:
        for j, v in enumerate(cells):
            out[j] = max(out[j], text_width(v) + 600)
    return out


LABEL_HEIGHT = 300


def segments(parcel) -> list:
    """The parcel's curved sides in the order of a clockwise walk from its first corner (the
    coordinate table's order, which names them), each with what its mark and rows need."""
    k = parcel["corners"]
    names = list(k)
    ccw = shoelace(list(k.values())) > 0
    out = []
    for i, name in enumerate(names):
        b = parcel.get("bulges", {}).get(name, 0)
        if not b:
            continue
        end = names[(i + 1) % len(names)]
        p, q = k[name], k[end]
        c = math.dist(p, q)
        theta = 4 * math.atan(abs(b))
        r = c / (2 * math.sin(theta / 2))
        # A positive bulge runs counter-clockwise from p to q: the arc lies right of p→q, which
        # is outside a counter-clockwise parcel.
        sign = 1 if (b > 0) == ccw else -1
        toward = 1 if b > 0 else -1  # the arc's side: right of p→q for a positive bulge
        # The mark: one label height (300) beyond the arc's middle, which lies the sagitta
        # |b|·c/2 off the chord's middle.
        s = abs(b) * c / 2 + LABEL_HEIGHT
        middle = ((p[0] + q[0]) / 2 + toward * (q[1] - p[1]) / c * s,
                  (p[1] + q[1]) / 2 - toward * (q[0] - p[0]) / c * s)
        chord, radius = places(c / 1000, 2), places(r / 1000, 2)
        angle = angle_text(theta)
        t = angle_of_text(angle)
        shown = places(sign * float(radius) ** 2 * (t - math.sin(t)) / 2, 4)
        out.append({"ends": (name, end), "chord": c, "radius": r, "theta": theta, "sign": sign,
                    "middle": middle, "area": r * r * (theta - math.sin(theta)) / 2 / 1e6,
                    "chord_text": chord, "radius_text": radius, "angle_text": angle,
                    "shown": shown})
    return out[::-1] if ccw else out


def segment_lines(segs) -> list:
    out = []
    for n, seg in enumerate(segs, start=1):
        x, y = seg["middle"]
        out.append(f"label H_TEXT 弓{n} {x:.3f} {y:.3f} 0")
        out.append(f"text-style H_TEXT 弓{n} 300 Standard {x:.3f} {y:.3f} 0.01")
        out.append("tolerance 0.0001")
        out.append(f"appdata 弓{n} VELSAROM_SEGMENT {seg['chord']:.6f} {seg['radius']:.6f} "
                   f"{seg['sign']} {seg['theta']:.8f}")
        out.append("tolerance 0.01")
    return out


def row_texts(x0, y0, row, cells, edges) -> list:
    y = y0 - row * 800 - 400
    return [f"text * {quoted(v)} {x0 + edges[j] - 400:.0f} {y:.0f} 0.01"
            for j, v in enumerate(cells)]


def quoted(v: str) -> str:
    """A value as the runner's shell-like split reads it back."""
    if " " in v or "'" in v or '"' in v:
        return '"' + v.replace("\\", "\\\\").replace('"', '\\"') + '"'
    return v


def header_texts(x0, y0, heads, widths) -> list:
    out, left = [], x0
    for head, w in zip(heads, widths):
        out.append(f"text * {head} {left + w / 2:.0f} {y0 - 400:.0f} 0.01")
        left += w
    return out


def table_texts(x0, y0, heads, widths, rows, summary):
    """The texts of a table: heads centred, rows right-aligned, summary rows as label and value
    in the last two columns; the columns fitted to the rows."""
    widths = fitted(widths, rows)
    edges = [sum(widths[:j + 1]) for j in range(len(widths))]
    out = header_texts(x0, y0, heads, widths)
    for r, cells in enumerate(rows, start=1):
        out += row_texts(x0, y0, r, cells, edges)
    for r, (label_text, value) in enumerate(summary, start=len(rows) + 1):
        out += row_texts(x0, y0, r, [label_text, value], edges[-2:])
    return out


def segment_bound(seg) -> float:
    """What rounding a segment's radius (half a hundredth) and angle (half a second) and its
    area (half a unit of four places) can move its row."""
    r, t = float(seg["radius_text"]), seg["theta"]
    return (r * (t - math.sin(t)) * 0.005 + r * r * (1 - math.cos(t)) / 2 * math.pi / 1296000
            + 0.00005)


def coordinate_table(parcel, segs, x0, y0):
    """The coordinate table's texts, its final area (Decimal) and the bound of its rounding."""
    k = parcel["corners"]
    names = list(k)
    start = names.index(min(names, key=lambda n: (k[n][1], k[n][0])))
    turn = 1 if shoelace(list(k.values())) > 0 else -1
    order = [names[(start - turn * i) % len(names)] for i in range(len(names))]  # clockwise
    xs = [Decimal(places(k[n][1] / 1000, 3)) for n in order]  # north
    ys = [Decimal(places(k[n][0] / 1000, 3)) for n in order]  # east
    n = len(order)
    rows, double = [], Decimal(0)
    for i in range(n):
        product = xs[i] * (ys[(i + 1) % n] - ys[i - 1])  # exact: six places
        double += product
        rows.append([str(i + 1), str(xs[i]), str(ys[i]), str(product)])
    # The curved sides in the table's order: the side from row i to row i+1 is the outline's
    # side from row i+1's corner to row i's.
    by_start = {seg["ends"][0]: seg for seg in segs}
    arcs = [by_start[order[(i + 1) % n]] for i in range(n)
            if order[(i + 1) % n] in by_start and by_start[order[(i + 1) % n]]["ends"][1] ==
            order[i]]
    total = Decimal(0)
    for j, seg in enumerate(arcs, start=1):
        total += Decimal(seg["shown"])
        rows.append([f"弓{j}", "R" + seg["radius_text"], seg["angle_text"], seg["shown"]])
    area = double / 2 + total
    final = Decimal(places(area, 2))
    summary = [("倍面積", str(double))]
    if arcs:
        summary.append(("弓形計", str(total)))
    summary += [("面積", str(area)), ("最終面積", str(final))]
    out = table_texts(x0, y0, ["No.", "X", "Y", "Xn(Yn+1-Yn-1)"], [1500, 3000, 3000, 4500],
                      rows, summary)
    # The bound: every coordinate within half a thousandth, the segments' rows, the final
    # rounding.
    flat = [float(v) for pair in zip(xs, ys) for v in pair]

    def half_shoelace(*v):
        return sum(v[2 * i] * (v[2 * ((i + 1) % n) + 1] - v[2 * (i - 1) % (2 * n) + 1])
                   for i in range(n)) / 2

    bound = rounding_bound(half_shoelace, flat, 0.0005) + 0.005
    bound += sum(segment_bound(seg) for seg in arcs)
    return out, final, bound, len(out)


def area_table(parcel, mode, segs, x0, y0, coordinate_area):
    """The area table's texts, its 面積 (Decimal) and the bound of its rounding."""
    k = parcel["corners"]
    three = mode == "three"
    widths = [1500, 3000, 3000, 3000, 4500] if three else [1500, 3000, 3000, 4500]
    heads = ["No.", "a", "b", "c", "面積"] if three else ["No.", "底辺", "高さ", "面積"]
    rows, total, bound = [], Decimal(0), 0.0
    for row, names in enumerate(triangles(parcel, mode), start=1):
        p = [k[n] for n in names]
        lengths = [math.dist(p[i], p[(i + 1) % 3]) for i in range(3)]
        if three:
            sides = [places(v / 1000, 2) for v in lengths]
            last = places(heron(*map(float, sides)), 4)
            cells = [str(row), *sides, last]
            bound += rounding_bound(heron, [float(v) for v in sides], 0.005) + 0.00005
        else:
            # The base is the longest side (the first of equals), the height from the area.
            base = max(lengths)
            double = abs(shoelace(p)) * 2
            b, h = places(base / 1000, 2), places(double / base / 1000, 2)
            last = places(Decimal(b) * Decimal(h), 4)
            cells = [str(row), b, h, last]
            bound += rounding_bound(lambda u, v: u * v / 2, [float(b), float(h)], 0.005)
        total += Decimal(last)
        rows.append(cells)
    for n, seg in enumerate(segs, start=1):
        radius = "R" + seg["radius_text"]
        if three:
            cells = [f"弓{n}", seg["chord_text"], radius, seg["angle_text"], seg["shown"]]
        else:
            cells = [f"弓{n}", radius, seg["angle_text"], str(2 * Decimal(seg["shown"]))]
        total += Decimal(cells[-1])
        rows.append(cells)
        bound += segment_bound(seg)
    area = total if three else total / 2
    final = Decimal(places(area, 2))
    summary = [("合計", places(total, 4))]
    if not three:
        summary.append(("1/2", places(area, 4)))
    summary.append(("面積", f"{final}  "))
    if coordinate_area is not None:
        summary += [("座標面積", f"{coordinate_area}  "), ("差", f"{final - coordinate_area}  ")]
    out = table_texts(x0, y0, heads, widths, rows, summary)
    return out, final, bound + 0.005, len(out)


def main(argv: list) -> None:
    args = list(argv[1:])
    with_segments = "--segments" in args
    if with_segments:
        args.remove("--segments")
    coordinate_at = None
    if "--coordinate-table" in args:
        i = args.index("--coordinate-table")
        coordinate_at = (float(args[i + 1]), float(args[i + 2]))
        del args[i:i + 3]
    parcel = PARCELS[args[0]]
    mode = args[1]
    k = parcel["corners"]
    # The triangles tile the polygon through the corners: their areas add up to its shoelace
    # area.
    ring = list(k.values())
    polygon = shoelace(ring)
    areas = [abs((k[b][0] - k[a][0]) * (k[c][1] - k[a][1]) -
                 (k[c][0] - k[a][0]) * (k[b][1] - k[a][1])) / 2
             for a, b, c in triangles(parcel, mode)]
    assert abs(sum(areas) - abs(polygon)) < 1e-6 * abs(polygon), "no tiling"
    out, done = [], set()
    for number, names in enumerate(triangles(parcel, mode), start=1):
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
    texts = sum(line.startswith(("label ", "mark ")) for line in out)
    segs = segments(parcel) if with_segments else []
    out += segment_lines(segs)
    texts += len(segs)
    true_area = abs(polygon) / 1e6 + sum(seg["sign"] * seg["area"] for seg in segs)
    checks = []
    coordinate_area = None
    if coordinate_at:
        lines, coordinate_area, bound, count = coordinate_table(parcel, segs, *coordinate_at)
        out += lines
        texts += count
        checks.append(("座標求積表", coordinate_area, bound))
    if len(args) > 3:
        lines, final, bound, count = area_table(parcel, mode, segs, float(args[2]),
                                                float(args[3]), coordinate_area)
        out += lines
        texts += count
        checks.append(("求積表", final, bound))
        out.append(f"count CIRCLE H_TEXT {len(triangles(parcel, mode))}")
        out.append(f"count TEXT H_TEXT {texts}")
    for name, final, bound in checks:
        off = float(final) - true_area
        assert abs(off) <= bound, f"{name}: {final} is {off:+.4f} off the true area"
        for seg in segs:
            assert seg["area"] > 2 * bound, "a segment within the rounding of the area"
        parts = "".join(f" {'+' if seg['sign'] > 0 else '−'} segment {seg['area']:.4f}"
                        for seg in segs)
        out.append(f"# {name}: 面積 {final} against the true area {true_area:.4f} m² (chord "
                   f"polygon {abs(polygon) / 1e6:.4f}{parts}): {off:+.4f}, within the "
                   f"{bound:.4f} that the rounding of the shown values allows")
    print("\n".join(out))


if __name__ == "__main__":
    main(sys.argv)
