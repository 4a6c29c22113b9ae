#!/usr/bin/python3
"""Writes survey-parcel.dxf: the demo's parcel as a surveyor gets it, 16 boundary points in
metres drawn as millimetres (plotted at 1:1000), one side along a road curve, point names
beside the corners, a neighbour's line (R2000, code page 932)."""
import sys

import ezdxf

# Boundary points K1..K16 in metres, counter-clockwise.
CORNERS = [(0, 0), (8.2, -0.6), (17.5, 0.4), (26.1, -0.3), (34.8, 1.2), (36.2, 9.7),
           (35.1, 18.4), (36.9, 27.5), (28.0, 33.1), (21.4, 31.8), (15.2, 34.6), (9.1, 30.2),
           (8.4, 22.7), (2.3, 21.1), (3.1, 13.5), (-0.8, 6.9)]
CURVE_FROM = 7  # K8 to K9 follows the road's curve, outwards
CURVE_BULGE = 0.12


def main(path):
    doc = ezdxf.new("R2000")
    doc.encoding = "cp932"
    doc.layers.add("筆界", color=1)
    doc.layers.add("点名", color=3)
    msp = doc.modelspace()
    points = [(x * 1000, y * 1000, CURVE_BULGE if i == CURVE_FROM else 0)
              for i, (x, y) in enumerate(CORNERS)]
    msp.add_lwpolyline(points, format="xyb", close=True, dxfattribs={"layer": "筆界"})
    cx = sum(x for x, _ in CORNERS) / len(CORNERS)
    cy = sum(y for _, y in CORNERS) / len(CORNERS)
    for i, (x, y) in enumerate(CORNERS, start=1):
        # the name outside the corner, away from the parcel's middle
        dx, dy = x - cx, y - cy
        d = (dx * dx + dy * dy) ** 0.5
        msp.add_text(f"K{i}", dxfattribs={"layer": "点名", "height": 600,
                                          "insert": (x * 1000 + 1500 * dx / d - 400,
                                                     y * 1000 + 1500 * dy / d - 300)})
    msp.add_line((34800, 1200), (46000, 2500), dxfattribs={"layer": "筆界"})
    # The host opens on the parcel with room to its right for the area table.
    doc.set_modelspace_vport(height=44000, center=(28500, 17500))
    doc.saveas(path, encoding="cp932")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "survey-parcel.dxf")
