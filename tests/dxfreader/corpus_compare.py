#!/usr/bin/python3
"""Reads every DXF file under a folder, at any depth, with our reader (the dxfcount tool) and with
ezdxf, and judges each file on its own. Our tables must hold what ezdxf finds: the counts, the
strings, and every counted entity's layer and numbers (points, radii, angles, bulges, ellipse
axes). Every expected difference is computed from a rule of our reader or a habit of ezdxf, never
from a list of numbers or of files; where ezdxf reads an entity differently from the file's own
groups, the entity is judged against the file's groups and the habit is named. A file that ezdxf cannot load, even in recover mode, is compared with a
plain scan of its pairs made here; a file that both refuse passes when our reader names the line
at which it stopped. A folder without DXF files fails.

usage: corpus_compare.py [--require-japanese] DXFCOUNT FOLDER
  --require-japanese  the folder must hold the Japanese sample files (jp_*.dxf)
"""
import codecs
import io
import json
import math
import pathlib
import re
import subprocess
import sys
import traceback
import warnings

warnings.filterwarnings("ignore")
import ezdxf  # noqa: E402
from ezdxf import recover  # noqa: E402

# Layout blocks whose entities the file keeps in the ENTITIES section, not in BLOCKS.
LAYOUT_BLOCKS = {"*model_space", "*paper_space", "$model_space", "$paper_space"}
UNICODE_ESCAPE = re.compile(r"\\U\+([0-9A-Fa-f]{4})")
# Our reader's group code lines: an integer, blanks around it allowed.
CODE_LINE = re.compile(rb"[ \t]*[+-]?[0-9]+[ \t]*")
TEXT_KINDS = {"TEXT", "MTEXT", "ATTRIB"}
COUNTED = ("lines", "circles", "arcs", "ellipses", "polylines", "vertices", "texts")
GEOMETRY = COUNTED

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


def decode_as_ours(raw, version):
    """Bytes of the file as our reader decodes a kept string."""
    if version >= "AC1021":
        return raw.decode("utf-8", errors="replace")
    return raw.decode("cp932", errors="katakana_middle_dot")


class Space:
    """What a plain scan of the pairs finds in the ENTITIES section or in the block bodies."""

    def __init__(self):
        self.counts = dict.fromkeys(COUNTED, 0)
        # Per counted kind, the scanned entities in file order (their own groups).
        self.records = {kind: [] for kind in COUNTED if kind != "vertices"}
        # Per ATTRIB in file order: raw text, raw layer, whether each came after a subclass marker.
        self.attribs = []


class Entity:
    def __init__(self, kind, space):
        self.kind, self.space = kind, space
        self.text1, self.text3, self.layer, self.marker = b"", b"", b"0", False
        self.text_after_marker = self.layer_after_marker = False
        self.p10, self.p10_after_marker = [None, None], False
        # Groups 10 and 20 inside an embedded object (after group 101), the later ones.
        self.embedded, self.embedded_p10 = False, [None, None]


