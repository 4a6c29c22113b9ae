"""Independent check of the simulated host's DXF output with ezdxf.

Runs the sample writer, then audits every file it wrote, reads the entities back and compares
them with the manifest (taken from the host's drawing, not from the files), and compares the
corpus files the host opened and saved with ezdxf's own reading of the originals. Every DXF file
of the corpus folder, at any depth, is checked or skipped with its reason named; a file that is
neither, or a folder without any, fails.
usage: check_dxf.py SAMPLES_TOOL OUT_DIR CORPUS_DIR
"""
import json
import math
import os
import pathlib
import subprocess
import sys

import ezdxf
from ezdxf import recover

SUPPORTED = {"LINE", "LWPOLYLINE", "POLYLINE", "ARC", "CIRCLE", "TEXT", "MTEXT", "INSERT",
             "LEADER", "POINT", "ELLIPSE"}
failures = []


def fail(msg):
    failures.append(msg)
    print("FAIL:", msg)


def close(a, b, tol=1e-9):
    return abs(a - b) <= tol * max(1.0, abs(a), abs(b))


def audit(path, strict=True):
    if strict:
        # The plain reader as well: it takes names as they stand, so it is used where every
        # name is in the code page.
        ezdxf.readfile(path)
    # The recovering reader decodes \U+XXXX escapes everywhere, as the host's own readers do.
    doc, _ = recover.readfile(path)
    auditor = doc.audit()
    if auditor.has_errors:
        for e in auditor.errors:
            fail(f"{os.path.basename(path)}: audit error {e.code}: {e.message}")
    return doc


def points_of(e):
    t = e.dxftype()
    if t == "LINE":
        return [list(e.dxf.start), list(e.dxf.end)]
    if t == "LWPOLYLINE":
        return [[x, y, b] for x, y, b in e.get_points("xyb")]
    if t == "ARC":
        return [list(e.dxf.center), [e.dxf.radius, e.dxf.start_angle, e.dxf.end_angle]]
    if t == "CIRCLE":
        return [list(e.dxf.center), [e.dxf.radius, 0, 0]]
    if t == "TEXT":
        align = e.dxf.align_point if e.dxf.hasattr("align_point") else e.dxf.insert
        return [list(e.dxf.insert), list(align), [e.dxf.height, e.dxf.rotation, 0]]
    if t in ("MTEXT", "INSERT"):
        return [list(e.dxf.insert)]
    if t == "LEADER":
        return [list(v) for v in e.vertices]
    if t == "POINT":
        return [list(e.dxf.location)]
    if t == "REGION":
        # The simulated host's loop, "x y bulge" a line, as ezdxf decodes the modeler data.
        return [[float(v) for v in line.split()] for line in e.sat]
    return [list(e.dxf.center)]


def text_of(e):
    t = e.dxftype()
    if t == "TEXT":
        return e.dxf.text
    if t == "MTEXT":
        return e.text
    if t == "INSERT":
        return e.dxf.name
    return ""


def check_sample(out_dir, name, expected):
    path = os.path.join(out_dir, name)
    doc = audit(path)
    if doc.encoding != "cp932":
        fail(f"{name}: encoding {doc.encoding}")
    got = list(doc.modelspace())
    if len(got) != len(expected):
        fail(f"{name}: {len(got)} entities, expected {len(expected)}")
        return
    for g, x in zip(got, expected):
        where = f"{name} #{g.dxf.handle} {x['type']}"
        if g.dxftype() != x["type"]:
            fail(f"{where}: type {g.dxftype()}")
            continue
        if g.dxf.layer != x["layer"]:
            fail(f"{where}: layer {g.dxf.layer!r} != {x['layer']!r}")
        gp = points_of(g)
        if len(gp) != len(x["points"]) or any(
                not close(a, b) for p, q in zip(gp, x["points"]) for a, b in zip(p, q)):
            fail(f"{where}: points {gp} != {x['points']}")
        if text_of(g) != x["text"]:
            fail(f"{where}: text {text_of(g)!r} != {x['text']!r}")
        for app, items in x["xdata"].items():
            xd = g.get_xdata(app) if g.has_xdata(app) else None
            if xd is None:
                fail(f"{where}: no application data {app}")
                continue
            values = [(c, list(v) if isinstance(v, tuple) or hasattr(v, "x") else v)
                      for c, v in xd]
            for (code, want), (gc, gv) in zip(items, values):
                if code != gc:
                    fail(f"{where}: xdata code {gc} != {code}")
                elif isinstance(want, list):
                    if not all(close(a, b) for a, b in zip(gv, want)):
                        fail(f"{where}: xdata {gv} != {want}")
                elif isinstance(want, float):
                    if not close(gv, want):
                        fail(f"{where}: xdata {gv} != {want}")
                elif gv != want:
                    fail(f"{where}: xdata {gv!r} != {want!r}")


