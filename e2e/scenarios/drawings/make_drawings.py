#!/usr/bin/python3
"""Writes the small drawings the scenarios start from (R2000, code page 932), beside itself."""
import json
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

# The demo parcel in a drawing whose base angle is 30° (counter-clockwise): no quarter turn.
doc = ezdxf.readfile(HERE.parent.parent / "demo/parcel.dxf")
doc.header["$ANGBASE"] = math.radians(30)
doc.saveas(HERE / "parcel-base-30.dxf", encoding="cp932")

# Drawings whose UCS is turned 30° to a road and has its origin moved: typed points and LASTPOINT
# are in it, exports and the drawing in world coordinates.
def turn_ucs(doc):
    doc.header["$UCSORG"] = (5000, -3000, 0)
    doc.header["$UCSXDIR"] = (math.cos(math.radians(30)), math.sin(math.radians(30)), 0)
    doc.header["$UCSYDIR"] = (-math.sin(math.radians(30)), math.cos(math.radians(30)), 0)
    return doc


turn_ucs(ezdxf.readfile(HERE.parent.parent / "demo/parcel.dxf")).saveas(
    HERE / "parcel-ucs-30.dxf", encoding="cp932")
doc, msp = new()
lines(msp, ((0, 0), (10000, 0)))
turn_ucs(doc).saveas(HERE / "baseline-ucs-30.dxf", encoding="cp932")
doc, msp = new()
lines(msp, ((0, 0), (12000, 0)), ((12000, 0), (4000, 9000)), ((4000, 9000), (0, 0)))
turn_ucs(doc).saveas(HERE / "triangle-ucs-30.dxf", encoding="cp932")

# A lone base line.
doc, msp = new()
lines(msp, ((0, 0), (10000, 0)))
doc.saveas(HERE / "baseline.dxf", encoding="cp932")

# The pentagon A(5,20) B(15,15) C(30,25) D(20,40) E(10,35) in metres, drawn in millimetres.
doc, msp = new()
msp.add_lwpolyline([(5000, 20000), (15000, 15000), (30000, 25000), (20000, 40000), (10000, 35000)],
                   close=True, dxfattribs={"layer": "筆界"})
doc.saveas(HERE / "pentagon.dxf", encoding="cp932")

# The earcut set's "boxy" ring (many reflex corners), moved near the origin and drawn at 1 unit
# = 100 mm: the ear division ends with vertices left over.
rings = json.loads((HERE.parents[2] / "tests/data/earcut/outer-rings.json").read_text())
doc, msp = new()
msp.add_lwpolyline([((x - 3200) * 100.0, (y - 2600) * 100.0) for x, y in rings["boxy"]], close=True,
                   dxfattribs={"layer": "筆界"})
doc.saveas(HERE / "boxy.dxf", encoding="cp932")

# The triangle of triangle.dxf as a surveyor has it after numbering: its base labelled "12.00"
# and mark 1 (a circle of radius 500 on H_TEXT and the number centred in it, carrying the three
# sides as VELSAROM's data). Every button that reads an export has something to work on here.
doc, msp = new()
doc.layers.add("H_TEXT")
doc.appids.new("VELSAROM")
lines(msp, ((0, 0), (12000, 0)), ((12000, 0), (4000, 9000)), ((4000, 9000), (0, 0)))
msp.add_text("12.00", height=250, dxfattribs={"layer": "H_TEXT"}).set_placement(
    (6000, 300), align=ezdxf.enums.TextEntityAlignment.MIDDLE_CENTER)
msp.add_circle((5000, 3000), 500, dxfattribs={"layer": "H_TEXT"})
mark = msp.add_text("1", height=350, dxfattribs={"layer": "H_TEXT"})
mark.set_placement((5000, 3000), align=ezdxf.enums.TextEntityAlignment.MIDDLE_CENTER)
mark.set_xdata("VELSAROM", [(1010, (12000, math.hypot(8000, 9000), math.hypot(4000, 9000)))])
doc.saveas(HERE / "triangle-marked.dxf", encoding="cp932")

