"""Audits DXF files with ezdxf, an independent reader: every file must load, plainly and in
recover mode, and its audit must find no error.
usage: audit_drawing.py FILE...
"""
import sys

import ezdxf
from ezdxf import recover

failed = False
for path in sys.argv[1:]:
    try:
        ezdxf.readfile(path)
        doc, _ = recover.readfile(path)
    except Exception as e:  # noqa: BLE001 - any failure to load is the finding
        print(f"{path}: not loaded: {e}")
        failed = True
        continue
    auditor = doc.audit()
    for e in auditor.errors:
        print(f"{path}: audit error {e.code}: {e.message}")
        failed = True
    if len(doc.modelspace()) == 0:
        print(f"{path}: no entities")
        failed = True
sys.exit(1 if failed else 0)
