// The reader's table rules on small inline files: what lands in which table, in which order,
// with which colour and text.
#include <gtest/gtest.h>

#include "DxfFixtures.h"

using namespace dxftest;

namespace {

TEST(DxfTables, ByLayerColourIsResolvedWhenTheEntityEnds) {
  struct Case {
    const char* what;
    std::string body;
    int expected;
  };
  const Case cases[] = {
      // the last entity before ENDSEC is completed by ENDSEC itself
      {"by-layer LINE last before ENDSEC", Line("Walls", "0", "0", "1", "1"), 3},
      {"explicit colour kept", Line("Walls", "0", "0", "1", "1") + Lines({" 62", "5"}), 5},
      {"explicit 256 is by layer", Line("Walls", "0", "0", "1", "1") + Lines({" 62", "256"}), 3},
      {"by block (0) kept", Line("Walls", "0", "0", "1", "1") + Lines({" 62", "0"}), 0},
      {"by entity (257) kept", Line("Walls", "0", "0", "1", "1") + Lines({" 62", "257"}), 257},
      {"layer name is case-sensitive", Line("WALLS", "0", "0", "1", "1"), 7},
  };
  for (const Case& c : cases) {
    Parsed p = Parse(LayerTable({{"0", 7}, {"Walls", 3}}) + Entities(c.body) + Eof());
    ASSERT_EQ(p.t.entities.lines.size(), 1u) << c.what;
    EXPECT_EQ(p.t.entities.lines[0].color, c.expected) << c.what;
  }
}

TEST(DxfTables, EveryResolvingTypeGetsItsLayerColour) {
  const std::string body =
      Lines({"  0", "CIRCLE",     "  8", "L", " 10", "1", " 20", "2",      " 40", "3",   //
             "  0", "ARC",        "  8", "L", " 40", "1", " 50", "10",     " 51", "20",  //
             "  0", "ELLIPSE",    "  8", "L", " 11", "4", " 40", "0.5",                  //
             "  0", "INSERT",     "  8", "L", "  2", "B",                                //
             "  0", "POLYLINE",   "  8", "L", " 66", "1", "  0", "SEQEND",               //
             "  0", "TEXT",       "  8", "L", "  1", "t",                                //
             "  0", "LWPOLYLINE", "  8", "L", " 10", "0", " 20", "0"});
  Parsed p = Parse(LayerTable({{"L", 4}}) + Entities(body) + Eof());
  EXPECT_EQ(p.t.entities.circles.at(0).color, 4);
  EXPECT_EQ(p.t.entities.circles[0].hankei, 3.0);
  EXPECT_EQ(p.t.entities.arcs.at(0).color, 4);
  EXPECT_EQ(p.t.entities.arcs[0].ed, 20.0);
  EXPECT_EQ(p.t.entities.ellipses.at(0).color, 4);
  EXPECT_EQ(p.t.inserts.at(0).color, 4);
  EXPECT_EQ(p.t.entities.polylines.at(0).color, 4);
  EXPECT_EQ(p.t.entities.texts.at(0).color, 4);
  EXPECT_EQ(p.t.entities.polylines.at(1).color, 4);  // at its first vertex
  EXPECT_EQ(p.t.layers.size(), 1u);
}

TEST(DxfTables, UnknownLayerIsAppendedWithColourSeven) {
  Parsed p = Parse(LayerTable({{"0", 7}, {"A", 1}}) +
                   Entities(Line("Missing", "0", "0", "1", "0") +
                            Lines({"  0", "LWPOLYLINE", "  8", "NoVertices", " 90", "0"}) +
                            Line("Missing", "1", "0", "2", "0")) +
                   Eof());
  ASSERT_EQ(p.t.layers.size(), 3u);  // once, although two lines use it
  const TLayer& added = p.t.layers[2];
  EXPECT_EQ(added.Name, "Missing");
  EXPECT_EQ(added.color, 7);
  EXPECT_EQ(added.code70, 0);
  EXPECT_EQ(added.ltype, "CONTINUOUS");
  EXPECT_TRUE(added.visible);
  EXPECT_EQ(p.t.entities.lines[0].color, 7);
  // A lightweight polyline without vertices never resolves and adds no layer.
  EXPECT_EQ(p.t.entities.polylines.at(0).color, 256);
}

// The first layer row of a name gives the colour, also when rows come after the entities
// that were looked up, and rows of the same name follow each other.
TEST(DxfTables, FirstLayerRowOfANameWins) {
  const std::string body = Entities(Line("A", "0", "0", "1", "0")) +
                           LayerTable({{"B", 1}, {"B", 2}, {"A", 3}}) +
                           Entities(Line("A", "0", "0", "1", "0") + Line("B", "0", "0", "1", "0") +
                                    Line("C", "0", "0", "1", "0") + Line("C", "0", "0", "1", "0"));
  Parsed p = Parse(body + Eof());
  ASSERT_EQ(p.t.entities.lines.size(), 5u);
  EXPECT_EQ(p.t.entities.lines[0].color, 7);  // A was unknown then: appended with 7
  EXPECT_EQ(p.t.entities.lines[1].color, 7);  // and that row still comes first
  EXPECT_EQ(p.t.entities.lines[2].color, 1);
  EXPECT_EQ(p.t.entities.lines[3].color, 7);
  ASSERT_EQ(p.t.layers.size(), 5u);  // A (appended), B, B, A (table), C (appended once)
  EXPECT_EQ(p.t.layers[0].Name, "A");
  EXPECT_EQ(p.t.layers[3].color, 3);
  EXPECT_EQ(p.t.layers[4].Name, "C");
}

TEST(DxfTables, LayerRowsAndUpperCasedLineTypes) {
  const std::string tables =
      Lines({"  0", "SECTION",  "  2", "TABLES",    "  0", "TABLE",    "  2", "LTYPE",
             "  0", "LTYPE",    "  2", "dashed",    "  0", "ENDTAB",  // other tables are skipped
             "  0", "TABLE",    "  2", "LAYER",     "  0", "LAYER",    "  2", "Road",
             " 70", "4",        " 62", "-2",        "  6", "dashDot2", "  0", "LAYER",
             "  2", "\x83\x72", "  6", "a\x83\x72", "  0", "ENDTAB",   "  0", "ENDSEC"});
  Parsed p = Parse(Header("AC1015") + tables + Eof());
  ASSERT_EQ(p.t.layers.size(), 2u);
  EXPECT_EQ(p.t.layers[0].Name, "Road");
  EXPECT_EQ(p.t.layers[0].code70, 4);
  EXPECT_EQ(p.t.layers[0].color, -2);  // as read: a layer switched off
  EXPECT_EQ(p.t.layers[0].ltype, "DASHDOT2");
  // Upper-casing works on the decoded name: the trail byte 0x72 ('r') of ビ stays.
  EXPECT_EQ(p.t.layers[1].Name, "ビ");
  EXPECT_EQ(p.t.layers[1].ltype, "Aビ");
  EXPECT_EQ(p.t.layers[1].color, 7);
}

TEST(DxfTables, InsertWithAttributes) {
  const std::string body = Lines(
      {"  0", "INSERT", "  8", "0",  "  2", "MARK", " 66", "1",     " 10", "5",   " 20", "6",
       " 41", "2",      " 50", "30",                                                            //
       "  0", "ATTRIB", "  8", "0",  "  1", "12.5", "  2", "LEN",   " 73", "1",   " 74", "3",   //
       "  0", "ATTRIB", "  8", "0",  "  1", "",     "  2", "EMPTY",                             //
       "  0", "ATTRIB", "  8", "0",  " 74", "2",    " 73", "0",     "  1", "A-1", "  2", "NO",  //
       "  0", "SEQEND", "  8", "0"});
  Parsed p = Parse(Entities(body) + Eof());
  ASSERT_EQ(p.t.inserts.size(), 1u);
  const TInsertBlk& ins = p.t.inserts[0];
  EXPECT_EQ(ins.name, "MARK");
  EXPECT_EQ(ins.code66, 1);
  EXPECT_EQ(ins.base.x, 5);
  EXPECT_EQ(ins.base.y, 6);
  EXPECT_EQ(ins.scale.x, 2);
  EXPECT_EQ(ins.scale.y, 1);
  EXPECT_EQ(ins.rotate, 30);
  ASSERT_EQ(p.t.entities.texts.size(), 2u);
  EXPECT_EQ(p.t.entities.texts[0].str, "12.5");
  EXPECT_EQ(p.t.entities.texts[0].code73, 3);  // 74 after 73: the later group wins
  EXPECT_EQ(p.t.entities.texts[1].str, "A-1");
  EXPECT_EQ(p.t.entities.texts[1].code73, 0);
  EXPECT_FALSE(p.t.entities.texts[0].mtflag);
}

TEST(DxfTables, EmptyTextsAreDroppedAndTheirSlotReused) {
  Parsed empty = Parse(Entities(Lines({"  0", "TEXT", "  8", "0", "  1", "", "  0", "MTEXT", "  8",
                                       "0", "  0", "TEXT", "  8", "0"})) +
                       Eof());
  EXPECT_TRUE(empty.t.entities.texts.empty());
  EXPECT_EQ(empty.t.entities.texts.capacity(), 0u);

  Parsed p = Parse(Entities(Lines({"  0", "TEXT", "  8", "A", " 40", "9", "  1", "", "  0", "TEXT",
                                   "  8", "B", "  1", "kept"})) +
                   Eof());
  ASSERT_EQ(p.t.entities.texts.size(), 1u);
  EXPECT_EQ(p.t.entities.texts[0].layer, "B");
  EXPECT_EQ(p.t.entities.texts[0].code40, 0);  // nothing of the dropped text remains
  EXPECT_EQ(p.t.entities.texts[0].code41, 1.0);
}

TEST(DxfTables, MtextChunksComeBeforeTheGroupOneValue) {
  const std::string body =
      Lines({"  0", "MTEXT",          "  8", "0",    " 71", "1",   "  3", "first ",
             "  3", "second{\\C1;x}", "  1", "last", " 11", "1",   " 21", "0",
             "  0", "MTEXT",          "  8", "0",    "  1", "one", "  3", "two"});
  Parsed p = Parse(Entities(body) + Eof());
  ASSERT_EQ(p.t.entities.texts.size(), 2u);
  EXPECT_EQ(p.t.entities.texts[0].str, "first second{\\C1;x}last");
  EXPECT_TRUE(p.t.entities.texts[0].mtflag);
  EXPECT_EQ(p.t.entities.texts[0].code71, 1);
  EXPECT_EQ(p.t.entities.texts[0].pt11.x, 1);
  EXPECT_EQ(p.t.entities.texts[1].str, "twoone");
}

TEST(DxfTables, LightweightPolylinesNumberTheirVertices) {
  const std::string body =
      Lines({"  0", "LWPOLYLINE", "  8", "0",   " 90", "2",   " 70", "1",   " 38", "2.5", " 10",
             "0",   " 20",        "0",   " 42", "0.5", " 10", "1",   " 20", "0",  //
             "  0", "LINE",       "  8", "0",                                     //
             "  0", "LWPOLYLINE", "  8", "0",   " 20", "99",  " 10", "10",  " 20", "11",  " 10",
             "12",  " 20",        "13",  " 10", "14",  " 20", "15",  " 10", "16",  " 20", "17"});
  Parsed p = Parse(Entities(body) + Eof());
  const TEntityTables& e = p.t.entities;
  ASSERT_EQ(e.polylines.size(), 2u);
  EXPECT_EQ(e.polylines[0].ihand, 0);
  EXPECT_EQ(e.polylines[0].code70, 1);
  EXPECT_EQ(e.polylines[0].Koudo, 2.5);
  EXPECT_EQ(e.polylines[1].ihand, 1);
  ASSERT_EQ(e.vertices.size(), 6u);
  EXPECT_EQ(e.vertices[0].code42, 0.5);
  EXPECT_EQ(e.vertices[1].code10.x, 1);
  // A group 20 before the first group 10 belongs to no vertex of this polyline.
  EXPECT_EQ(e.vertices[1].code10.y, 0);
  for (int i = 0; i < 4; ++i) {
    const TLwpEle& v = e.vertices[2 + i];
    EXPECT_EQ(v.ihand, 1);
    EXPECT_EQ(v.code10.x, 10 + 2 * i);
    EXPECT_EQ(v.code10.y, 11 + 2 * i);
    EXPECT_EQ(v.code10.z, 0);
    EXPECT_EQ(v.code42, 0);
  }
}

TEST(DxfTables, PolylineTakesItsVerticesFromVertexEntities) {
  const std::string body =
      Lines({"  0", "POLYLINE", "  8", "P",      " 66", "1", " 10", "0.0",    " 20", "0.0",
             " 30", "7.5",      " 70", "8",      " 71", "3", " 72", "4",      "  0", "VERTEX",
             "  8", "Other",    " 10", "1",      " 20", "2", " 30", "7.5",    " 42", "-1",
             " 70", "32",       "  0", "VERTEX", "  8", "P", " 10", "3",      " 20", "4",
             " 30", "7.5",      "  0", "VERTEX", "  8", "P", " 10", "5",      " 20", "6",
             " 30", "7.5",      "  0", "SEQEND", "  8", "P",                   //
             "  0", "POLYLINE", "  8", "P",      " 62", "2", "  0", "SEQEND",  //
             "  0", "LINE",     "  8", "P"});
  Parsed p = Parse(LayerTable({{"P", 6}}) + Entities(body) + Eof());
  const TEntityTables& e = p.t.entities;
  ASSERT_EQ(e.polylines.size(), 2u);
  EXPECT_EQ(e.polylines[0].code70, 8);
  EXPECT_EQ(e.polylines[0].code71, 3);
  EXPECT_EQ(e.polylines[0].code72, 4);
  EXPECT_EQ(e.polylines[0].layer, "P");  // the vertices' own groups are skipped
  EXPECT_EQ(e.polylines[0].color, 6);
  EXPECT_EQ(e.polylines[0].Koudo, 0);  // the header's point is not read
  ASSERT_EQ(e.vertices.size(), 3u);
  EXPECT_EQ(e.vertices[0].code10.x, 1);
  EXPECT_EQ(e.vertices[0].code10.y, 2);
  EXPECT_EQ(e.vertices[0].code10.z, 7.5);
  EXPECT_EQ(e.vertices[0].code42, -1);
  EXPECT_EQ(e.vertices[2].code10.x, 5);
  for (const TLwpEle& v : e.vertices) EXPECT_EQ(v.ihand, 0);
  EXPECT_EQ(e.polylines[1].ihand, 1);  // SEQEND right after the header: no vertices
  EXPECT_EQ(e.polylines[1].color, 2);
  EXPECT_EQ(e.lines.size(), 1u);
}

TEST(DxfTables, BlockBodiesHaveTheirOwnTables) {
  const std::string blocks =
      Blocks(Lines({"  0", "BLOCK", "  8", "BL", "  2", "Mark", " 70", "0", " 10", "1", " 20", "2",
                    " 30", "0", "  3", "Mark"}) +
             Line("0", "0", "0", "1", "1") +
             Lines({"  0", "INSERT",     "  2", "Inner",  // not recorded inside a block
                    "  0", "LWPOLYLINE", "  8", "0",     " 10", "0",     " 20", "0",
                    "  0", "ENDBLK",     "  8", "BL",    "  0", "BLOCK", "  2", "Second",
                    "  0", "LWPOLYLINE", "  8", "0",     " 10", "5",     "  0", "ENDBLK"}));
  const std::string entities = Entities(Lines(
      {"  0", "INSERT", "  8", "0", "  2", "Mark", "  0", "LWPOLYLINE", "  8", "0", " 10", "9"}));
  Parsed p = Parse(blocks + entities + Eof());
  ASSERT_EQ(p.t.blocks.size(), 2u);
  EXPECT_EQ(p.t.blocks[0].name, "Mark");
  EXPECT_EQ(p.t.blocks[0].layer, "BL");
  EXPECT_EQ(p.t.blocks[0].base.y, 2);
  const TEntityTables& b = p.t.blockBodies;
  EXPECT_TRUE(p.t.entities.lines.empty());
  ASSERT_EQ(b.lines.size(), 1u);
  EXPECT_EQ(b.lines[0].bname, "Mark");
  ASSERT_EQ(b.polylines.size(), 2u);
  EXPECT_EQ(b.polylines[1].bname, "Second");
  EXPECT_EQ(b.polylines[1].ihand, 1);  // counted within the block polyline table
  ASSERT_EQ(b.vertices.size(), 2u);
  EXPECT_EQ(b.vertices[1].ihand, 1);
  ASSERT_EQ(p.t.inserts.size(), 1u);
  EXPECT_EQ(p.t.inserts[0].name, "Mark");
  ASSERT_EQ(p.t.entities.polylines.size(), 1u);
  EXPECT_EQ(p.t.entities.polylines[0].ihand, 0);
  EXPECT_EQ(p.t.entities.polylines[0].bname, "");
  EXPECT_EQ(p.t.entities.vertices.at(0).code10.x, 9);
}

// The sizing pass counts what the reading pass appends, table by table: every table is filled
// in the room it was given, without moving, on a file with every kind of entity in the drawing
// and in block bodies (an INSERT in a body is not kept, a POLYLINE's own 10 is no vertex).
TEST(DxfTables, SizingGivesEveryTableItsExactRoom) {
  const std::string body = Lines(
      {"  0", "LINE",    " 10", "1",      "  0", "CIRCLE",     " 40", "1",      "  0", "ARC",
       "  0", "ELLIPSE", " 40", "1",      "  0", "TEXT",       "  1", "t",      "  0", "MTEXT",
       "  3", "m",       "  1", "m",      "  0", "LWPOLYLINE", " 10", "0",      " 20", "0",
       " 10", "1",       " 20", "1",      "  0", "POLYLINE",   " 10", "0",      "  0", "VERTEX",
       " 10", "2",       "  0", "VERTEX", " 10", "3",          "  0", "SEQEND", "  0", "INSERT",
       "  2", "B",       "  0", "ATTRIB", "  1", "a",          "  0", "SEQEND"});
  const std::string dxf = Blocks(Lines({"  0", "BLOCK", "  2", "B"}) + body +
                                 Lines({"  0", "ENDBLK", "  0", "BLOCK", "  2", "C"}) + body +
                                 Lines({"  0", "ENDBLK"})) +
                          Entities(body + body) + Eof();
  platform::Cp932CodePage cp;
  TDxfTables t;
  ReserveDxfTables(dxf, t, cp);
  const auto places = [&t] {
    std::vector<std::pair<const void*, std::size_t>> p;
    const auto add = [&p](const auto& table) { p.emplace_back(table.data(), table.capacity()); };
    for (const TEntityTables* e : {&t.entities, &t.blockBodies}) {
      add(e->lines), add(e->circles), add(e->arcs), add(e->polylines), add(e->vertices);
      add(e->texts), add(e->ellipses);
    }
    add(t.inserts);
    return p;
  };
  const auto reserved = places();
  ASSERT_FALSE(ReadDxfPairs(dxf, t, cp).failed);
  EXPECT_EQ(places(), reserved);
  const auto sizes = [&t] {
    std::vector<std::size_t> n;
    for (const TEntityTables* e : {&t.entities, &t.blockBodies})
      n.insert(n.end(), {e->lines.size(), e->circles.size(), e->arcs.size(), e->polylines.size(),
                         e->vertices.size(), e->texts.size(), e->ellipses.size()});
    n.push_back(t.inserts.size());
    return n;
  };
  const std::vector<std::size_t> expected = {2, 2, 2, 4, 8, 6, 2,  // the drawing's two copies
                                             2, 2, 2, 4, 8, 6, 2,  // one in each block
                                             2};
  EXPECT_EQ(sizes(), expected);
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(reserved[i].second, expected[i]);
}

// A block definition ends with ENDBLK, with ENDSEC, and also with the next SECTION of a file
// that lacks both: the drawing's entities after it must not be filed as that block's body.
// Between ENDBLK and the next BLOCK nothing is recorded.
TEST(DxfTables, BlockLeftOpenDoesNotSwallowTheEntitiesSection) {
  const std::string open = Lines({"  0", "SECTION", "  2", "BLOCKS", "  0", "BLOCK", "  2", "B"}) +
                           Line("0", "0", "0", "1", "1");
  const std::string entities =
      Entities(Line("0", "5", "5", "6", "6") + Lines({"  0", "INSERT", "  2", "B"}));
  const struct {
    const char* what;
    std::string dxf;
  } cases[] = {
      {"ENDSEC without ENDBLK", open + Lines({"  0", "ENDSEC"}) + entities},
      {"neither ENDBLK nor ENDSEC", open + entities},
      {"an entity between ENDBLK and BLOCK", open + Lines({"  0", "ENDBLK"}) +
                                                 Line("0", "9", "9", "9", "9") +
                                                 Lines({"  0", "ENDSEC"}) + entities},
  };
  for (const auto& c : cases) {
    Parsed p = Parse(c.dxf + Eof());
    ASSERT_EQ(p.t.blockBodies.lines.size(), 1u) << c.what;
    EXPECT_EQ(p.t.blockBodies.lines[0].bname, "B") << c.what;
    ASSERT_EQ(p.t.entities.lines.size(), 1u) << c.what;
    EXPECT_EQ(p.t.entities.lines[0].st.x, 5) << c.what;
    EXPECT_EQ(p.t.entities.lines[0].bname, "") << c.what;
    EXPECT_EQ(p.t.inserts.size(), 1u) << c.what;
  }
}

// Section and table names are read from the SECTION and TABLE headers only, so that a block,
// layer or attribute called like a section does not switch the reader.
TEST(DxfTables, NamesLikeSectionsDoNotSwitchSections) {
  const std::string blocks =
      Blocks(Lines({"  0", "BLOCK", "  2", "ENTITIES", "  0", "LINE", "  8", "0", "  0", "ATTDEF",
                    "  2", "HEADER", "  0", "ENDBLK"}));
  // An attribute tagged HEADER whose value looks like a version pair.
  const std::string entities = Entities(
      Lines({"  0", "INSERT",   "  2", "BLOCKS", " 66", "1",      "  0", "ATTRIB", "  2", "HEADER",
             "  9", "$ACADVER", "  1", "AC1021", "  0", "SEQEND", "  0", "LINE",   "  8", "0"}));
  Parsed p = Parse(blocks + entities + Eof());
  EXPECT_EQ(p.t.blockBodies.lines.size(), 1u);
  EXPECT_EQ(p.t.entities.lines.size(), 1u);
  ASSERT_EQ(p.t.entities.texts.size(), 1u);
  EXPECT_EQ(p.t.entities.texts[0].str, "AC1021");
  EXPECT_EQ(p.r.version, "");
}

TEST(DxfTables, JapaneseIsCodePage932BelowAC1021AndUtf8FromIt) {
  struct Case {
    const char* version;
    std::string layer, text;  // bytes in the file
    const char* expectedLayer;
    const char* expectedText;
  };
  const Case cases[] = {
      {"AC1015", "\x89\xE6\x91\x77", "\x96\xCA\x90\xCF\x81\x40\x82\x50", "画層", "面積　１"},
      {"AC1018", "\x89\xE6\x91\x77", "\x83\x7C", "画層", "ポ"},
      {"AC1021", "画層", "面積　１", "画層", "面積　１"},
      {"AC1032", "画層", "ポ\xFF", "画層", "ポ\xEF\xBF\xBD"},  // ill-formed byte: U+FFFD
      {"AC1018", "画層", "x", "逕ｻ螻､", "x"},  // UTF-8 bytes below AC1021 are not UTF-8
  };
  for (const Case& c : cases) {
    Parsed p = Parse(Header(c.version) + LayerTable({{c.layer, 2}}) +
                     Entities(Lines({"  0", "TEXT", "  8", c.layer, "  1", c.text})) + Eof());
    EXPECT_EQ(p.r.version, c.version);
    ASSERT_EQ(p.t.layers.size(), 1u) << c.version;
    EXPECT_EQ(p.t.layers[0].Name, c.expectedLayer) << c.version;
    ASSERT_EQ(p.t.entities.texts.size(), 1u) << c.version;
    EXPECT_EQ(p.t.entities.texts[0].str, c.expectedText) << c.version;
    EXPECT_EQ(p.t.entities.texts[0].layer, c.expectedLayer) << c.version;
    EXPECT_EQ(p.t.entities.texts[0].color, 2) << c.version;  // same name after decoding
  }
}

TEST(DxfTables, LineEndingsByteOrderMarkAndEndOfFile) {
  const std::initializer_list<std::string_view> pairs = {
      "  0", "SECTION", "  2", "ENTITIES", "  0", "LINE",   "  8", "0",
      " 10", "1.5",     " 11", "-2",       "  0", "ENDSEC", "  0", "EOF"};
  const std::string variants[] = {
      Lines(pairs, "\n"),
      Lines(pairs, "\r\n"),
      "\xEF\xBB\xBF" + Lines(pairs, "\r\n"),
      Lines(pairs, "\n") + "\x1A",  // an end-of-file character after EOF
      Lines(pairs, "\n") + "garbage\nafter the end\n",
      Lines(pairs, "\r\n").substr(0, Lines(pairs, "\r\n").size() - 2),  // no final line end
  };
  for (const std::string& dxf : variants) {
    Parsed p = Parse(dxf);
    EXPECT_FALSE(p.r.failed) << dxf;
    ASSERT_EQ(p.t.entities.lines.size(), 1u) << dxf;
    EXPECT_EQ(p.t.entities.lines[0].st.x, 1.5L);
    EXPECT_EQ(p.t.entities.lines[0].ed.x, -2.0L);
  }
}

// Every group a record reads, each with its own value, lands in its own field; the groups
// listed as not read for a type (67 of LINE, 210 of TEXT and INSERT, the POLYLINE header's
// point) leave the initial value.
TEST(DxfTables, EveryGroupLandsInItsField) {
  const std::string blocks =
      Blocks(Lines({"  0", "BLOCK", "  8", "bl8", "  2", "Blk", "  6", "bt6", " 10", "10.5", " 20",
                    "20.5", " 30", "30.5", "  0", "ENDBLK"}));
  const std::string body =
      Lines({"  0", "LINE",     "  8", "l8",   "  6", "dash6", " 62", "62",    " 67", "1",
             " 10", "10.5",     " 20", "20.5", " 30", "30.5",  " 11", "11.5",  " 21", "21.5",
             " 31", "31.5",     "210", "0.21", "220", "0.22",  "230", "0.23",  " 39", "39.5",  //
             "  0", "CIRCLE",   "  8", "c8",   "  6", "dot6",  " 62", "63",    " 67", "1",
             " 10", "10.5",     " 20", "20.5", " 30", "30.5",  " 40", "40.5",  "210", "0.21",
             "220", "0.22",     "230", "0.23", " 39", "39.5",  //
             "  0", "ARC",      "  8", "a8",   "  6", "dash6", " 62", "64",    " 67", "1",
             " 10", "10.5",     " 20", "20.5", " 30", "30.5",  " 40", "40.5",  " 50", "50.5",
             " 51", "51.5",     "210", "0.21", "220", "0.22",  "230", "0.23",  " 39", "39.5",  //
             "  0", "ELLIPSE",  "  8", "e8",   "  6", "dash6", " 62", "65",    " 10", "10.5",
             " 20", "20.5",     " 30", "30.5", " 11", "11.5",  " 21", "21.5",  " 31", "31.5",
             " 40", "0.4",      " 41", "0.41", " 42", "0.42",  "210", "0.21",  "220", "0.22",
             "230", "0.23",  //
             "  0", "POLYLINE", "  8", "p8",   "  6", "dash6", " 62", "66",    " 67", "1",
             " 66", "1",        " 10", "10.5", " 20", "20.5",  " 30", "30.5",  " 70", "70",
             " 71", "71",       " 72", "72",   " 73", "73",    " 74", "74",    "210", "0.21",
             "220", "0.22",     "230", "0.23", " 39", "39.5",  " 38", "38.5",  "  0", "SEQEND",  //
             "  0", "TEXT",     "  8", "t8",   "  6", "dash6", " 62", "67",    " 67", "1",
             " 10", "10.5",     " 20", "20.5", " 30", "30.5",  " 11", "11.5",  " 21", "21.5",
             " 31", "31.5",     " 40", "40.5", " 41", "41.5",  " 50", "50.5",  " 70", "70",
             " 71", "71",       " 72", "72",   " 73", "73",    "210", "0.21",  "220", "0.22",
             "230", "0.23",     "  1", "v1",  //
             "  0", "INSERT",   "  8", "i8",   "  2", "Blk",   "  6", "dash6", " 62", "68",
             " 66", "0",        " 67", "1",    " 10", "10.5",  " 20", "20.5",  " 30", "30.5",
             " 41", "41.5",     " 42", "42.5", " 43", "43.5",  " 50", "50.5",  "210", "0.21",
             "220", "0.22",     "230", "0.23"});
  Parsed p = Parse(blocks + Entities(body) + Eof());
  ASSERT_FALSE(p.r.failed);
  const TEntityTables& e = p.t.entities;
  const TAcadPoint at{10.5L, 20.5L, 30.5L};
  const TAcadPoint second{11.5L, 21.5L, 31.5L};
  const TAcadPoint extrusion{0.21L, 0.22L, 0.23L};
  const auto same = [](const TAcadPoint& a, const TAcadPoint& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
  };

  ASSERT_EQ(p.t.blocks.size(), 1u);
  const TBlockBlk& b = p.t.blocks[0];
  EXPECT_EQ(b.name, "Blk");
  EXPECT_EQ(b.layer, "bl8");
  EXPECT_EQ(b.ltype, "BT6");
  EXPECT_TRUE(same(b.base, at));

  ASSERT_EQ(e.lines.size(), 1u);
  const TAcadLineBlk& l = e.lines[0];
  EXPECT_EQ(l.layer, "l8");
  EXPECT_EQ(l.ltype, "DASH6");
  EXPECT_EQ(l.color, 62);
  EXPECT_EQ(l.code67, 0);
  EXPECT_TRUE(same(l.st, at));
  EXPECT_TRUE(same(l.ed, second));
  EXPECT_TRUE(same(l.code210, extrusion));
  EXPECT_EQ(l.atsumi, 39.5);

  ASSERT_EQ(e.circles.size(), 1u);
  const TCircleBlk& c = e.circles[0];
  EXPECT_EQ(c.layer, "c8");
  EXPECT_EQ(c.ltype, "DOT6");
  EXPECT_EQ(c.color, 63);
  EXPECT_EQ(c.code67, 1);
  EXPECT_TRUE(same(c.center, at));
  EXPECT_EQ(c.hankei, 40.5);
  EXPECT_TRUE(same(c.code210, extrusion));
  EXPECT_EQ(c.atsumi, 39.5);

  ASSERT_EQ(e.arcs.size(), 1u);
  const TArcBlk& a = e.arcs[0];
  EXPECT_EQ(a.layer, "a8");
  EXPECT_EQ(a.ltype, "DASH6");
  EXPECT_EQ(a.color, 64);
  EXPECT_EQ(a.code67, 1);
  EXPECT_TRUE(same(a.center, at));
  EXPECT_EQ(a.hankei, 40.5);
  EXPECT_EQ(a.st, 50.5);
  EXPECT_EQ(a.ed, 51.5);
  EXPECT_TRUE(same(a.code210, extrusion));
  EXPECT_EQ(a.atsumi, 39.5);

  ASSERT_EQ(e.ellipses.size(), 1u);
  const TEllipseBlk& el = e.ellipses[0];
  EXPECT_EQ(el.layer, "e8");
  EXPECT_EQ(el.ltype, "DASH6");
  EXPECT_EQ(el.color, 65);
  EXPECT_TRUE(same(el.center, at));
  EXPECT_TRUE(same(el.endpoint, second));
  EXPECT_EQ(el.henpei, 0.4);
  EXPECT_EQ(el.kaisi, 0.41);
  EXPECT_EQ(el.owari, 0.42);
  EXPECT_TRUE(same(el.code210, extrusion));

  ASSERT_EQ(e.polylines.size(), 1u);
  const TLwpBlk& h = e.polylines[0];
  EXPECT_EQ(h.layer, "p8");
  EXPECT_EQ(h.ltype, "DASH6");
  EXPECT_EQ(h.color, 66);
  EXPECT_EQ(h.code67, 1);
  EXPECT_EQ(h.code70, 70);
  EXPECT_EQ(h.code71, 71);
  EXPECT_EQ(h.code72, 72);
  EXPECT_EQ(h.code73, 73);
  EXPECT_EQ(h.code74, 74);
  EXPECT_TRUE(same(h.code210, extrusion));
  EXPECT_EQ(h.atsumi, 39.5);
  EXPECT_EQ(h.Koudo, 38.5);
  EXPECT_TRUE(e.vertices.empty());  // the header's own point is no vertex

  ASSERT_EQ(e.texts.size(), 1u);
  const TTextBlk& t = e.texts[0];
  EXPECT_EQ(t.layer, "t8");
  EXPECT_EQ(t.color, 67);
  EXPECT_EQ(t.code67, 1);
  EXPECT_TRUE(same(t.pt10, at));
  EXPECT_TRUE(same(t.pt11, second));
  EXPECT_EQ(t.code40, 40.5);
  EXPECT_EQ(t.code41, 41.5);
  EXPECT_EQ(t.code50, 50.5);
  EXPECT_EQ(t.code70, 70);
  EXPECT_EQ(t.code71, 71);
  EXPECT_EQ(t.code72, 72);
  EXPECT_EQ(t.code73, 73);
  EXPECT_EQ(t.str, "v1");
  EXPECT_TRUE(same(t.code210, TAcadPoint{0, 0, 1}));

  ASSERT_EQ(p.t.inserts.size(), 1u);
  const TInsertBlk& i = p.t.inserts[0];
  EXPECT_EQ(i.name, "Blk");
  EXPECT_EQ(i.layer, "i8");
  EXPECT_EQ(i.ltype, "DASH6");
  EXPECT_EQ(i.color, 68);
  EXPECT_EQ(i.code66, 0);
  EXPECT_EQ(i.code67, 1);
  EXPECT_TRUE(same(i.base, at));
  EXPECT_TRUE(same(i.scale, (TAcadPoint{41.5L, 42.5L, 43.5L})));
  EXPECT_EQ(i.rotate, 50.5);
  EXPECT_TRUE(same(i.code210, TAcadPoint{0, 0, 0}));
}

// A record that gets none of its groups keeps the initial values of its type (the colour
// then comes from layer "0").
TEST(DxfTables, BareEntitiesKeepTheirInitialValues) {
  Parsed p =
      Parse(Entities(Lines({"  0",     "LINE", "  0",        "CIRCLE", "  0", "ARC", "  0",
                            "ELLIPSE", "  0",  "LWPOLYLINE", " 10",    "1",   "  0", "INSERT",
                            "  0",     "TEXT", "  8",        "0",      "  1", "t"})) +
            Eof());
  const TEntityTables& e = p.t.entities;
  const auto isZeroZeroOne = [](const TAcadPoint& q) { return q.x == 0 && q.y == 0 && q.z == 1; };
  ASSERT_EQ(e.lines.size(), 1u);
  EXPECT_EQ(e.lines[0].layer, "0");
  EXPECT_EQ(e.lines[0].ltype, "BYLAYER");
  EXPECT_EQ(e.lines[0].color, 7);
  EXPECT_TRUE(isZeroZeroOne(e.lines[0].code210));
  EXPECT_FALSE(e.lines[0].lwpflag);
  ASSERT_EQ(e.circles.size(), 1u);
  EXPECT_EQ(e.circles[0].ltype, "BYLAYER");
  EXPECT_TRUE(isZeroZeroOne(e.circles[0].code210));
  ASSERT_EQ(e.arcs.size(), 1u);
  EXPECT_EQ(e.arcs[0].layer, "0");
  EXPECT_FALSE(e.arcs[0].lwpflag);
  ASSERT_EQ(e.ellipses.size(), 1u);
  EXPECT_TRUE(isZeroZeroOne(e.ellipses[0].code210));
  ASSERT_EQ(e.polylines.size(), 1u);
  EXPECT_EQ(e.polylines[0].ltype, "BYLAYER");
  EXPECT_TRUE(isZeroZeroOne(e.polylines[0].code210));
  ASSERT_EQ(e.vertices.size(), 1u);
  EXPECT_EQ(e.vertices[0].code10.y, 0);
  EXPECT_EQ(e.vertices[0].code42, 0);
  ASSERT_EQ(p.t.inserts.size(), 1u);
  const TInsertBlk& i = p.t.inserts[0];
  EXPECT_EQ(i.name, "");
  EXPECT_EQ(i.layer, "0");
  EXPECT_EQ(i.ltype, "BYLAYER");
  EXPECT_TRUE(i.scale.x == 1 && i.scale.y == 1 && i.scale.z == 1);
  EXPECT_EQ(i.rotate, 0);
  ASSERT_EQ(e.texts.size(), 1u);
  EXPECT_EQ(e.texts[0].code41, 1.0);
  EXPECT_TRUE(isZeroZeroOne(e.texts[0].code210));
  EXPECT_EQ(p.t.layers.size(), 1u);
}

TEST(DxfTables, CoordinatesKeepExtendedPrecision) {
  Parsed p = Parse(
      Entities(Line("0", "0.1", "-12345.678901234567891", "1e-3", "  7 ") + Lines({" 39", "0.1"})) +
      Eof());
  const TAcadLineBlk& l = p.t.entities.lines.at(0);
  EXPECT_EQ(l.st.x, 0.1L);
  EXPECT_NE(l.st.x, static_cast<long double>(0.1));
  EXPECT_EQ(l.st.y, -12345.678901234567891L);
  EXPECT_EQ(l.ed.x, 0.001L);
  EXPECT_EQ(l.ed.y, 7.0L);
  EXPECT_EQ(l.atsumi, 0.1);  // a double field
}

TEST(DxfTables, EveryReadReplacesTheTablesAndCutsThemToSize) {
  TDxfTables t;
  platform::Cp932CodePage cp;
  std::string many;
  for (int i = 0; i < 1500; ++i) many += Line("0", std::to_string(i), "0", "1", "1");
  ParseDxf(Entities(many) + Eof(), t, cp);
  EXPECT_EQ(t.entities.lines.size(), 1500u);
  EXPECT_EQ(t.entities.lines.capacity(), 1500u);
  EXPECT_EQ(t.entities.lines[1499].st.x, 1499);

  ParseDxf(Entities(Line("0", "5", "0", "1", "1")) + Eof(), t, cp);
  ASSERT_EQ(t.entities.lines.size(), 1u);
  EXPECT_EQ(t.entities.lines.capacity(), 1u);
  EXPECT_EQ(t.entities.lines[0].st.x, 5);

  ParseDxf("", t, cp);  // nothing: only layer "0"
  EXPECT_TRUE(t.entities.lines.empty());
  ASSERT_EQ(t.layers.size(), 1u);
  EXPECT_EQ(t.layers[0].Name, "0");
  EXPECT_EQ(t.layers[0].color, 7);
  EXPECT_EQ(t.layers[0].ltype, "CONTINUOUS");
}

}  // namespace
