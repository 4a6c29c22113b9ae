#!/usr/bin/python3
"""Writes the DXF reader benchmark's input: a large R2000 export as the host would write it for
a survey drawing (code page 932, Japanese layer names), made reproducibly from a fixed seed.

usage: make_reader_bench_dxf.py OUT.dxf [ENTITIES]   (default 180,000 entities, about 51 MB)

Mix per 20 entities: 8 LINE, 4 LWPOLYLINE (4-8 vertices, some bulges), 2 TEXT, 1 MTEXT with
group 3 chunks, 2 CIRCLE, 1 ARC, 1 INSERT with two ATTRIBs, 1 POLYLINE with VERTEX entities.
"""
import random
import sys

from survey_dxf import survey_document


def main():
    out = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 180_000
    rng = random.Random(20240611)
    layers = ["筆界線", "地番", "道路", "建物", "境界杭", "0", "ANNO", "三斜"]
    doc = survey_document(layers)
    msp = doc.modelspace()

    def pt():
        return (rng.uniform(-50000, 50000), rng.uniform(-50000, 50000))

    def layer():
        return {"layer": rng.choice(layers), "color": 256 if rng.random() < 0.8 else rng.randint(1, 255)}

    made = 0
    while made < count:
        for slot in range(20):
            if made >= count:
                break
            made += 1
            if slot < 8:
                x, y = pt()
                msp.add_line((x, y), (x + rng.uniform(-50, 50), y + rng.uniform(-50, 50)),
                             dxfattribs=layer())
            elif slot < 12:
                x, y = pt()
                points = [(x + rng.uniform(-30, 30), y + rng.uniform(-30, 30),
                           0, 0, rng.choice([0, 0, 0, 0.5, -0.25]))
                          for _ in range(rng.randint(4, 8))]
                msp.add_lwpolyline(points, format="xyseb", close=rng.random() < 0.5,
                                   dxfattribs=layer())
            elif slot < 14:
                x, y = pt()
                msp.add_text("%d番%d 宅地 %.2f㎡" % (rng.randint(1, 999), rng.randint(1, 20),
                                                    rng.uniform(10, 900)),
                             dxfattribs=dict(layer(), insert=(x, y), height=0.5,
                                             rotation=rng.uniform(0, 360)))
            elif slot < 15:
                x, y = pt()
                body = "\\P".join("№%d 底辺 %.3f 高さ %.3f 倍面積 %.4f" %
                                  (i, rng.uniform(1, 99), rng.uniform(1, 99), rng.uniform(1, 9999))
                                  for i in range(1, rng.randint(2, 6)))
                msp.add_mtext(body, dxfattribs=dict(layer(), insert=(x, y), char_height=0.3))
            elif slot < 17:
                x, y = pt()
                msp.add_circle((x, y), rng.uniform(0.1, 5), dxfattribs=layer())
            elif slot < 18:
                x, y = pt()
                msp.add_arc((x, y), rng.uniform(0.1, 50), rng.uniform(0, 360), rng.uniform(0, 360),
                            dxfattribs=layer())
            elif slot < 19:
                x, y = pt()
                ref = msp.add_blockref("境界標", (x, y), dxfattribs=layer())
                ref.add_auto_attribs({"点名": "K%d" % made, "座標": "%.3f,%.3f" % (x, y)})
            else:
                x, y = pt()
                msp.add_polyline2d([(x + rng.uniform(-20, 20), y + rng.uniform(-20, 20))
                                    for _ in range(rng.randint(3, 8))],
                                   close=True, dxfattribs=layer())
    doc.saveas(out)


if __name__ == "__main__":
    main()