def supported_count(doc):
    n = 0
    for e in doc.modelspace():
        t = e.dxftype()
        if t not in SUPPORTED:
            continue
        if t == "POLYLINE" and (e.is_poly_face_mesh or e.is_polygon_mesh):
            continue
        n += 1
        if t == "MTEXT" and e.has_columns:
            # Columns of older files are MTEXT entities of their own, which ezdxf folds into
            # the first one; the host keeps them as they are stored.
            n += len(e.columns.linked_columns)
    return n


def ezdxf_reading(path):
    """ezdxf's document of a file (recover mode) and None, or None and why it cannot read it."""
    try:
        return recover.readfile(str(path))[0], None
    except Exception as exc:
        return None, f"{type(exc).__name__}: {exc}"[:200]


def check_corpus(out_dir, corpus_dir):
    """Every DXF file of the folder opened and saved by the host: the saved drawing must audit
    clean and hold what ezdxf reads in the original. A file is skipped only with a reason that
    this check establishes itself, and named."""
    in_folder = sorted(p for p in corpus_dir.rglob("*") if p.is_file() and p.suffix.lower() == ".dxf")
    if not in_folder:
        fail(f"no DXF files under {corpus_dir}: nothing was checked")
        return 0, 0
    listed = {}
    with open(os.path.join(out_dir, "corpus.txt"), encoding="utf-8") as f:
        for line in f:
            name, _original, status, detail = line.rstrip("\n").split("\t")
            listed[name] = (status, detail)
    checked, skipped, failed = [], [], []

    def skip(name, reason):
        print(f"skip {name}: {reason}")
        skipped.append(name)

    for path in in_folder:
        name = "__".join(path.relative_to(corpus_dir).parts)
        if name not in listed:
            fail(f"{name}: in the folder, but the sample tool did not open it")
            failed.append(name)
            continue
        status, detail = listed.pop(name)
        src, refused = ezdxf_reading(path)
        if status != "OK":
            if path.read_bytes().startswith(b"AutoCAD Binary DXF"):
                skip(name, f"binary DXF, refused by the host as it should be ({detail})")
            elif refused:
                skip(name, f"refused by the host ({detail}) and by ezdxf ({refused})")
            else:
                fail(f"{name}: not opened by the host ({detail}), though ezdxf reads it")
                failed.append(name)
            continue
        if refused:
            skip(name, f"opened by the host, but ezdxf cannot read the original to compare "
                       f"({refused})")
            continue
        saved = audit(os.path.join(out_dir, "corpus_" + name), strict=False)
        want, got = supported_count(src), len(list(saved.modelspace()))
        if want != got:
            fail(f"{name}: {got} entities after saving, ezdxf reads {want} in the original")
            failed.append(name)
            continue
        checked.append(name)
    for name in listed:
        fail(f"{name}: opened by the sample tool, but not a DXF file of {corpus_dir}")
    print(f"corpus {corpus_dir}: {len(in_folder)} DXF files, {len(checked)} checked, "
          f"{len(skipped)} skipped, {len(failed)} failed")
    return len(checked), len(skipped)


def main():
    tool, out_dir, corpus_dir = sys.argv[1:4]
    subprocess.run([tool, out_dir, corpus_dir], check=True)
    with open(os.path.join(out_dir, "manifest.json"), encoding="utf-8") as f:
        manifest = json.load(f)
    for name, expected in manifest.items():
        check_sample(out_dir, name, expected)
    checked, skipped = check_corpus(out_dir, pathlib.Path(corpus_dir))
    print(f"{len(manifest)} samples; corpus: {checked} files checked, {skipped} skipped with the "
          f"reasons above; {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
