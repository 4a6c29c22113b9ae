"""Independent check of the area table documents: ezdxf reads and audits each one, the host's
insertion is applied (a turn about the origin by its base angle, the angle the host reads for
the typed rotation 0), and then the table must stand with its top-left corner at the picked
point, every line along an axis, and every text upright and inside the cell it belongs to.

usage: check_area_tables.py WRITE_TABLE_SAMPLES FOLDER
"""
import math
import pathlib
import shutil
import subprocess
import sys

import ezdxf

CORNER = (10000.0, 20000.0)
ROW = 800.0
EPS = 1e-6


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def turn(p, degrees):
    a = math.radians(degrees)
    return (p[0] * math.cos(a) - p[1] * math.sin(a), p[0] * math.sin(a) + p[1] * math.cos(a))


def check(path):
    name = path.stem
    mode, angle = name.split("_")[0], float(name.split("_")[1])
    doc = ezdxf.readfile(path, encoding="cp932")
    auditor = doc.audit()
    if auditor.has_errors:
        fail(f"{name}: audit errors {[str(e.message) for e in auditor.errors]}")
    lines, texts = [], []
    for e in doc.modelspace():
        if e.dxf.layer != "求積表":
            fail(f"{name}: {e.dxftype()} on layer {e.dxf.layer}")
        if e.dxftype() == "LINE":
            lines.append((turn(e.dxf.start, angle), turn(e.dxf.end, angle)))
        elif e.dxftype() == "TEXT":
            styled = name.endswith("_style")
            if styled != e.dxf.hasattr("style") or (styled and e.dxf.style != "Standard"):
                fail(f"{name}: text style {e.dxf.get('style')}")
            texts.append((e.dxf.text, turn(e.dxf.align_point, angle),
                          (e.dxf.rotation + angle) % 360, e.dxf.halign, e.dxf.valign))
        else:
            fail(f"{name}: unexpected {e.dxftype()}")

    rows = 3 + (3 if mode == "three" else 4)  # three entries and the summary rows
    columns = 5 if mode == "three" else 4
    horizontal = [l for l in lines if abs(l[0][1] - l[1][1]) < EPS]
    vertical = [l for l in lines if abs(l[0][0] - l[1][0]) < EPS]
    if len(horizontal) != rows + 1 or len(vertical) != columns + 1 or len(lines) != rows + columns + 2:
        fail(f"{name}: {len(horizontal)} horizontal and {len(vertical)} vertical of {len(lines)} lines")
    top = max(l[0][1] for l in horizontal)
    left = min(l[0][0] for l in vertical)
    if abs(top - CORNER[1]) > EPS or abs(left - CORNER[0]) > EPS:
        fail(f"{name}: top-left corner at ({left}, {top})")
    ys = sorted({round(l[0][1], 6) for l in horizontal}, reverse=True)
    if any(abs((ys[i] - ys[i + 1]) - ROW) > EPS for i in range(len(ys) - 1)):
        fail(f"{name}: rows {ys}")

    for text, (x, y), rotation, halign, valign in texts:
        if min(rotation, 360 - rotation) > 1e-9:
            fail(f"{name}: '{text}' turned {rotation} degrees")
        if valign != 2 or halign not in (1, 2):
            fail(f"{name}: '{text}' justified {halign}/{valign}")
        # The cell: the grid lines just above and below, and the vertical lines that cross the
        # text's row just left and right of it.
        above = [h[0][1] for h in horizontal if h[0][1] > y + EPS]
        below = [h[0][1] for h in horizontal if h[0][1] < y - EPS]
        sides = [v[0][0] for v in vertical if min(v[0][1], v[1][1]) < y < max(v[0][1], v[1][1])]
        lefts = [sx for sx in sides if sx < x - EPS]
        rights = [sx for sx in sides if sx > x + EPS]
        if not (above and below and lefts and rights):
            fail(f"{name}: '{text}' at ({x}, {y}) outside the grid")
        cell_top, cell_bottom = min(above), max(below)
        cell_left, cell_right = max(lefts), min(rights)
        if abs((cell_top + cell_bottom) / 2 - y) > EPS:
            fail(f"{name}: '{text}' not on its row's middle line")
        if halign == 2 and abs(cell_right - ROW / 2 - x) > EPS:
            fail(f"{name}: '{text}' not right-aligned in its cell")
        if halign == 1 and abs((cell_left + cell_right) / 2 - x) > EPS:
            fail(f"{name}: '{text}' not centred in its cell")
    print(f"{name}: audit clean, {len(lines)} lines, {len(texts)} texts upright in their cells")
    return [t[0] for t in texts]


def main():
    program, folder = sys.argv[1], pathlib.Path(sys.argv[2])
    shutil.rmtree(folder, ignore_errors=True)
    subprocess.run([program, str(folder)], check=True)
    files = sorted(folder.glob("*.dxf"))
    if len(files) != 12:
        fail(f"{len(files)} files written")
    contents = {}
    for f in files:
        contents.setdefault(f.stem.split("_")[0], set()).add(tuple(check(f)))
    # Every angle and style gives the same texts.
    for mode, variants in contents.items():
        if len(variants) != 1:
            fail(f"{mode}: the texts differ between the angles")
    if "6.0000" not in next(iter(contents["three"])) or "1/2" not in next(iter(contents["baseheight"])):
        fail("texts of the sample entries missing")
    print("all area tables stand at their corner, upright, every text in its cell")


if __name__ == "__main__":
    main()
