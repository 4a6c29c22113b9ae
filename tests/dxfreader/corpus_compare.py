#!/usr/bin/python3
"""Reads every DXF file of the corpus with our reader (the dxfcount tool) and with ezdxf, and
checks that our tables hold what ezdxf finds, where every expected difference is computed from a
rule of our reader or a known habit of ezdxf, never from a list of numbers.

usage: corpus_compare.py DXFCOUNT CORPUS_DIR
"""
import codecs
import io
import json
import pathlib
import re
import subprocess
import sys
import warnings

warnings.filterwarnings("ignore")
import ezdxf  # noqa: E402
from ezdxf import recover  # noqa: E402

# Layout blocks whose entities the file keeps in the ENTITIES section, not in BLOCKS.
LAYOUT_BLOCKS = {"*model_space", "*paper_space", "$model_space", "$paper_space"}
UNICODE_ESCAPE = re.compile(r"\\U\+([0-9A-Fa-f]{4})")

# Rule: below AC1021 the reader decodes with the users' ANSI code page 932 whatever the file
# declares; a byte that is no CP932 character becomes U+30FB, as on Windows.
codecs.register_error("katakana_middle_dot", lambda e: ("\u30fb", e.start + 1))
# Rule: characters the file's code page lacks are kept as the \U+XXXX escapes of the file.
codecs.register_error(
    "dxf_unicode_escape",
    lambda e: ("".join("\\U+%04x" % ord(c) for c in e.object[e.start:e.end]), e.end),
)


def decode_escapes(s):
    return UNICODE_ESCAPE.sub(lambda m: chr(int(m.group(1), 16)), s)


def load_ezdxf(path):
    """ezdxf's document and how it was loaded."""
    try:
        return ezdxf.readfile(str(path)), "readfile"
    except Exception:
        pass
    try:
        doc, _auditor = recover.readfile(str(path))
        return doc, "recover"
    except Exception:
        pass
    # ezdxf 0.18 refuses the \U+XXXX escapes in names that it writes itself: give it the
    # characters instead (counts do not change, strings are compared escape-decoded).
    raw = path.read_bytes().decode("cp1252", errors="replace")
    return ezdxf.read(io.StringIO(decode_escapes(raw))), "read, escapes decoded first"


def as_our_reader_decodes(s, doc):
    """The string that our reader keeps for a value that ezdxf read as s."""
    if doc.dxfversion >= "AC1021":
        return s
    raw = s.encode(doc.encoding, errors="dxf_unicode_escape")
    return raw.decode("cp932", errors="katakana_middle_dot")


def entity_space(doc):
    """The entities of the ENTITIES section: model space and the active paper space."""
    return list(doc.modelspace()) + list(doc.layouts.active_layout())


def block_space(doc):
    out = []
    for block in doc.blocks:
        if block.name.lower() not in LAYOUT_BLOCKS:
            out.extend(block)
    return out


def text_rows(entities):
    """Texts as our text tables hold them: TEXT, MTEXT and ATTRIB, empty strings dropped."""
    rows = []
    for e in entities:
        kind = e.dxftype()
        if kind == "TEXT":
            rows.append((e.dxf.text, e.dxf.layer))
        elif kind == "MTEXT":
            rows.append((e.text, e.dxf.layer))
            # Rule: every MTEXT entity is a row; ezdxf folds the linked column MTEXTs of a
            # column MTEXT into the first one.
            if e.has_columns:
                rows.extend((c.text, c.dxf.layer) for c in e._columns.linked_columns)
        elif kind == "INSERT":
            # Rule: ATTRIB entities are texts; ezdxf keeps them with their INSERT.
            for a in e.attribs:
                text = a.dxf.text
                # Rule: the groups 1 and 3 of a multi-line attribute's embedded MTEXT are read
                # as the attribute's own, and the later group 1 wins.
                if a.has_embedded_mtext_entity:
                    text = a.virtual_mtext_entity().text
                rows.append((text, a.dxf.layer))
    return [r for r in rows if r[0] != ""]


