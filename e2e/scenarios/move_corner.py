#!/usr/bin/python3
"""move_corner.py IN OUT X Y DX DY: the drawing IN with every LINE end and polyline corner that
lies at X Y moved by DX DY, as a grip edit moves a corner with the lines that end there, saved
as OUT (by ezdxf; texts, marks and their application data stay as they were).

How e2e/scenarios/drawings/kenzan-moved.dxf was made: the drawing that auto-three-side.scn leaves
(the demo pentagon after 自動, artifacts/scenarios/auto-three-side/drawing.dxf), its corner K5
(2400, 16800) moved by 700, -400."""
import sys

import ezdxf


def main() -> None:
    src, dst, x, y, dx, dy = sys.argv[1], sys.argv[2], *map(float, sys.argv[3:7])
    doc = ezdxf.readfile(src)
    moved = 0

    def at(px: float, py: float) -> bool:
        return abs(px - x) < 1e-6 and abs(py - y) < 1e-6

    for e in doc.modelspace():
        if e.dxftype() == "LINE":
            for name in ("start", "end"):
                p = e.dxf.get(name)
                if at(p.x, p.y):
                    e.dxf.set(name, (p.x + dx, p.y + dy, p.z))
                    moved += 1
        elif e.dxftype() == "LWPOLYLINE":
            points = list(e.get_points("xyseb"))
            for i, (px, py, s, w, b) in enumerate(points):
                if at(px, py):
                    points[i] = (px + dx, py + dy, s, w, b)
                    moved += 1
            e.set_points(points, "xyseb")
    if moved == 0:
        sys.exit(f"nothing lies at {x} {y}")
    doc.saveas(dst)
    print(f"{moved} ends moved")


if __name__ == "__main__":
    main()
