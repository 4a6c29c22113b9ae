#!/usr/bin/python3
"""Small DXF files written pair by pair (no CAD program, no DXF library), each for one habit of
a reader that the real files do not show. Run: /usr/bin/python3 make_handmade.py"""


def pairs(*items):
    return "".join("%3d\r\n%s\r\n" % (code, value) for code, value in items)


def section(name, *items):
    return pairs((0, "SECTION"), (2, name)) + "".join(items) + pairs((0, "ENDSEC"))


def line(layer, x1, y1, x2, y2, *extra):
    return pairs((0, "LINE"), (8, layer), *extra, (10, x1), (20, y1), (30, 0), (11, x2),
                 (21, y2), (31, 0))


def attrib(tag, text, layer, markers):
    """An ATTRIB as R12 writes it, or with the subclass markers of later versions."""
    if not markers:
        return pairs((0, "ATTRIB"), (8, layer), (10, 1), (20, 1), (30, 0), (40, 2.5), (1, text),
                     (2, tag), (70, 0))
    return pairs((0, "ATTRIB"), (100, "AcDbEntity"), (8, layer), (100, "AcDbText"), (10, 1),
                 (20, 1), (30, 0), (40, 2.5), (1, text), (100, "AcDbAttribute"), (2, tag),
                 (70, 0))


EOF_PAIR = pairs((0, "EOF"))

# R12 without a HEADER section: no $ACADVER, no layer table, no layout blocks; every entity on
# its layer's colour but one.
r12 = section(
    "ENTITIES",
    line("LOT", 0, 0, 120.5, 0),
    line("LOT", 120.5, 0, 98.25, 64),
    line("ROAD", 98.25, 64, 0, 0),
    line("NOTE", 5, 5, 6, 6, (62, 1)),
    pairs((0, "CIRCLE"), (8, "MARK"), (10, 50), (20, 20), (30, 0), (40, 1.5)),
    pairs((0, "ARC"), (8, "MARK"), (10, 50), (20, 20), (30, 0), (40, 3), (50, 0), (51, 90)),
    pairs((0, "POLYLINE"), (8, "LOT"), (66, 1), (10, 0), (20, 0), (30, 0), (70, 1)),
    pairs((0, "VERTEX"), (8, "LOT"), (10, 200), (20, 0), (30, 0)),
    pairs((0, "VERTEX"), (8, "LOT"), (10, 260), (20, 0), (30, 0)),
    pairs((0, "VERTEX"), (8, "LOT"), (10, 260), (20, 40), (30, 0), (42, 0.5)),
    pairs((0, "VERTEX"), (8, "LOT"), (10, 200), (20, 40), (30, 0)),
    pairs((0, "SEQEND"), (8, "LOT")),
    pairs((0, "TEXT"), (8, "TXT"), (10, 10), (20, 10), (30, 0), (40, 2.5), (1, "LOT 123-4")),
) + EOF_PAIR

# Attributes without a HEADER section: a block with an ATTDEF, two INSERTs whose ATTRIBs carry
# the subclass markers of later versions, one ATTRIB without them, a TEXT with them.
block = pairs((0, "BLOCK"), (8, "0"), (2, "MARK"), (70, 2), (10, 0), (20, 0), (30, 0),
              (3, "MARK")) + pairs((0, "CIRCLE"), (8, "0"), (10, 0), (20, 0), (30, 0),
                                   (40, 1)) + pairs(
    (0, "ATTDEF"), (8, "0"), (10, 1), (20, 1), (30, 0), (40, 2.5), (1, ""), (3, "Point"),
    (2, "NAME"), (70, 0)) + line("0", -1, 0, 1, 0) + pairs((0, "ENDBLK"), (8, "0"))
inserts = ""
for i, (x, y, markers) in enumerate([(0, 0, True), (30, 0, True), (60, 0, False)], 1):
    inserts += pairs((0, "INSERT"), (8, "PTS"), (66, 1), (2, "MARK"), (10, x), (20, y), (30, 0))
    inserts += attrib("NAME", "K%d" % i, "PTNAME", markers)
    inserts += attrib("NOTE", "stake %d" % i, "PTNOTE", markers)
    inserts += pairs((0, "SEQEND"), (8, "PTS"))
