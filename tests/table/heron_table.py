"""The arithmetic of a ﾍﾛﾝ area table, computed here without the product's code: each side in
metres rounded half up to 2 places, each row's area by Heron from the rounded sides rounded half
up to 4 places, their sum, the final area rounded half up to 2 places. Sides come in drawing
millimetres at scale 1000, as the number marks carry them (eight decimals).
"""
import math
from decimal import Decimal, ROUND_HALF_UP, getcontext

getcontext().prec = 50
SCALE = Decimal(1000)


def half_up(value, places):
    return value.quantize(Decimal(1).scaleb(-places), rounding=ROUND_HALF_UP)


def near_tie(value, places):
    """True when value is within 1e-7 of a place's half: the product's binary arithmetic and
    this decimal one could round it apart."""
    shifted = value.scaleb(places)
    frac = shifted - shifted.to_integral_value(rounding="ROUND_FLOOR")
    return abs(frac - Decimal("0.5")) < Decimal("1e-7")


def heron(a, b, c):
    s = (a + b + c) / 2
    q = s * (s - a) * (s - b) * (s - c)
    return q.sqrt() if q > 0 else Decimal(0)


def area_slope_bound(a, b, c):
    """How much the area moves per unit of each side, summed: |dA/da| + |dA/db| + |dA/dc|,
    with dA/da = a(b² + c² - a²) / (8A)."""
    s = (a + b + c) / 2
    q = s * (s - a) * (s - b) * (s - c)
    if q <= 0:
        return float("inf")
    area = math.sqrt(q)
    total = 0.0
    for x, y, z in ((a, b, c), (b, c, a), (c, a, b)):
        total += abs(x * (y * y + z * z - x * x) / (8 * area))
    return total


def side_metres(millimetres):
    """A side as a mark carries it (eight decimals of a millimetre), in metres, unrounded."""
    return Decimal(repr(float(millimetres))).quantize(Decimal("1e-8")) / SCALE


def heron_row(sides):
    """One row from three sides in millimetres: the sides in metres, as shown (2 places), and
    the area by Heron from the shown sides before its rounding."""
    metres = [side_metres(s) for s in sides]
    shown = [half_up(m, 2) for m in metres]
    return metres, shown, heron(*shown)


def final_area(triangles):
    """The table's final area in m² (2 places) for triangles given by their three sides in
    millimetres."""
    total = sum((half_up(heron_row(sides)[2], 4) for sides in triangles), Decimal(0))
    return half_up(total, 2)


def rounding_allowance(triangles):
    """How far, in m², the roundings can take the final area from the triangles' own: half a
    cent on every side through each area's slope, half a place of each row's area, and half a
    cent of the final area. Sides in millimetres."""
    total = 0.005
    for sides in triangles:
        total += 0.00005 + 0.005 * area_slope_bound(*(s / 1000 for s in sides))
    return total
