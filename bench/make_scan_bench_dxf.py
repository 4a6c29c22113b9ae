#!/usr/bin/python3
"""Writes the number scan benchmark's input: a whole-drawing R2000 export of a surveyed district
as the host writes it (code page 932, Japanese layer names), with the triangles of many parcels
and their number marks (a CIRCLE and a TEXT carrying the three side lengths as VELSAROM
application data), made reproducibly from a fixed seed.

usage: make_scan_bench_dxf.py OUT.dxf [ENTITIES]   (default 120,000 entities)

Per triangle: 2 LINE (sides), 3 TEXT (lengths), and for one triangle in ten a number mark
(CIRCLE + TEXT with data: 1,000 marks per 120,000 entities, numbers shuffled, as the counter
ranges from 1 to 1000); the rest of the drawing is parcel outlines (LWPOLYLINE), lot numbers
(TEXT), boundary marks (INSERT with two ATTRIBs) and notes (MTEXT).
"""
import math
import random
import sys

from survey_dxf import survey_document


def main():
    out = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 120_000
    rng = random.Random(20241121)
    doc = survey_document(["H_HEN", "H_TEXT", "筆界線", "地番", "境界杭", "注記"])
    doc.appids.new("VELSAROM")
    msp = doc.modelspace()

    marks = max(1, count // 120)
    numbers = list(range(1, marks + 1))
    rng.shuffle(numbers)
    made = 0

    def pt():
        return (rng.uniform(-500000, 500000), rng.uniform(-500000, 500000))

    triangle = 0
    while made < count:
        x, y = pt()
        a = (x, y)
        b = (x + rng.uniform(2000, 20000), y + rng.uniform(-3000, 3000))
        c = (x + rng.uniform(0, 15000), y + rng.uniform(2000, 15000))
        msp.add_line(a, c, dxfattribs={"layer": "H_HEN"})
        msp.add_line(b, c, dxfattribs={"layer": "H_HEN"})
        made += 2
        sides = [math.dist(a, b), math.dist(b, c), math.dist(c, a)]
        for (p, q), s in zip(((a, b), (b, c), (c, a)), sides):
            mid = ((p[0] + q[0]) / 2, (p[1] + q[1]) / 2)
            msp.add_text("%.2f" % (s / 1000), dxfattribs={
                "layer": "H_TEXT", "insert": mid, "align_point": mid, "halign": 1, "valign": 1,
                "height": 400, "rotation": math.degrees(math.atan2(q[1] - p[1], q[0] - p[0]))})
            made += 1
        if triangle % 10 == 0 and numbers:
            centre = ((a[0] + b[0] + c[0]) / 3, (a[1] + b[1] + c[1]) / 3)
            msp.add_circle(centre, 500, dxfattribs={"layer": "H_TEXT"})
            t = msp.add_text(str(numbers.pop()), dxfattribs={
                "layer": "H_TEXT", "insert": centre, "align_point": centre, "halign": 1,
                "valign": 2, "height": 400})
            t.set_xdata("VELSAROM", [(1010, tuple(sides))])
            made += 2
        triangle += 1
        # The parcel's surroundings.
        for _ in range(3):
            if made >= count:
                break
            kind = rng.random()
            px, py = pt()
            if kind < 0.45:
                msp.add_lwpolyline([(px + rng.uniform(-9000, 9000), py + rng.uniform(-9000, 9000))
                                    for _ in range(rng.randint(4, 9))], close=True,
                                   dxfattribs={"layer": "筆界線"})
            elif kind < 0.75:
                msp.add_text("%d番%d" % (rng.randint(1, 999), rng.randint(1, 30)),
                             dxfattribs={"layer": "地番", "insert": (px, py), "height": 600})
            elif kind < 0.95:
                ref = msp.add_blockref("境界標", (px, py), dxfattribs={"layer": "境界杭"})
                ref.add_auto_attribs({"点名": "K%d" % made, "座標": "%.3f,%.3f" % (px, py)})
            else:
                msp.add_mtext("地積測量図\\P求積 三斜法\\P備考 %d" % made,
                              dxfattribs={"layer": "注記", "insert": (px, py), "char_height": 500})
            made += 1
    doc.saveas(out)


if __name__ == "__main__":
    main()