attributes = section("BLOCKS", block) + section(
    "ENTITIES", inserts,
    pairs((0, "TEXT"), (100, "AcDbEntity"), (8, "TXT"), (100, "AcDbText"), (10, 0), (20, -10),
          (30, 0), (40, 2.5), (1, "boundary marks"))) + EOF_PAIR

# What a fuzzer leaves of a drawing: a colour number garbled into control bytes. Both readers
# refuse it.
fuzzed = section("HEADER", pairs((9, "$ACADVER"), (1, "AC1015"))) + section(
    "ENTITIES",
    line("0", 0, 0, 10, 0),
    pairs((0, "CIRCLE"), (5, "2F"), (8, "0"), (62, "\x0e\x7f"), (10, 0), (20, 0), (30, 0),
          (40, 2))) + EOF_PAIR

# A header variable that ezdxf cannot read (a point without its y), even in recover mode; the
# drawing itself is sound, and our reader reads it.
entities = (
    line("A", 0, 0, 10, 0) + line("A", 10, 0, 10, 10) +
    pairs((0, "CIRCLE"), (8, "B"), (10, 5), (20, 5), (30, 0), (40, 1)) +
    pairs((0, "LWPOLYLINE"), (8, "A"), (90, 3), (70, 1), (10, 0), (20, 0), (10, 4), (20, 0),
          (42, 0.25), (10, 4), (20, 3)) +
    pairs((0, "POLYLINE"), (8, "A"), (66, 1), (10, 0), (20, 0), (30, 0)) +
    pairs((0, "VERTEX"), (8, "A"), (10, 1), (20, 1), (30, 0)) +
    pairs((0, "VERTEX"), (8, "A"), (10, 2), (20, 1), (30, 0)) + pairs((0, "SEQEND"), (8, "A")) +
    pairs((0, "TEXT"), (8, "T"), (10, 0), (20, 0), (30, 0), (40, 1), (1, "north")) +
    pairs((0, "TEXT"), (8, "T"), (10, 0), (20, 0), (30, 0), (40, 1), (1, "")) +
    pairs((0, "MTEXT"), (8, "T"), (10, 0), (20, 0), (30, 0), (40, 1), (3, "first part, "),
          (1, "last part")) +
    pairs((0, "INSERT"), (8, "B"), (66, 1), (2, "BOX"), (10, 0), (20, 0), (30, 0)) +
    pairs((0, "ATTRIB"), (8, "B"), (10, 0), (20, 0), (30, 0), (40, 1), (1, "A-1"), (2, "ID"),
          (70, 0)) + pairs((0, "SEQEND"), (8, "B")))
bad_header = section(
    "HEADER", pairs((9, "$ACADVER"), (1, "AC1015"), (9, "$INSBASE"), (10, "0.0"), (9, "$EXTMIN"),
                    (10, 0), (20, 0), (30, 0))) + section(
    "TABLES", pairs((0, "TABLE"), (2, "LAYER"), (70, 2), (0, "LAYER"), (2, "A"), (70, 0),
                    (62, 7), (6, "CONTINUOUS"), (0, "LAYER"), (2, "B"), (70, 0), (62, 3),
                    (6, "CONTINUOUS"), (0, "ENDTAB"))) + section(
    "BLOCKS", pairs((0, "BLOCK"), (8, "0"), (2, "BOX"), (70, 0), (10, 0), (20, 0), (30, 0)),
    line("B", 0, 0, 1, 1), pairs((0, "ARC"), (8, "B"), (10, 0), (20, 0), (30, 0), (40, 1),
                                 (50, 0), (51, 180)), pairs((0, "ENDBLK"), (8, "0"))) + section(
    "ENTITIES", entities) + EOF_PAIR

for name, text in [("r12_no_header.dxf", r12), ("attributes_no_header.dxf", attributes),
                   ("fuzzed_bad_colour.dxf", fuzzed), ("bad_header_point.dxf", bad_header)]:
    with open(name, "w", encoding="ascii", newline="") as f:
        f.write(text)
print("ok")
