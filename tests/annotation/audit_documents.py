"""Independent check of the annotation documents: every file the sample writer produces must
pass ezdxf's audit, and every number mark must carry its side lengths as VELSAROM application
data that ezdxf reads back as written.

usage: audit_documents.py WRITE_SAMPLES_PROGRAM FOLDER
"""
import pathlib
import shutil
import subprocess
import sys

import ezdxf

EXPECTED_FILES = {
    "batch.dxf", "batch_style.dxf", "table.dxf", "text.dxf", "text_style.dxf",
    "mark_three_side.dxf", "mark_base_height.dxf",
}


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def main():
    program, folder = sys.argv[1], pathlib.Path(sys.argv[2])
    shutil.rmtree(folder, ignore_errors=True)
    subprocess.run([program, str(folder)], check=True)

    files = {p.name for p in folder.glob("*.dxf")}
    if files != EXPECTED_FILES:
        fail(f"files written: {sorted(files)}")

    marks = {}
    for line in (folder / "marks.txt").read_text().splitlines():
        name, number, a, b, c = line.split()
        marks.setdefault(name, {})[number] = (a, b, c)

    for name in sorted(EXPECTED_FILES):
        raw = (folder / name).read_bytes()
        if raw.startswith(b"\xef\xbb\xbf") or not raw.endswith(b"  0\r\nEOF\r\n"):
            fail(f"{name}: byte-order mark or wrong end")
        if raw.replace(b"\r\n", b"").count(b"\n") or raw.replace(b"\r\n", b"").count(b"\r"):
            fail(f"{name}: a line break other than CR LF")

        doc = ezdxf.readfile(folder / name, encoding="cp932")
        if doc.dxfversion != "AC1009":
            fail(f"{name}: version {doc.dxfversion}")
        auditor = doc.audit()
        if auditor.has_errors:
            fail(f"{name}: audit errors {[str(e.message) for e in auditor.errors]}")

        found = {}
        for text in doc.modelspace().query("TEXT"):
            if text.has_xdata("VELSAROM"):
                tags = text.get_xdata("VELSAROM")
                if len(tags) != 1 or tags[0].code != 1010:
                    fail(f"{name}: mark {text.dxf.text} carries {list(tags)}")
                found[text.dxf.text] = tuple(tags[0].value)
        expected = marks.get(name, {})
        if set(found) != set(expected):
            fail(f"{name}: marks {sorted(found)} expected {sorted(expected)}")
        for number, values in expected.items():
            if found[number] != tuple(float(v) for v in values):
                fail(f"{name}: mark {number} reads {found[number]}, written {values}")
        print(f"{name}: audit clean, {len(doc.modelspace())} entities, marks {sorted(found)}")

    # A few contents that only an independent reader can confirm.
    text = next(iter(ezdxf.readfile(folder / "text_style.dxf", encoding="cp932")
                     .modelspace().query("TEXT")))
    if (text.dxf.text, text.dxf.layer, text.dxf.style, text.dxf.halign, text.dxf.valign) != (
            "測量 12.35", "文字", "Standard", 2, 2):
        fail(f"text_style.dxf: {text.dxf.text} {text.dxf.layer} {text.dxf.style}")
    batch = ezdxf.readfile(folder / "batch.dxf", encoding="cp932")
    kinds = [e.dxftype() for e in batch.modelspace()]
    if kinds != ["LINE", "TEXT", "CIRCLE", "TEXT", "LINE", "CIRCLE", "TEXT", "CIRCLE", "TEXT"]:
        fail(f"batch.dxf: entities {kinds}")
    circle = batch.modelspace().query("CIRCLE")[0]
    if abs(circle.dxf.center.x - 1000) > 1e-9 or abs(circle.dxf.center.y - 1000) > 1e-9:
        fail(f"batch.dxf: first mark at {circle.dxf.center}")
    print("all documents pass")


if __name__ == "__main__":
    main()
