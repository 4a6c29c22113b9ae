#!/usr/bin/env python3
"""Checks the CSV files of the tables against the drawing the host saved, without the product's
code: ezdxf reads the drawing, each table is found by its top-left corner (its grid's top line
starts there), its texts are put into the cells of its grid by where they stand, and the rows
must equal what Python's csv module reads from the file in code page 932, blanks included.

usage: check_table_csv.py DRAWING.dxf (FILE.csv CORNER_X CORNER_Y)...
"""
import csv
import sys

import ezdxf

EPS = 1e-6


def near(a, b):
    return abs(a - b) < EPS


def grid_at(doc, x0, y0):
    """The table's cells (rows of texts, '' where a cell is empty) with its corner at x0, y0."""
    lines = [e for e in doc.modelspace() if e.dxftype() == "LINE"]
    texts = [e for e in doc.modelspace() if e.dxftype() == "TEXT"]
    segments = []
    for l in lines:
        a, b = (l.dxf.start.x, l.dxf.start.y), (l.dxf.end.x, l.dxf.end.y)
        # Left end first, or the top end of an upright line.
        if (b[0] < a[0] - EPS) or (near(a[0], b[0]) and b[1] > a[1]):
            a, b = b, a
        segments.append((a, b))
    top = [s for s in segments if near(s[0][0], x0) and near(s[0][1], y0) and near(s[1][1], y0)]
    if len(top) != 1:
        raise SystemExit(f"FAIL: {len(top)} top lines start at ({x0}, {y0})")
    x1 = top[0][1][0]
    rows = sorted({s[0][1] for s in segments
                   if near(s[0][0], x0) and near(s[1][0], x1) and near(s[0][1], s[1][1])
                   and s[0][1] <= y0 + EPS}, reverse=True)
    columns = sorted({s[0][0] for s in segments
                      if near(s[0][0], s[1][0]) and near(s[0][1], y0)
                      and x0 - EPS <= s[0][0] <= x1 + EPS})
    cells = [[""] * (len(columns) - 1) for _ in range(len(rows) - 1)]
    for t in texts:
        point = t.dxf.align_point if (t.dxf.halign or t.dxf.valign) else t.dxf.insert
        x, y = point.x, point.y
        if not (x0 < x < x1 and rows[-1] < y < y0):
            continue
        r = next(i for i in range(len(rows) - 1) if rows[i] > y > rows[i + 1])
        c = next(j for j in range(len(columns) - 1) if columns[j] < x < columns[j + 1])
        if cells[r][c]:
            raise SystemExit(f"FAIL: two texts in row {r + 1}, column {c + 1}: "
                             f"{cells[r][c]!r} and {t.dxf.text!r}")
        cells[r][c] = t.dxf.text
    return cells


def main(args):
    doc = ezdxf.readfile(args[0])
    failed = False
    for i in range(1, len(args), 3):
        path, x0, y0 = args[i], float(args[i + 1]), float(args[i + 2])
        drawn = grid_at(doc, x0, y0)
        with open(path, "rb") as f:
            raw = f.read()
        with open(path, encoding="cp932", newline="") as f:
            rows = list(csv.reader(f))
        problems = []
        if raw.count(b"\n") != raw.count(b"\r\n") or not raw.endswith(b"\r\n"):
            problems.append("a line does not end with CR LF")
        if rows != drawn:
            problems.append(f"rows differ:\n  csv     {rows}\n  drawing {drawn}")
        print(f"{path}: {len(rows)} rows of {len(rows[0]) if rows else 0} fields, "
              + ("FAIL " + "; ".join(problems) if problems else "the same as the drawing's table"))
        failed = failed or bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
