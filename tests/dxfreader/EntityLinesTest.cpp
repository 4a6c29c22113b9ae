#include "dxf/EntityLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "numbers/NumberText.h"
#include "platform/standin/StandinWorld.h"

namespace {

using Lines = std::vector<std::string>;

// DXF text from its lines, each ended by CR LF (or by LF alone).
std::string Dxf(const Lines& lines, const char* end = "\r\n") {
  std::string s;
  for (const std::string& l : lines) s += l + end;
  return s;
}

const Lines kHead = {"  0",      "SECTION", "  2",    "HEADER", "  9",
                     "$ACADVER", "  1",     "AC1015", "  0",    "ENDSEC"};
const Lines kEntitiesStart = {"  0", "SECTION", "  2", "ENTITIES"};
const Lines kEnd = {"  0", "ENDSEC", "  0", "EOF"};

Lines Join(std::initializer_list<Lines> parts) {
  Lines all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

Lines All(const EntityLineList& list) { return Lines(list.begin(), list.end()); }

struct Scan {
  platform::Cp932CodePage codePage;
  EntityLineList scanned;
  Lines list;  // what the scan holds afterwards
  DxfScanResult Run(const std::string& bytes) {
    const DxfScanResult r = ScanDxfText(bytes, scanned, codePage);
    list = All(scanned);
    return r;
  }
};

TEST(ScanDxfText, EachEntityBecomesOneLineOfTrimmedCodesAndUntouchedValues) {
  const Lines text = {"  0", "TEXT",   "  5", "2A",   "100",  "AcDbText", "  8",  "H_TEXT",
                      " 10", "1000.0", "  1", " 12 ", "1001", "VELSAROM", "1010", "3000.0"};
  const Lines line = {"  0", "LINE", " 10", "0.0", " 11", "5.0"};
  Scan s;
  s.scanned.push_back("kept");  // the scan appends
  const DxfScanResult r = s.Run(Dxf(Join({kHead, kEntitiesStart, text, line, kEnd})));
  EXPECT_EQ(r.count, 3);
  EXPECT_TRUE(r.complete());
  ASSERT_EQ(s.list.size(), 3u);
  EXPECT_EQ(s.list[0], "kept");
  EXPECT_EQ(s.list[1],
            "0,TEXT\t5,2A\t100,AcDbText\t8,H_TEXT\t10,1000.0\t1, 12 \t1001,VELSAROM\t"
            "1010,3000.0\t");
  EXPECT_EQ(s.list[2], "0,LINE\t10,0.0\t11,5.0\t");
}

TEST(ScanDxfText, LineEndsWithOrWithoutCarriageReturn) {
  const Lines all = Join({kEntitiesStart, {"  0", "LINE", "  8", "0"}, kEnd});
  for (const char* end : {"\r\n", "\n"}) {
    Scan s;
    EXPECT_EQ(s.Run(Dxf(all, end)).count, 1) << end;
    EXPECT_EQ(s.list, Lines{"0,LINE\t8,0\t"});
  }
}

TEST(ScanDxfText, OnlyAnExactZeroCodeLineStartsAnEntityOrEndsTheSection) {
  // "0" without its blanks, and "  0 " with one after, are ordinary pairs of the entity.
  Scan s;
  const DxfScanResult r = s.Run(Dxf(Join(
      {kEntitiesStart,
       {"  0", "LINE", "0", "CIRCLE", "0", "ENDSEC", "  0 ", "ENDSEC", "  0", "ARC", " 40", "2.5"},
       kEnd})));
  EXPECT_TRUE(r.complete());
  EXPECT_EQ(s.list, (Lines{"0,LINE\t0,CIRCLE\t0,ENDSEC\t0,ENDSEC\t", "0,ARC\t40,2.5\t"}));
}

TEST(ScanDxfText, NothingBeforeTheSectionNorAfterItsEnd) {
  Scan s;
  const Lines before = {"  0",  "SECTION", "  2",        "BLOCKS", "  0",
                        "TEXT", "  1",     "in a block", "  0",    "ENDSEC"};
  const Lines after = {"  0", "SECTION", "  2", "ENTITIES", "  0", "LINE", "  0", "ENDSEC"};
  const DxfScanResult r =
      s.Run(Dxf(Join({kHead, before, kEntitiesStart, {"  0", "CIRCLE"}, kEnd, after})));
  EXPECT_TRUE(r.complete());
  EXPECT_EQ(s.list, Lines{"0,CIRCLE\t"});
}

TEST(ScanDxfText, HowTheScanEnds) {
  struct Case {
    const char* what;
    Lines lines;
    int count;
    ScanEnd end;
  } cases[] = {
      {"whole file", Join({kHead, kEntitiesStart, {"  0", "LINE"}, kEnd}), 1, ScanEnd::kComplete},
      {"no ENTITIES section, EOF", Join({kHead, {"  0", "EOF"}}), 0, ScanEnd::kComplete},
      {"no ENTITIES section, no EOF", kHead, 0, ScanEnd::kCutShort},
      {"empty file", {}, 0, ScanEnd::kCutShort},
      // The entity being written when the file ends is not listed.
      {"cut inside the section",
       Join({kHead, kEntitiesStart, {"  0", "LINE", "  8", "0", "  0", "TEXT", "  1"}}), 1,
       ScanEnd::kCutShort},
      {"cut before its end", Join({kEntitiesStart, {"  0", "LINE", "  0", "EOF"}}), 1,
       ScanEnd::kCutShort},
  };
  for (const Case& c : cases) {
    Scan s;
    const DxfScanResult r = s.Run(Dxf(c.lines));
    EXPECT_EQ(r.count, c.count) << c.what;
    EXPECT_EQ(r.end, c.end) << c.what;
    EXPECT_EQ(static_cast<int>(s.list.size()), c.count) << c.what;
  }
}

TEST(ScanDxfText, ATableEntryNamedEntitiesDoesNotStartTheSection) {
  // A layer (or style, or block) of that name lies in the TABLES section; taking it for the
  // section would end the scan at the end of the tables and miss every mark.
  const Lines tables = {"  0", "SECTION", "  2", "TABLES", "  0", "TABLE",
                        "  2", "LAYER",   "  0", "LAYER",  "  2", "ENTITIES",
                        " 70", "0",       "  0", "ENDTAB", "  0", "ENDSEC"};
  Scan s;
  const DxfScanResult r =
      s.Run(Dxf(Join({kHead, tables, kEntitiesStart, {"  0", "TEXT", "  8", "ENTITIES"}, kEnd})));
  EXPECT_TRUE(r.complete());
  EXPECT_EQ(s.list, Lines{"0,TEXT\t8,ENTITIES\t"});
}

TEST(ScanDxfText, LongLinesAreCutAndTheRestSkippedWithoutLosingStep) {
  const std::string longValue(300, 'x');
  const std::string longCode = "  8" + std::string(260, ' ');
  Scan s;
  s.Run(Dxf(Join(
      {kEntitiesStart, {"  0", "MTEXT", "  1", longValue, "  0", "LINE", longCode, "L"}, kEnd})));
  ASSERT_EQ(s.list.size(), 2u);
  EXPECT_EQ(s.list[0], "0,MTEXT\t1," + std::string(kScanLineBytes, 'x') + "\t");
  EXPECT_EQ(s.list[1], "0,LINE\t8,L\t");
  // Exactly 255 bytes stay whole.
  Scan t;
  t.Run(Dxf(Join({kEntitiesStart, {"  0", "TEXT", "  1", std::string(255, 'y')}, kEnd})));
  EXPECT_EQ(t.list, Lines{"0,TEXT\t1," + std::string(255, 'y') + "\t"});
}

TEST(ScanDxfText, ValuesInTheAnsiCodePageComeOutAsUtf8) {
  // 面積 and 地番 in code page 932.
  Scan s;
  s.Run(Dxf(Join({kEntitiesStart,
                  {"  0", "TEXT", "  8", "\x92\x6E\x94\xD4", "  1", "\x96\xCA\x90\xCF 12"},
                  kEnd})));
  EXPECT_EQ(s.list, Lines{"0,TEXT\t8,地番\t1,面積 12\t"});
  // Many entities, ASCII and not, the same layer again and again and more distinct texts than
  // any short memory of conversions holds: each value as it was.
  Lines lines = kEntitiesStart;
  Lines want;
  const char* digits[] = {"\x82\x4F", "\x82\x50", "\x82\x51", "\x82\x52", "\x82\x53",
                          "\x82\x54", "\x82\x55", "\x82\x56", "\x82\x57", "\x82\x58"};
  const char* wide[] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
  for (int i = 0; i < 30; ++i) {
    const std::string n = std::to_string(i);
    lines.insert(lines.end(), {"  0", "TEXT", "  8", i % 2 ? "\x92\x6E\x94\xD4" : "L", " 10", n,
                               "  1", std::string(digits[i % 10]) + digits[(i * 7) % 10]});
    want.push_back("0,TEXT\t8," + std::string(i % 2 ? "地番" : "L") + "\t10," + n + "\t1," +
                   wide[i % 10] + wide[(i * 7) % 10] + "\t");
  }
  lines.insert(lines.end(), kEnd.begin(), kEnd.end());
  Scan many;
  many.Run(Dxf(lines));
  EXPECT_EQ(many.list, want);

  // A code line that is no number is kept as text too, converted like the values.
  Scan t;
  t.Run(Dxf(Join({kEntitiesStart, {"  0", "TEXT", " \x96\xCA ", "1"}, kEnd})));
  EXPECT_EQ(t.list, Lines{"0,TEXT\t面,1\t"});
}

TEST(GetGroupValue, WholeCodesOnlyTrimmedUpToTheNextTab) {
  const std::string line =
      "0,TEXT\t8,H_TEXT\t10,1000.5\t1,  1,2,3  \t1001,VELSAROM\t1010,3000\t1001,OTHER\t";
  struct Case {
    int code;
    const char* value;
  } cases[] = {
      {1, "1,2,3"},        // commas kept, blanks around removed
      {10, "1000.5"},      // not the 1010 group
      {1001, "VELSAROM"},  // the first of two
      {1010, "3000"},
      {0, ""},  // the entity's own first pair is never found
      {7, ""},
      {100, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(GetGroupValue(line, c.code), c.value) << c.code;
  EXPECT_EQ(GetGroupValue("0,TEXT\t1,12", 1), "");  // no TAB after it
}

TEST(GetGroupPoint, FillsWhatIsPresentAndTellsWhetherXAndYWere) {
  TAcadPoint p{7, 8, 9};
  EXPECT_TRUE(GetGroupPoint("0,TEXT\t1010,3000.5\t1020,4000\t", 1010, p));
  EXPECT_EQ(p.x, 3000.5L);
  EXPECT_EQ(p.y, 4000);
  EXPECT_EQ(p.z, 0);  // no z: 0

  p = {7, 8, 9};
  EXPECT_FALSE(GetGroupPoint("0,TEXT\t1020,4\t1030,5\t", 1010, p));
  EXPECT_EQ(p.x, 7);  // left as it was
  EXPECT_EQ(p.y, 4);
  EXPECT_EQ(p.z, 5);

  EXPECT_THROW(GetGroupPoint("0,TEXT\t1010,1\t1020,abc\t", 1010, p), EConvertError);
}

TEST(ScanDxfEntities, WaitsForTheFileAndDoesNotReadOneStillBeingWritten) {
  platform::StandinWorld world;
  platform::ScopedPorts ports(world.ports());
  const std::string path = "C:\\Velsarom\\Velsarom.dxf";
  EntityLineList list;

  DxfScanResult r = ScanDxfEntities(path, list);
  EXPECT_EQ(r.end, ScanEnd::kNoFile);
  EXPECT_EQ(r.count, 0);

  world.files.WriteAll(path, Dxf(Join({kEntitiesStart, {"  0", "LINE"}, kEnd})));
  world.files.SetInUse(path, true);
  r = ScanDxfEntities(path, list);
  EXPECT_EQ(r.end, ScanEnd::kBusy);
  EXPECT_TRUE(list.empty());

  world.files.SetInUse(path, false);
  r = ScanDxfEntities(path, list);
  EXPECT_TRUE(r.complete());
  EXPECT_EQ(All(list), Lines{"0,LINE\t"});
}

}  // namespace