class FileScan:
    """The file read as pairs by this script alone, following the reader's section rules: a
    SECTION or ENDSEC ends whatever was open, entities of a block count from its header to
    ENDBLK, INSERT counts in ENTITIES only, a POLYLINE's vertices are the group 10 of its VERTEX
    entities, a text counts when its groups 3 and 1 are not all empty."""

    def __init__(self, data):
        if data.startswith(b"\xef\xbb\xbf"):
            data = data[3:]
        lines = data.split(b"\n")
        if data.endswith(b"\n"):
            lines.pop()
        self.lines = [l[:-1] if l.endswith(b"\r") else l for l in lines]
        self.version = ""
        self.has_layer_table = False
        self.layer_rows = 0
        self.blocks = []  # raw names
        self.inserts = 0
        self.spaces = {"entities": Space(), "blockBodies": Space()}
        self.broken_at = None  # number of a code line that is no integer, or lacks its value
        self._scan()

    def _scan(self):
        section, await_section, await_table, in_layer_table = None, False, False, False
        in_body, block_header, entity, in_polyline = False, False, None, False
        current = None  # the space of the POLYLINE whose VERTEX entities follow
        armed = False
        for i in range(0, len(self.lines), 2):
            if i + 1 >= len(self.lines) or not CODE_LINE.fullmatch(self.lines[i]):
                self.broken_at = i + 1
                break
            code, value = int(self.lines[i]), self.lines[i + 1]
            if section == "HEADER" and not self.version:
                if code == 9:
                    armed = value == b"$ACADVER"
                elif code == 1 and armed:
                    self.version = value.decode("ascii", errors="replace")
            if code == 0:
                self._finish(entity)
                entity = None
                if in_polyline and value == b"VERTEX":
                    entity = Entity("VERTEX", current)
                    continue
                if in_polyline and value == b"SEQEND":
                    in_polyline = False
                    continue
                in_polyline = False
                if block_header:
                    block_header, in_body = False, True
                await_section = await_table = False
                if value == b"EOF":
                    break
                if value in (b"SECTION", b"ENDSEC"):
                    section, in_layer_table, in_body = None, False, False
                    await_section = value == b"SECTION"
                    continue
                if section == "TABLES":
                    if value == b"TABLE":
                        await_table, in_layer_table = True, False
                    elif value == b"ENDTAB":
                        in_layer_table = False
                    elif value == b"LAYER" and in_layer_table:
                        self.layer_rows += 1
                elif section == "BLOCKS":
                    if value == b"BLOCK":
                        self.blocks.append(b"")
                        block_header, in_body = True, False
                    elif value == b"ENDBLK":
                        in_body = False
                    elif in_body and value != b"INSERT":
                        entity = Entity(value.decode("latin-1"), self.spaces["blockBodies"])
                elif section == "ENTITIES":
                    if value == b"INSERT":
                        self.inserts += 1
                    entity = Entity(value.decode("latin-1"), self.spaces["entities"])
                if entity and entity.kind in ("POLYLINE", "LWPOLYLINE"):
                    entity.space.counts["polylines"] += 1
                    entity.space.records["polylines"].append(entity)
                    in_polyline, current = entity.kind == "POLYLINE", entity.space
                continue
            if code == 2 and await_section:
                section, await_section = value.decode("latin-1"), False
            elif code == 2 and await_table:
                in_layer_table, await_table = value == b"LAYER", False
                self.has_layer_table = self.has_layer_table or in_layer_table
            elif code == 2 and block_header:
                self.blocks[-1] = value
            if entity is None:
                continue
            if code in (10, 20) and entity.p10[code // 10 - 1] is None:
                entity.p10[code // 10 - 1] = value
                entity.p10_after_marker = entity.p10_after_marker or entity.marker
            if code in (10, 20) and entity.embedded:
                entity.embedded_p10[code // 10 - 1] = value
            if code == 101:
                entity.embedded = True
            if code == 1:
                entity.text1, entity.text_after_marker = value, entity.marker
            elif code == 3:
                entity.text3 += value
            elif code == 8:
                entity.layer, entity.layer_after_marker = value, entity.marker
            elif code == 100:
                entity.marker = True
            elif code == 10 and entity.kind in ("LWPOLYLINE", "VERTEX"):
                entity.space.counts["vertices"] += 1
        self._finish(entity)

    @staticmethod
    def _finish(entity):
        if entity is None:
            return
        kinds = {"LINE": "lines", "CIRCLE": "circles", "ARC": "arcs", "ELLIPSE": "ellipses"}
        if entity.kind in kinds:
            entity.space.counts[kinds[entity.kind]] += 1
            entity.space.records[kinds[entity.kind]].append(entity)
        elif entity.kind in TEXT_KINDS:
            if entity.text3 + entity.text1:
                entity.space.counts["texts"] += 1
                entity.space.records["texts"].append(entity)
            if entity.kind == "ATTRIB":
                entity.space.attribs.append(entity)


def load_ezdxf(path):
    """ezdxf's document and how it was loaded, or None and why each way failed."""
    reasons = []
    try:
        return ezdxf.readfile(str(path)), "readfile"
    except Exception as e:
        reasons.append("readfile: %s" % one_line(e))
    try:
        doc, _auditor = recover.readfile(str(path))
        return doc, "recover"
    except Exception as e:
        reasons.append("recover: %s" % one_line(e))
    # ezdxf 0.18 refuses the \U+XXXX escapes in names that it writes itself: give it the
    # characters instead (counts do not change, strings are compared escape-decoded).
    try:
        raw = path.read_bytes().decode("cp1252", errors="replace")
        return ezdxf.read(io.StringIO(decode_escapes(raw))), "read, escapes decoded first"
    except Exception as e:
        reasons.append("escapes decoded: %s" % one_line(e))
    return None, "; ".join(reasons)


def printable(s):
    return "".join(c if c.isprintable() else "\\x%02x" % ord(c) for c in s.replace("\n", " "))


def one_line(e):
    return printable("%s: %s" % (type(e).__name__, e))[:160]


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


class DropsAfterMarker:
    """Habit of ezdxf: a file it reads as R12 (it takes one without $ACADVER for R12) loses the
    groups of an entity that follow its first subclass marker (100), whatever the entity's kind:
    its layer comes back "0", an ATTRIB's text and point empty. Our reader reads those groups, so
    where ezdxf's value differs, the entity is judged by the file's own group."""

    NAME = ("habit of ezdxf on a file it reads as R12: it drops the groups after a subclass "
            "marker")

    def __init__(self, doc):
        self.on = doc.dxfversion == "AC1009"
        self.taken = {}  # what was taken from the file: "space.kind what" -> rows
        self.layers = set()  # the layers taken from the file

    def _take(self, where, row):
        self.taken.setdefault(where, []).append(row)

    def layer(self, raw, theirs, where, row):
        if self.on and raw is not None and raw.layer_after_marker:
            in_file = decode_escapes(decode_as_ours(raw.layer, ""))
            if in_file != theirs:
                self._take(where + " layer", row)
                self.layers.add(in_file)
                return in_file
        return theirs

    def text(self, raw, theirs, where, row):
        if self.on and raw is not None and raw.text_after_marker:
            in_file = decode_as_ours(raw.text3 + raw.text1, "")
            if in_file != theirs:
                self._take(where + " text", row)
                return in_file
        return theirs

    def point(self, raw, theirs, where, row):
        """The first point (groups 10 and 20) as the file gives it."""
        if self.on and raw is not None and raw.p10_after_marker:
            in_file = tuple(float(v) if v is not None else 0.0 for v in raw.p10)
            if not all(same_number(a, b) for a, b in zip(in_file, theirs)):
                self._take(where + " point", row)
                return in_file
        return theirs

    def notes(self, check):
        for where, rows in sorted(self.taken.items()):
            check.note("%s: %d rows judged by the file's own groups (%s); e.g. row %d" %
                       (where, len(rows), self.NAME, rows[0]))


class Attribs:
    """The ATTRIB entities of one space as the file holds them, in file order, so that each
    row can be judged by its own groups where ezdxf drops them (DropsAfterMarker)."""

    def __init__(self, space, habit, where):
        self.file = list(space.attribs)
        self.habit, self.where = habit, where
        self.taken = 0

    def row(self, a, doc):
        raw = self.file[self.taken] if self.taken < len(self.file) else None
        row = self.taken
        self.taken += 1
        text = a.dxf.text
        # Rule: the groups 1 and 3 of a multi-line attribute's embedded MTEXT are read as the
        # attribute's own, and the later group 1 wins.
        if a.has_embedded_mtext_entity:
            text = a.virtual_mtext_entity().text
        text, layer = as_our_reader_decodes(text, doc), as_our_reader_decodes(a.dxf.layer, doc)
        point = tuple(a.dxf.insert)[:2]
        text = self.habit.text(raw, text, self.where, row)
        layer = self.habit.layer(raw, layer, self.where, row)
        point = self.habit.point(raw, point, self.where, row)
        return text, layer, point

    def any_lost(self):
        return self.habit.on and any(a.text_after_marker or a.layer_after_marker or
                                     a.p10_after_marker for a in self.file)


def text_rows(entities, doc, attribs):
    """Texts as our text tables hold them, decoded as our reader decodes: TEXT, MTEXT and
    ATTRIB, empty strings dropped."""
    rows = []
    ours = lambda s: as_our_reader_decodes(s, doc)  # noqa: E731
    at = lambda e: tuple(e.dxf.insert)[:2]  # noqa: E731
    for e in entities:
        kind = e.dxftype()
        if kind == "TEXT":
            rows.append((ours(e.dxf.text), ours(e.dxf.layer), at(e)))
        elif kind == "MTEXT":
            rows.append((ours(e.text), ours(e.dxf.layer), at(e)))
            # Rule: every MTEXT entity is a row; ezdxf folds the linked column MTEXTs of a
            # column MTEXT into the first one.
            if e.has_columns:
                rows.extend((ours(c.text), ours(c.dxf.layer), at(c))
                            for c in e._columns.linked_columns)
        elif kind == "INSERT":
            # Rule: ATTRIB entities are texts; ezdxf keeps them with their INSERT.
            rows.extend(attribs.row(a, doc) for a in e.attribs)
    return [(decode_escapes(t), decode_escapes(l), p) for t, l, p in rows if t != ""]


def has_linked_columns(entities):
    return any(e.dxftype() == "MTEXT" and e.has_columns and e._columns.linked_columns
               for e in entities)


def expected_counts(entities, rows):
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
        "texts": len(rows),
    }


def expected_geometry(entities, doc, rows):
    """Per counted kind, each entity's layer and numbers as ezdxf reads them, in the order of
    our tables; texts from their rows (position of the first alignment point, group 10)."""
    layer = lambda e: decode_escapes(as_our_reader_decodes(e.dxf.layer, doc))  # noqa: E731
    out = {kind: [] for kind in GEOMETRY}
    for e in entities:
        kind, d = e.dxftype(), e.dxf
        if kind == "LINE":
            out["lines"].append((layer(e), *d.start, *d.end))
        elif kind == "CIRCLE":
            out["circles"].append((layer(e), *d.center, d.radius))
        elif kind == "ARC":
            out["arcs"].append((layer(e), *d.center, d.radius, d.start_angle, d.end_angle))
        elif kind == "ELLIPSE":
            out["ellipses"].append((layer(e), *d.center, *d.major_axis, d.ratio, d.start_param,
                                    d.end_param))
        elif kind == "LWPOLYLINE":
            index = len(out["polylines"])
            out["polylines"].append((layer(e),))
            out["vertices"].extend((index, x, y, b) for x, y, b in e.get_points("xyb"))
        elif kind == "POLYLINE":
            index = len(out["polylines"])
            out["polylines"].append((layer(e),))
            out["vertices"].extend((index, v.dxf.location.x, v.dxf.location.y, v.dxf.bulge)
                                   for v in e.vertices)
    out["texts"] = [(l, *p) for _, l, p in rows]
    return out


def ours_geometry(space):
    """Our rows in the same shape: layers escape-decoded, texts and vertices in the plane."""
    g = space["geometry"]
    out = {kind: [tuple(r) for r in g[kind]] for kind in GEOMETRY}
    for kind in GEOMETRY:
        if kind != "vertices":
            out[kind] = [(decode_escapes(r[0]), *r[1:]) for r in out[kind]]
    out["texts"] = [r[:3] for r in out["texts"]]
    return out


def same_number(a, b):
    # Both sides parse the same digits; ours through the extended type, so the last bit of a
    # value with more than 17 digits may differ.
    return a is not None and b is not None and math.isclose(a, b, rel_tol=1e-12, abs_tol=1e-12)


def compare_geometry(check, space, ours, expected, scan, habit):
    """Row by row: layers and numbers must agree, or differ under a named rule; a difference
    is reported with the file's own group 8 beside. The layer and first point of every kind
    but vertices are judged by the file's own groups where ezdxf drops them (habit)."""
    for kind in GEOMETRY:
        mine, theirs = ours[kind], expected[kind]
        records = scan.spaces[space].records.get(kind, [])
        numbers_off, layers_off, habits = [], [], {}
        for i, (m, t) in enumerate(zip(mine, theirs)):
            first = 0 if kind == "vertices" else 1
            if kind == "vertices" and m[0] != t[0]:
                numbers_off.append((i, m, t))
                continue
            if first:
                raw = records[i] if i < len(records) else None
                where = "%s.%s" % (space, kind)
                point = habit.point(raw, t[1:3], where, i)
                t = (habit.layer(raw, t[0], where, i), *point, *t[3:])
            if not all(same_number(a, b) for a, b in zip(m[first:], t[first:])):
                raw = records[i] if kind == "texts" and i < len(records) else None
                rule = text_point_rule(m[first:], raw)
                if rule:
                    habits.setdefault(rule, []).append(i)
                else:
                    numbers_off.append((i, m, t))
            if first and m[0] != t[0]:
                raw = records[i] if i < len(records) else None
                in_file = decode_escapes(decode_as_ours(raw.layer, scan.version)) if raw else None
                layers_off.append((i, m[0], t[0], in_file))
        for habit, rows in habits.items():
            check.note("%s.%s: %d rows judged against the file's own groups: %s; e.g. row %d" %
                       (space, kind, len(rows), habit, rows[0]))
        ok = not numbers_off and not layers_off and len(mine) == len(theirs)
        check.lines.append("  %-28s %d rows %s" % ("%s.%s numbers" % (space, kind), len(mine),
                                                  "ok" if ok else "DIFFERENT"))
        if numbers_off:
            check.failures.append("%s: %s.%s numbers differ in %d rows, first %r" %
                                  (check.name, space, kind, len(numbers_off), numbers_off[0]))
        if layers_off:
            check.failures.append("%s: %s.%s layers differ in %d rows, first (row, ours, ezdxf, "
                                  "file) %r" % (check.name, space, kind, len(layers_off),
                                                layers_off[0]))


def text_point_rule(ours, raw):
    """The rule of our reader that explains a text's point that differs from ezdxf's, or None."""
    # Rule: every group 10 and 20 of a text sets its point, the later one wins, those of an
    # embedded object (after group 101, as an MTEXT's column data or a multi-line attribute's
    # MTEXT) among them; ezdxf keeps the entity's own.
    if raw is None or None in raw.embedded_p10:
        return None
    if all(same_number(a, float(b)) for a, b in zip(ours, raw.embedded_p10)):
        return ("the point is the later group 10/20, inside the embedded object after group 101 "
                "(rule of our reader; ezdxf keeps the entity's own)")
    return None


class Check:
    def __init__(self, name):
        self.name = name
        self.failures = []
        self.lines = []

    def note(self, text):
        self.lines.append("  " + text)

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


def stopped_at(ours):
    """The code line at which our reader stopped, from its error text "n:code/n+1:value"."""
    m = re.match(r"(\d+):", ours["error"])
    return int(m.group(1)) if m else None


def check_binary(check, ours, path):
    # Rule: the reader reads ASCII DXF only; the first line of a binary file is no group code,
    # so the read stops at pair 1 with the report, and only layer "0" remains.
    first_line = path.read_bytes().split(b"\r\n", 1)[0].decode("ascii")
    check.true("binary: stops at pair 1", ours["error"].startswith("1:" + first_line + "/2:"))
    check.true("binary: DxfReport shown", len(ours["messages"]) == 1 and
               ours["messages"][0].startswith("DxfReport: 1 : " + first_line + " / 2 : "))
    check.equal("binary: layers", ours["layers"], ["0"])
    check.equal("binary: lines", ours["entities"]["lines"], 0)


def check_both_refuse(check, ours, scan):
    """Both readers refuse the file: ours must say where it stopped and show the report, and
    cannot have read past a pair that is broken in its structure."""
    line = stopped_at(ours)
    check.note("ours stops at line %s: %s" % (line, printable(ours["error"][:120])))
    check.true("ours names the line", line is not None)
    check.true("DxfReport shown", len(ours["messages"]) == 1 and
               ours["messages"][0].startswith("DxfReport: %s : " % line))
    if scan.broken_at is not None:
        check.note("plain scan: broken pair at line %d" % scan.broken_at)
        check.true("ours stops at or before it", line is not None and line <= scan.broken_at)


def check_against_scan(check, ours, scan):
    """ezdxf cannot load the file and ours read it: our counts against the plain scan's."""
    check.true("the plain scan finds no broken pair", scan.broken_at is None)
    check.equal("version", ours["version"], scan.version)
    for space, found in scan.spaces.items():
        for kind in COUNTED:
            check.equal("%s.%s (scan)" % (space, kind), ours[space][kind], found.counts[kind])
    check.equal("inserts (scan)", ours["inserts"], scan.inserts)
    check.equal("blocks (scan)", len(ours["blocks"]), len(scan.blocks))
    check.equal("layer table rows (scan)", len(ours["layers"][:scan.layer_rows]), scan.layer_rows)


def check_with_ezdxf(check, ours, doc, scan):
    # Habit: ezdxf takes a file without $ACADVER for R12.
    check.equal("version", ours["version"], doc.dxfversion if scan.version else "")
    if not scan.version:
        check.note("no $ACADVER in the file: ezdxf reads it as %s" % doc.dxfversion)
    check.equal("error", ours["error"], "")

    entities, blocks = entity_space(doc), block_space(doc)
    used = set()
    habit = DropsAfterMarker(doc)
    for space, ezdxf_entities in (("entities", entities), ("blockBodies", blocks)):
        attribs = Attribs(scan.spaces[space], habit, "%s.ATTRIB" % space)
        rows = text_rows(ezdxf_entities, doc, attribs)
        if attribs.any_lost():
            # Each ATTRIB is matched with the file's by order: both must hold as many.
            check.equal("%s ATTRIBs (scan)" % space, attribs.taken, len(attribs.file))
        used |= {l for _, l, _ in rows}
        expected = expected_counts(ezdxf_entities, rows)
        for kind, n in expected.items():
            check.equal("%s.%s" % (space, kind), ours[space][kind], n)
        # Texts in file order with their decoded strings and layers.
        exp_strings = [t for t, _, _ in rows]
        ours_strings = [decode_escapes(s) for s in ours[space]["textStrings"]]
        if has_linked_columns(ezdxf_entities):
            # The linked column MTEXTs stand elsewhere in the file: compare without order.
            ours_strings, exp_strings = sorted(ours_strings), sorted(exp_strings)
        check.equal("%s text strings" % space, ours_strings, exp_strings)
        ours_g = ours_geometry(ours[space])
        exp_g = expected_geometry(ezdxf_entities, doc, rows)
        if has_linked_columns(ezdxf_entities):
            ours_g["texts"], exp_g["texts"] = sorted(ours_g["texts"]), sorted(exp_g["texts"])
        compare_geometry(check, space, ours_g, exp_g, scan, habit)
    habit.notes(check)
    # Rule: INSERT is kept for the ENTITIES section only.
    check.equal("inserts", ours["inserts"], sum(1 for e in entities if e.dxftype() == "INSERT"))

    # Blocks: every BLOCK header of the file, as ezdxf lists them; ezdxf renames the layout
    # blocks of R12 files to the names of later versions, and (habit) makes up the layout
    # blocks that a file lacks.
    r12_names = {"*Model_Space": "$MODEL_SPACE", "*Paper_Space": "$PAPER_SPACE"}
    exp_blocks = [decode_escapes(as_our_reader_decodes(b.name, doc)) for b in doc.blocks]
    if doc.dxfversion == "AC1009":
        exp_blocks = [r12_names.get(b, b) for b in exp_blocks]
    in_file = {decode_as_ours(b, scan.version).lower() for b in scan.blocks}
    made_up = [b for b in exp_blocks if b.lower() in LAYOUT_BLOCKS and b.lower() not in in_file]
    if made_up:
        check.note("layout blocks made up by ezdxf: %s" % ", ".join(made_up))
        exp_blocks = [b for b in exp_blocks if b not in made_up]
    check.equal("block names", sorted(decode_escapes(b) for b in ours["blocks"]),
                sorted(exp_blocks))

    # Layers: the LAYER table in file order, then (rule) every layer that a by-layer entity
    # named and the table lacks, or layer "0" alone when that leaves none. ezdxf adds
    # "Defpoints" when the file has none, and (habit) layer "0" and "Defpoints" as its whole
    # table when the file has no layer table.
    if scan.has_layer_table:
        table = [decode_escapes(as_our_reader_decodes(l.dxf.name, doc)) for l in doc.layers]
    else:
        check.note("no layer table in the file: ezdxf's layers %s are its own"
                   % [l.dxf.name for l in doc.layers])
        table = []
    ours_layers = [decode_escapes(l) for l in ours["layers"]]
    in_file = ours_layers[:len(table)]
    if "Defpoints" not in in_file and "Defpoints" in table:
        table.remove("Defpoints")
    check.equal("layer table rows", in_file, table)
    used |= {decode_escapes(as_our_reader_decodes(e.dxf.layer, doc))
             for e in entities + blocks if e.dxf.hasattr("layer")}
    used |= habit.layers
    appended = ours_layers[len(table):]
    if not table and appended == ["0"]:
        check.note("no layer rows and no by-layer entity: layer \"0\" alone")
    else:
        check.true("appended layers are used by entities and missing from the table",
                   all(l in used and l not in table for l in appended))


def check_file(dxfcount, path, name):
    check = Check(name)
    out = subprocess.run([dxfcount, str(path)], capture_output=True, timeout=120)
    check.true("dxfcount ran without a crash", out.returncode == 0)
    if out.returncode != 0:
        check.note(out.stderr.decode("utf-8", errors="replace").strip()[-300:])
        return check
    ours = json.loads(out.stdout.decode("utf-8", errors="replace"))
    data = path.read_bytes()
    if data.startswith(b"AutoCAD Binary DXF"):
        check_binary(check, ours, path)
        return check

    scan = FileScan(data)
    doc, how = load_ezdxf(path)
    if doc is None:
        check.note("ezdxf refuses it: %s" % how)
        if ours["error"]:
            check_both_refuse(check, ours, scan)
        else:
            check.note("ours reads it: counts against the plain scan")
            check_against_scan(check, ours, scan)
        return check
    check.note("ezdxf: %s, %s, encoding %s" % (how, doc.dxfversion, doc.encoding))
    check_with_ezdxf(check, ours, doc, scan)
    return check


def check_japanese(dxfcount, paths):
    """The synthetic Japanese files: names and texts decode to the same Japanese in CP932
    (below AC1021), UTF-8 (from AC1021) and as escapes kept from an ANSI_1252 file."""
    check = Check("Japanese decoding")
    for path in paths:
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


def main(argv):
    require_japanese = "--require-japanese" in argv
    args = [a for a in argv if a != "--require-japanese"]
    if len(args) != 2:
        print(__doc__)
        return 2
    dxfcount, folder = args[0], pathlib.Path(args[1])
    if not folder.is_dir():
        print("no folder at %s" % folder)
        return 1
    paths = sorted(p for p in folder.rglob("*") if p.is_file() and p.suffix.lower() == ".dxf")
    if not paths:
        print("no DXF files under %s (searched at every depth): nothing was compared" % folder)
        return 1

    checks = []
    for path in paths:
        name = str(path.relative_to(folder))
        try:
            check = check_file(dxfcount, path, name)
        except Exception as e:
            check = Check(name)
            check.failures.append("%s: the comparison itself failed: %s" % (name, one_line(e)))
            check.lines += ["  " + l for l in traceback.format_exc().rstrip().split("\n")]
        checks.append(check)
        print("%s %s" % ("FAIL" if check.failures else "PASS", name))
        print("\n".join(check.lines), flush=True)

    japanese = [p for p in paths if p.name.startswith("jp_")]
    extra = []
    if japanese:
        extra.append(check_japanese(dxfcount, japanese))
    elif require_japanese:
        missing = Check("Japanese decoding")
        missing.failures.append("Japanese decoding: no jp_*.dxf files under %s" % folder)
        extra.append(missing)
    for c in extra:
        print("%s %s" % ("FAIL" if c.failures else "PASS", c.name))
        print("\n".join(c.lines))

    failed = [c for c in checks if c.failures]
    failures = [f for c in checks + extra for f in c.failures]
    print("\n%d files: %d passed, %d failed; %d differences not explained by a rule" %
          (len(checks), len(checks) - len(failed), len(failed), len(failures)))
    for f in failures:
        print("  " + f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