def has_linked_columns(entities):
    return any(e.dxftype() == "MTEXT" and e.has_columns and e._columns.linked_columns
               for e in entities)


def expected_counts(entities):
    by_kind = {}
    for e in entities:
        by_kind[e.dxftype()] = by_kind.get(e.dxftype(), 0) + 1
    vertices = 0
    for e in entities:
        if e.dxftype() == "LWPOLYLINE":
            vertices += len(e)
        elif e.dxftype() == "POLYLINE":
            vertices += len(e.vertices)  # VERTEX entities, face records of a polyface too
    return {
        "lines": by_kind.get("LINE", 0),
        "circles": by_kind.get("CIRCLE", 0),
        "arcs": by_kind.get("ARC", 0),
        "ellipses": by_kind.get("ELLIPSE", 0),
        "polylines": by_kind.get("LWPOLYLINE", 0) + by_kind.get("POLYLINE", 0),
        "vertices": vertices,
        "texts": len(text_rows(entities)),
    }


class Check:
    def __init__(self, name):
        self.name = name
        self.failures = []
        self.lines = []

    def equal(self, what, ours, expected):
        ok = ours == expected
        shown_ours = ours if not isinstance(ours, list) else "%d items" % len(ours)
        shown_exp = expected if not isinstance(expected, list) else "%d items" % len(expected)
        self.lines.append("  %-28s ours %-10s expected %-10s %s" %
                          (what, shown_ours, shown_exp, "ok" if ok else "DIFFERENT"))
        if not ok:
            detail = ""
            if isinstance(ours, list):
                extra = [x for x in ours if x not in expected][:5]
                missing = [x for x in expected if x not in ours][:5]
                detail = " extra %r missing %r" % (extra, missing)
            self.failures.append("%s: %s%s" % (self.name, what, detail))

    def true(self, what, condition):
        self.lines.append("  %-28s %s" % (what, "ok" if condition else "FAILED"))
        if not condition:
            self.failures.append("%s: %s" % (self.name, what))


def check_binary(check, ours, path):
    # Rule: the reader reads ASCII DXF only; the first line of a binary file is no group code,
    # so the read stops at pair 1 with the report, and only layer "0" remains.
    first_line = path.read_bytes().split(b"\r\n", 1)[0].decode("ascii")
    check.true("binary: stops at pair 1", ours["error"].startswith("1:" + first_line + "/2:"))
    check.true("binary: DxfReport shown", len(ours["messages"]) == 1 and
               ours["messages"][0].startswith("DxfReport: 1 : " + first_line + " / 2 : "))
    check.equal("binary: layers", ours["layers"], ["0"])
    check.equal("binary: lines", ours["entities"]["lines"], 0)


