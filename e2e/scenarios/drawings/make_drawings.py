#!/usr/bin/python3
"""Writes the small drawings the scenarios start from (R2000, code page 932), beside itself."""
import math
from pathlib import Path

import ezdxf

HERE = Path(__file__).resolve().parent


def new():
    doc = ezdxf.new("R2000")
    doc.encoding = "cp932"
    doc.layers.add("筆界", color=1)
    return doc, doc.modelspace()


def lines(msp, *segments):
    for a, b in segments:
        msp.add_line(a, b, dxfattribs={"layer": "筆界"})


# Two lines meeting at the origin, and a third whose line crosses the first far from its ends.
doc, msp = new()
lines(msp, ((0, 0), (10000, 0)), ((0, 0), (0, 5000)), ((15000, 1000), (15000, 5000)))
doc.saveas(HERE / "corner.dxf", encoding="cp932")

# One triangle of single lines.
doc, msp = new()
lines(msp, ((0, 0), (12000, 0)), ((12000, 0), (4000, 9000)), ((4000, 9000), (0, 0)))
doc.saveas(HERE / "triangle.dxf", encoding="cp932")

# A square parcel with a building inside it: the region around the building is two boundaries.
doc, msp = new()
msp.add_lwpolyline([(0, 0), (20000, 0), (20000, 20000), (0, 20000)], close=True,
                   dxfattribs={"layer": "筆界"})
msp.add_lwpolyline([(8000, 8000), (12000, 8000), (12000, 12000), (8000, 12000)], close=True,
                   dxfattribs={"layer": "筆界"})
doc.saveas(HERE / "island.dxf", encoding="cp932")

# The demo parcel in a drawing whose angles count clockwise from north.
doc = ezdxf.readfile(HERE.parent.parent / "demo/parcel.dxf")
doc.header["$ANGBASE"] = math.pi / 2
doc.header["$ANGDIR"] = 1
doc.saveas(HERE / "parcel-north-clockwise.dxf", encoding="cp932")

# A lone base line.
doc, msp = new()
lines(msp, ((0, 0), (10000, 0)))
doc.saveas(HERE / "baseline.dxf", encoding="cp932")
