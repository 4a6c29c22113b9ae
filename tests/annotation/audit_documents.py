"""Independent check of the annotation documents: every file the sample writer produces must
pass ezdxf's audit, and every number mark must carry its side lengths as VELSAROM application
data that ezdxf reads back as written.

usage: audit_documents.py WRITE_SAMPLES_PROGRAM FOLDER
"""
import math
import pathlib
import shutil
import subprocess
import sys

import ezdxf

EXPECTED_FILES = {
    "batch.dxf", "batch_style.dxf", "table.dxf", "text.dxf", "text_style.dxf",
    "mark_three_side.dxf", "mark_base_height.dxf",
}

# The sides p1p2, p2p3, p3p1 of each mark's triangle as the sample writer draws it, worked out
# here from the corners, not by the writer's own distance.
RIGHT_3_4_5 = (3000.0, 5000.0, 4000.0)  # (0,0) (3000,0) (0,4000)
MARKS = {
    "batch.dxf": {
        "1": RIGHT_3_4_5,
        # (0,0) (6000,0) (1000,3000): 6000, sqrt(5000^2 + 3000^2), sqrt(1000^2 + 3000^2)
        "2": (6000.0, math.sqrt(34e6), math.sqrt(10e6)),
        # (10000.123456789,-2000.5) (12345.678,0.00001) (9000,7000.25)
        "3": (math.hypot(12345.678 - 10000.123456789, 0.00001 + 2000.5),
              math.hypot(9000 - 12345.678, 7000.25 - 0.00001),
              math.hypot(10000.123456789 - 9000, -2000.5 - 7000.25)),
    },
    "mark_three_side.dxf": {"12": RIGHT_3_4_5},
    "mark_base_height.dxf": {"13": RIGHT_3_4_5},
}
MARKS["batch_style.dxf"] = MARKS["batch.dxf"]


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
        expected = MARKS.get(name, {})
        if set(found) != set(expected):
            fail(f"{name}: marks {sorted(found)} expected {sorted(expected)}")
        for number, sides in expected.items():
            # The writer keeps 15 significant digits.
            if not all(math.isclose(f, x, rel_tol=1e-14) for f, x in zip(found[number], sides)):
                fail(f"{name}: mark {number} reads {found[number]}, its sides are {sides}")
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