def check_file(dxfcount, path):
    check = Check(path.name)
    out = subprocess.run([dxfcount, str(path)], capture_output=True, timeout=120)
    check.true("dxfcount ran without a crash", out.returncode == 0)
    if out.returncode != 0:
        return check
    ours = json.loads(out.stdout.decode("utf-8", errors="replace"))
    if path.read_bytes().startswith(b"AutoCAD Binary DXF"):
        check_binary(check, ours, path)
        return check

    doc, how = load_ezdxf(path)
    check.lines.append("  ezdxf: %s, %s, encoding %s" % (how, doc.dxfversion, doc.encoding))
    check.equal("version", ours["version"], doc.dxfversion)
    check.equal("error", ours["error"], "")

    entities, blocks = entity_space(doc), block_space(doc)
    for space, ezdxf_entities in (("entities", entities), ("blockBodies", blocks)):
        expected = expected_counts(ezdxf_entities)
        for kind, n in expected.items():
            check.equal("%s.%s" % (space, kind), ours[space][kind], n)
        # Texts in file order with their decoded strings and layers.
        rows = text_rows(ezdxf_entities)
        exp_strings = [decode_escapes(as_our_reader_decodes(s, doc)) for s, _ in rows]
        ours_strings = [decode_escapes(s) for s in ours[space]["textStrings"]]
        if has_linked_columns(ezdxf_entities):
            # The linked column MTEXTs stand elsewhere in the file: compare without order.
            ours_strings, exp_strings = sorted(ours_strings), sorted(exp_strings)
        check.equal("%s text strings" % space, ours_strings, exp_strings)
    # Rule: INSERT is kept for the ENTITIES section only.
    check.equal("inserts", ours["inserts"], sum(1 for e in entities if e.dxftype() == "INSERT"))

    # Blocks: every BLOCK header of the file, as ezdxf lists them; ezdxf renames the layout
    # blocks of R12 files to the names of later versions.
    r12_names = {"*Model_Space": "$MODEL_SPACE", "*Paper_Space": "$PAPER_SPACE"}
    exp_blocks = [decode_escapes(as_our_reader_decodes(b.name, doc)) for b in doc.blocks]
    if doc.dxfversion == "AC1009":
        exp_blocks = [r12_names.get(b, b) for b in exp_blocks]
    check.equal("block names", sorted(decode_escapes(b) for b in ours["blocks"]),
                sorted(exp_blocks))

    # Layers: the LAYER table in file order, then (rule) every layer that a by-layer entity
    # named and the table lacks. ezdxf adds "Defpoints" when the file has none.
    table = [decode_escapes(as_our_reader_decodes(l.dxf.name, doc)) for l in doc.layers]
    ours_layers = [decode_escapes(l) for l in ours["layers"]]
    in_file = ours_layers[:len(table)]
    if "Defpoints" not in in_file and "Defpoints" in table:
        table.remove("Defpoints")
    check.equal("layer table rows", in_file, table)
    used = {decode_escapes(as_our_reader_decodes(e.dxf.layer, doc))
            for e in entities + blocks if e.dxf.hasattr("layer")}
    appended = ours_layers[len(table):]
    check.true("appended layers are used by entities and missing from the table",
               all(l in used and l not in table for l in appended))
    return check


def check_japanese(dxfcount, corpus):
    """The synthetic Japanese files: names and texts decode to the same Japanese in CP932
    (below AC1021), UTF-8 (from AC1021) and as escapes kept from an ANSI_1252 file."""
    check = Check("Japanese decoding")
    for path in sorted((corpus / "synthetic").glob("*.dxf")):
        ours = json.loads(subprocess.run([dxfcount, str(path)], capture_output=True).stdout)
        escaped = "Uescape" in path.name
        decode = decode_escapes if escaped else (lambda s: s)
        layers = [decode(l) for l in ours["layers"]]
        texts = [decode(t) for t in ours["entities"]["textStrings"]]
        check.true("%s: layers 筆界線 地番" % path.name, "筆界線" in layers and "地番" in layers)
        check.true("%s: block 境界標" % path.name, [decode(b) for b in ours["blocks"]].count("境界標") == 1)
        check.true("%s: text" % path.name, "123番4 宅地 ９８．７６㎡" in texts)
        check.true("%s: MTEXT chunks joined" % path.name,
                   any(t.startswith("三角形求積表\\P№1 底辺 1.234") and t.endswith("137.2000")
                       for t in texts))
        check.true("%s: attributes" % path.name, [t for t in texts if t.startswith("K")] ==
                   ["K1", "K2", "K3", "K4"])
        check.true("%s: text layers" % path.name,
                   [decode(l) for l in ours["entities"]["textLayers"]][:2] == ["地番", "地番"])
        if escaped:
            check.true("%s: escapes kept" % path.name, any("\\U+" in l for l in ours["layers"]))
    return check


def main():
    dxfcount, corpus = sys.argv[1], pathlib.Path(sys.argv[2])
    if not corpus.is_dir():
        print("no corpus at %s" % corpus)
        return 1
    checks = [check_file(dxfcount, p) for p in sorted(corpus.glob("*/*.dxf"))]
    checks.append(check_japanese(dxfcount, corpus))
    failures = []
    for c in checks:
        print(c.name)
        print("\n".join(c.lines))
        failures += c.failures
    print("\n%d files, %d differences not explained by a rule" % (len(checks) - 1, len(failures)))
    for f in failures:
        print("  " + f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
