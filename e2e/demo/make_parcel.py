#!/usr/bin/python3
"""Writes parcel.dxf: a surveyed parcel as the demo's starting drawing (R2000, code page 932)."""
import ezdxf

doc = ezdxf.new("R2000")
doc.encoding = "cp932"
doc.layers.add("筆界", color=1)
doc.layers.add("点名", color=3)
msp = doc.modelspace()
# Boundary of a parcel in metres-as-millimetres drawing units (1:1000 plot).
corners = [(1000, 1000), (19500, 2200), (23800, 14600), (12600, 21300), (2400, 16800)]
msp.add_lwpolyline(corners, close=True, dxfattribs={"layer": "筆界"})
for i, (x, y) in enumerate(corners, start=1):
    msp.add_text(f"K{i}", dxfattribs={"layer": "点名", "height": 350, "insert": (x + 200, y + 200)})
# A neighbouring parcel sharing one side, drawn with single lines.
msp.add_line((19500, 2200), (31000, 4000), dxfattribs={"layer": "筆界"})
msp.add_line((31000, 4000), (33000, 15500), dxfattribs={"layer": "筆界"})
msp.add_line((33000, 15500), (23800, 14600), dxfattribs={"layer": "筆界"})
doc.saveas("parcel.dxf", encoding="cp932")