# Two parcels with one curved side each, in metres drawn as mm, counter-clockwise; the bulge
# sits on the vertex where the arc starts. Road frontage: the side K1-K2 (chord 20.0095 m, no
# round number, so that the rounding of the rows shows) bulges 1.5 m out of the parcel (bulge
# 0.15).
doc, msp = new()
msp.add_lwpolyline([(4000, 3000, 0.15), (24000, 3617, 0), (27000, 14000, 0), (19000, 22000, 0),
                    (7000, 20000, 0), (2000, 11000, 0)], format="xyb", close=True,
                   dxfattribs={"layer": "筆界"})
doc.saveas(HERE / "arc-frontage.dxf", encoding="cp932")

# Cul-de-sac frontage: the side K4-K5 follows the turning circle, concave seen from the parcel:
# it bulges 1.8 m into it (bulge -0.3 on a counter-clockwise outline).
doc, msp = new()
msp.add_lwpolyline([(3000, 2000, 0), (19000, 3000, 0), (21000, 13000, 0), (15000, 19000, -0.3),
                    (3000, 18000, 0), (1000, 9000, 0)], format="xyb", close=True,
                   dxfattribs={"layer": "筆界"})
doc.saveas(HERE / "cul-de-sac.dxf", encoding="cp932")

# The corner of corner.dxf in a surveyor's own settings: the current layer's name holds a blank,
# and leaders carry the dot arrow at 2.5.
doc = ezdxf.readfile(HERE / "corner.dxf")
doc.layers.add("現況 境界", color=3)
doc.header["$CLAYER"] = "現況 境界"
doc.header["$DIMLDRBLK"] = "_DOT"
doc.header["$DIMASZ"] = 2.5
doc.saveas(HERE / "corner-user-settings.dxf", encoding="cp932")

# Marks 3, 12 and 7 as the labelling writes them (a circle of radius 500 and the centred number
# carrying the three sides as VELSAROM's data), all on H_TEXT; and the same with mark 12 on a
# frozen layer and mark 7 on a locked one, which SELECT's ALL leaves out.
def marks(frozen_and_locked):
    doc, msp = new()
    doc.appids.new("VELSAROM")
    doc.layers.add("H_TEXT")
    layers = {"3": "H_TEXT", "12": "H_TEXT", "7": "H_TEXT"}
    if frozen_and_locked:
        doc.layers.add("旧 番号").freeze()
        doc.layers.add("確定").lock()
        layers.update({"12": "旧 番号", "7": "確定"})
    for number, x, sides in (("3", 1000, (3000, 5000, 4000)), ("12", 5000, (6000, 10000, 8000)),
                             ("7", 9000, (1000, 1414.2135623731, 1000))):
        layer = {"layer": layers[number]}
        msp.add_circle((x, 1000), 500, dxfattribs=layer)
        text = msp.add_text(number, height=400, dxfattribs=layer)
        text.set_placement((x, 1000), align=ezdxf.enums.TextEntityAlignment.MIDDLE_CENTER)
        text.set_xdata("VELSAROM", [(1010, sides)])
    return doc


marks(False).saveas(HERE / "marks-3-12-7.dxf", encoding="cp932")
marks(True).saveas(HERE / "marks-3-12-7-frozen-locked.dxf", encoding="cp932")

# The demo parcel turned to a base angle of 33.33° (no quarter turn, and not whole degrees) with
# leaders' arrows at 2.5: once with the demo's four places of length and two of angle, which show
# both whole, and once showing no places at all (LUPREC 0, AUPREC 0), as which the host shows
# them as 33 and 3.
for name, luprec, auprec in (("parcel-angle-33.dxf", 4, 2), ("parcel-precision.dxf", 0, 0)):
    doc = ezdxf.readfile(HERE.parent.parent / "demo/parcel.dxf")
    doc.header["$ANGBASE"] = math.radians(33.33)
    doc.header["$DIMASZ"] = 2.5
    doc.header["$LUPREC"] = luprec
    doc.header["$AUPREC"] = auprec
    doc.saveas(HERE / name, encoding="cp932")
