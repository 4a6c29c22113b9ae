"""The ﾍﾛﾝ table that 形状優先 should reach, computed here without the product's code, for
division_table.py.

Over the triangulations of a polygon through its own corners, the rule: first the largest
smallest angle (a dynamic programme over the sub-polygons i..j, taking the best of
min(triangle, both sides)); then, among the triangulations whose every triangle reaches that angle
less 1e-6 rad, the fewest thin triangles (smallest angle under THIN_DEGREES; the fewest per
sub-polygon, keeping the apexes that give it); then, among those, every total of rounded row
areas they give (sets of integers in units of 0.0001 m², kept as bits of a Python integer per
sub-polygon) and the final area of each, the closest to target_area. Diagonals are checked with
shapely, rows with heron_table.py's decimal arithmetic. Millimetres at scale 1000.
"""
import math
import os
import sys
from decimal import Decimal
from fractions import Fraction

from shapely.geometry import LineString, Polygon

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "table"))
from heron_table import half_up, heron_row  # noqa: E402

SAME_ANGLE = 1e-6    # radians
THIN_DEGREES = 20    # a triangle with a smaller smallest angle is thin (the guide's figure)
UNITS = 10 ** 4      # row areas to 4 places


def corner(v, p, q):
    ux, uy, wx, wy = p[0] - v[0], p[1] - v[1], q[0] - v[0], q[1] - v[1]
    return abs(math.atan2(ux * wy - uy * wx, ux * wx + uy * wy))


def smallest(a, b, c):
    return min(corner(a, b, c), corner(b, c, a), corner(c, a, b))


def twice_area(points):
    return sum(Fraction(points[i][0]) * Fraction(points[(i + 1) % len(points)][1]) -
               Fraction(points[(i + 1) % len(points)][0]) * Fraction(points[i][1])
               for i in range(len(points)))


def coordinate_table_area(points):
    """The final area the coordinate table prints for the polygon (m², a Fraction): its corners
    in metres to three places (half up, decided on their 15-digit texts), the double area summed
    exactly from those, halved, to two places half up. What the division aims at."""
    shown = [tuple(half_up(Decimal(f"{v / 1000:.15g}"), 3) for v in p) for p in points]
    double = sum(shown[i][0] * shown[(i + 1) % len(shown)][1] -
                 shown[(i + 1) % len(shown)][0] * shown[i][1] for i in range(len(shown)))
    return Fraction(half_up(abs(double) / 2, 2))


def target_area(points):
    """The area the table should come closest to, in m² as a Fraction: the final area the
    coordinate table prints for the polygon."""
    return coordinate_table_area(points)


def row_units(a, b, c):
    """The row's rounded area in units of 0.0001 m², from the sides in millimetres."""
    _, _, area = heron_row([math.dist(a, b), math.dist(b, c), math.dist(c, a)])
    return int(half_up(area, 4).scaleb(4))


def final_of(total_units):
    return half_up(Decimal(total_units) / UNITS, 2)


def reachable(points):
    """(largest smallest angle in radians, the fewest thin triangles at that angle, the final
    areas reachable with both as a set of Decimals). The polygon may be given either way
    round."""
    if twice_area(points) < 0:
        points = points[::-1]
    n = len(points)
    region = Polygon(points)
    is_open = {}
    for i in range(n):
        for j in range(i + 1, n):
            if j == i + 1 or (i == 0 and j == n - 1):
                is_open[i, j] = True
            else:
                line = LineString([points[i], points[j]])
                is_open[i, j] = line.relate_pattern(region, "1FFF0F***")

    triangles = {}  # (i, j) -> [k, ...] with i < k < j, all three sides open, not flat
    for i in range(n):
        for j in range(i + 2, n):
            if not is_open[i, j]:
                continue
            ks = []
            for k in range(i + 1, j):
                if is_open[i, k] and is_open[k, j]:
                    a, b, c = points[i], points[k], points[j]
                    if (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]) > 0:
                        ks.append(k)
            triangles[i, j] = ks

    best = {}
    for length in range(1, n):
        for i in range(n - length):
            j = i + length
            if length == 1:
                best[i, j] = math.inf
                continue
            value = -1.0
            for k in triangles.get((i, j), []):
                if best[i, k] < 0 or best[k, j] < 0:
                    continue
                value = max(value, min(smallest(points[i], points[k], points[j]),
                                       best[i, k], best[k, j]))
            best[i, j] = value
    angle = best[0, n - 1]
    threshold = angle - SAME_ANGLE

    def thin(i, k, j):
        return math.degrees(smallest(points[i], points[k], points[j])) < THIN_DEGREES

    fewest, apexes = {}, {}  # (i, j) -> the fewest thin triangles, the apexes that give it
    for length in range(1, n):
        for i in range(n - length):
            j = i + length
            if length == 1:
                fewest[i, j] = 0
                continue
            ways = [(fewest[i, k] + fewest[k, j] + thin(i, k, j), k)
                    for k in triangles.get((i, j), [])
                    if (i, k) in fewest and (k, j) in fewest
                    and smallest(points[i], points[k], points[j]) >= threshold]
            if ways:
                fewest[i, j] = min(w for w, _ in ways)
                apexes[i, j] = [k for w, k in ways if w == fewest[i, j]]

    sums = {}  # (i, j) -> (lowest, bits): bit t stands for the total lowest + t
    for length in range(1, n):
        for i in range(n - length):
            j = i + length
            if length == 1:
                sums[i, j] = (0, 1)
                continue
            parts = [(k, row_units(points[i], points[k], points[j]))
                     for k in apexes.get((i, j), [])]
            if not parts:
                continue
            low = min(r + sums[i, k][0] + sums[k, j][0] for k, r in parts)
            bits = 0
            for k, r in parts:
                (la, a), (lb, b) = sums[i, k], sums[k, j]
                if bin(a).count("1") > bin(b).count("1"):
                    (la, a), (lb, b) = (lb, b), (la, a)
                t = 0
                while a:
                    if a & 1:
                        bits |= b << (la + t + lb + r - low)
                    a >>= 1
                    t += 1
            sums[i, j] = (low, bits)
    low, bits = sums[0, n - 1]
    finals = set()
    t = 0
    while bits:
        if bits & 1:
            finals.add(final_of(low + t))
        bits >>= 1
        t += 1
    return angle, fewest[0, n - 1], finals


def closest(points):
    """(largest smallest angle in degrees, the fewest thin triangles at that angle, the error of
    the closest final area reachable with both against target_area in m², how many distinct
    final areas are reachable)."""
    angle, thin, finals = reachable(points)
    area = target_area(points)
    error = min((Fraction(f) - area for f in finals), key=lambda e: (abs(e), e))
    return math.degrees(angle), thin, float(error), len(finals)
