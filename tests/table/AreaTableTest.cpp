#include "table/AreaTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "numbers/NumberText.h"
#include "platform/standin/StandinWorld.h"
#include "tests/table/DocumentEntities.h"

namespace {

using Strings = std::vector<std::string>;
using tabletest::EntitiesOf;
using tabletest::Entity;

AreaTableSettings Settings(AreaMode mode) {
  AreaTableSettings s;
  s.mode = mode;
  if (mode == AreaMode::kBaseHeight) {
    s.widths = {1500, 3000, 3000, 4500};
  } else {
    s.widths = {1500, 3000, 3000, 3000, 4500};
  }
  s.base = {10000, 20000, 0};
  return s;
}

using Summary = std::vector<std::pair<std::string, std::string>>;

TEST(ComputeAreaTable, ThreeSideRowFromTheShownSides) {
  const AreaTableTexts t = ComputeAreaTable({"1,3004.00000000,4004.00000000,5004.00000000"},
                                            Settings(AreaMode::kThreeSides));
  EXPECT_EQ(t.header, (Strings{"No.", "a", "b", "c", "面積"}));
  ASSERT_EQ(t.rows.size(), 1u);
  // 6.0000 from 3.00, 4.00 and 5.00 as shown; the stored sides would give 6.0140.
  EXPECT_EQ(t.rows[0], (Strings{"1", "3.00", "4.00", "5.00", "6.0000"}));
  EXPECT_EQ(t.summary, (Summary{{"合計", "6.0000"}, {"面積", "6.00  "}}));
}

TEST(ComputeAreaTable, BaseHeightRowShowsBaseTimesHeightAndTheSummaryHalvesIt) {
  const AreaTableTexts t = ComputeAreaTable({"1,3000.00000000,4000.00000000,5000.00000000"},
                                            Settings(AreaMode::kBaseHeight));
  EXPECT_EQ(t.header, (Strings{"No.", "底辺", "高さ", "面積"}));
  ASSERT_EQ(t.rows.size(), 1u);
  EXPECT_EQ(t.rows[0], (Strings{"1", "5.00", "2.40", "12.0000"}));
  EXPECT_EQ(t.summary, (Summary{{"合計", "12.0000"}, {"1/2", "6.0000"}, {"面積", "6.00  "}}));
}

// Segment rows follow the triangles in both modes and count in the total: a half disc bulging
// out and a major arc bulging in (its angle as the mark carries it, over half a turn).
TEST(ComputeAreaTable, SegmentRowsFollowTheTrianglesAndCountInTheTotal) {
  std::vector<SegmentMarkData> segments(2);
  segments[0] = {"弓1", 1, 10000, 5000, +1, std::numbers::pi_v<long double>};
  segments[1] = {"弓2", 2,  10000,
                 6250,  -1, 2 * std::numbers::pi_v<long double> - 2 * std::asin(0.8L)};
  const std::string triangle = "1,3000.00000000,4000.00000000,5000.00000000";

  const AreaTableTexts three =
      ComputeAreaTable({triangle}, Settings(AreaMode::kThreeSides), segments);
  ASSERT_EQ(three.rows.size(), 3u);
  // 25π/2 = 39.26991; 253.73980° shows as 253°44′23″, and 6.25²(θ − sin θ)/2 of that is 105.24596.
  EXPECT_EQ(three.rows[1], (Strings{"弓1", "10.00", "R5.00", "180°00′00″", "39.2699"}));
  EXPECT_EQ(three.rows[2], (Strings{"弓2", "10.00", "R6.25", "253°44′23″", "-105.2460"}));
  EXPECT_EQ(three.summary, (Summary{{"合計", "-59.9761"}, {"面積", "-59.98  "}}));

  // Twice the shown areas: the same rounding of a segment as in three-side mode.
  const AreaTableTexts base =
      ComputeAreaTable({triangle}, Settings(AreaMode::kBaseHeight), segments);
  ASSERT_EQ(base.rows.size(), 3u);
  EXPECT_EQ(base.rows[1], (Strings{"弓1", "R5.00", "180°00′00″", "78.5398"}));
  EXPECT_EQ(base.rows[2], (Strings{"弓2", "R6.25", "253°44′23″", "-210.4920"}));
  EXPECT_EQ(base.summary,
            (Summary{{"合計", "-119.9522"}, {"1/2", "-59.9761"}, {"面積", "-59.98  "}}));
}

TEST(ComputeAreaTable, TheTotalAddsTheAreasAsShown) {
  // Three unit triangles of 0.433 each shown with one decimal: 0.4 three times is 1.2; the
  // unrounded sum would show 1.3.
  AreaTableSettings s = Settings(AreaMode::kThreeSides);
  s.areas.digits = 1;
  s.finalArea.digits = 1;
  const std::string e = "1000.00000000,1000.00000000,1000.00000000";
  const AreaTableTexts t = ComputeAreaTable({"1," + e, "2," + e, "3," + e}, s);
  EXPECT_EQ(t.rows[2], (Strings{"3", "1.00", "1.00", "1.00", "0.4"}));
  EXPECT_EQ(t.summary, (Summary{{"合計", "1.2"}, {"面積", "1.2"}}));
}

TEST(ComputeAreaTable, FinalAreaPaddedOnlyWhenItHasFewerDecimals) {
  struct Case {
    int areaDigits, finalDigits;
    const char* final;
  } cases[] = {{4, 2, "6.00  "}, {4, 0, "6    "}, {2, 2, "6.00"}, {2, 3, "6.000"}};
  for (const Case& c : cases) {
    AreaTableSettings s = Settings(AreaMode::kThreeSides);
    s.areas.digits = c.areaDigits;
    s.finalArea.digits = c.finalDigits;
    const AreaTableTexts t = ComputeAreaTable({"1,3000,4000,5000"}, s);
    EXPECT_EQ(t.summary.back().second, c.final) << c.areaDigits << " " << c.finalDigits;
  }
}

TEST(ComputeAreaTable, SidesThatMakeNoTriangle) {
  const AreaTableTexts three =
      ComputeAreaTable({"4,1000,1000,2000"}, Settings(AreaMode::kThreeSides));
  EXPECT_EQ(three.rows[0], (Strings{"4", "1.00", "1.00", "2.00", "0.0000"}));
  const AreaTableTexts bh = ComputeAreaTable({"4,3000,0,5000"}, Settings(AreaMode::kBaseHeight));
  EXPECT_EQ(bh.rows[0], (Strings{"4", "5.00", "0.00", "0.0000"}));
}

TEST(ComputeAreaTable, ANumberTextWithCommasStaysWhole) {
  const AreaTableTexts t =
      ComputeAreaTable({"1,a,3000,4000,5000"}, Settings(AreaMode::kThreeSides));
  EXPECT_EQ(t.rows[0], (Strings{"1,a", "3.00", "4.00", "5.00", "6.0000"}));
}

TEST(BaseHeightTexts, LongestSideIsTheBase) {
  struct Case {
    const char *s1, *s2, *s3;
    const char *base, *height;
  } cases[] = {
      {"3000", "4000", "5000", "5.00", "2.40"},
      {"5000", "3000", "4000", "5.00", "2.40"},
      {"4000", "5000", "3000", "5.00", "2.40"},
      {" 5000 ", "5000", "6000", "6.00", "4.00"},  // blanks around are no matter
      {"5000", "", "4000", "5.00", "0.00"},        // blank counts as 0: no height
  };
  for (const Case& c : cases) {
    const BaseHeight bh = BaseHeightTexts(c.s1, c.s2, c.s3, 1000, 2, 1);
    EXPECT_EQ(bh.base, c.base) << c.s1 << " " << c.s2 << " " << c.s3;
    EXPECT_EQ(bh.height, c.height) << c.s1 << " " << c.s2 << " " << c.s3;
  }
  EXPECT_THROW(BaseHeightTexts("1", "x", "1", 1000, 2, 1), EConvertError);
}

// One entity of the table as it should be written: a line from (x1, y1) to (x2, y2), or a text
// at (x1, y1) with its justification.
struct Expected {
  const char* type;
  double x1, y1, x2, y2;
  std::string text = {};
  int horizontal = 0;
};

void ExpectTable(const std::vector<Entity>& got, const std::vector<Expected>& want,
                 const std::string& layer, const std::string& style, const std::string& rotation) {
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    const Entity& e = got[i];
    const Expected& w = want[i];
    SCOPED_TRACE("entity " + std::to_string(i) + " " + w.type + " " + w.text);
    ASSERT_EQ(e.type, w.type);
    EXPECT_EQ(e.Text(8), layer);
    EXPECT_EQ(e.Text(62), "256");
    EXPECT_EQ(e.Number(10), w.x1);
    EXPECT_EQ(e.Number(20), w.y1);
    EXPECT_FALSE(e.Has(30));
    if (std::string(w.type) == "LINE") {
      EXPECT_EQ(e.Number(11), w.x2);
      EXPECT_EQ(e.Number(21), w.y2);
      EXPECT_FALSE(e.Has(31));
    } else {
      EXPECT_EQ(e.Text(11), e.Text(10));
      EXPECT_EQ(e.Text(21), e.Text(20));
      EXPECT_EQ(e.Text(1), w.text);
      EXPECT_EQ(e.Text(40), "400");
      EXPECT_EQ(e.Text(41), "1.0");
      EXPECT_EQ(e.Text(50), rotation);
      EXPECT_EQ(e.Text(72), std::to_string(w.horizontal));
      EXPECT_EQ(e.Text(73), "2");
      if (style.empty()) {
        EXPECT_FALSE(e.Has(7));
      } else {
        EXPECT_EQ(e.Text(7), style);
      }
    }
  }
}

TEST(WriteAreaTable, ThreeSideGridAndTextsInTheirOrder) {
  // Corner (10000, 20000), rows of 800, widths 1500, 3000, 3000, 3000, 4500: two entries give
  // 2 + 3 rows, 6 horizontal lines of 15000 and 6 vertical lines, of which the edges and the
  // line left of the last column run 5 rows down and the others 3.
  const AreaTableSettings s = Settings(AreaMode::kThreeSides);
  const DxfDocument d = WriteAreaTable({"1,3004,4004,5004", "2,3000,4000,5000"}, s);
  std::vector<Expected> want;
  for (int i = 0; i <= 5; ++i)
    want.push_back({"LINE", 10000, 20000.0 - 800 * i, 25000, 20000.0 - 800 * i});
  const double xs[] = {10000, 11500, 14500, 17500, 20500, 25000};
  const double lengths[] = {4000, 2400, 2400, 2400, 4000, 4000};
  for (int j = 0; j <= 5; ++j) want.push_back({"LINE", xs[j], 20000, xs[j], 20000 - lengths[j]});
  const char* heads[] = {"No.", "a", "b", "c", "面積"};
  const double centres[] = {10750, 13000, 16000, 19000, 22750};
  for (int j = 0; j < 5; ++j) want.push_back({"TEXT", centres[j], 19600, 0, 0, heads[j], 1});
  const double rights[] = {11100, 14100, 17100, 20100, 24600};
  const Strings rows[] = {{"1", "3.00", "4.00", "5.00", "6.0000"},
                          {"2", "3.00", "4.00", "5.00", "6.0000"}};
  for (int r = 0; r < 2; ++r)
    for (int j = 0; j < 5; ++j)
      want.push_back({"TEXT", rights[j], 18800.0 - 800 * r, 0, 0, rows[r][j], 2});
  want.push_back({"TEXT", 20100, 17200, 0, 0, "合計", 2});
  want.push_back({"TEXT", 24600, 17200, 0, 0, "12.0000", 2});
  want.push_back({"TEXT", 20100, 16400, 0, 0, "面積", 2});
  want.push_back({"TEXT", 24600, 16400, 0, 0, "12.00  ", 2});
  ExpectTable(EntitiesOf(d), want, "H_TEXT", "", "0");

  // Header without the application-id table and without a style table; the usual end.
  ASSERT_GE(d.items.size(), 4u);
  EXPECT_EQ(d.items[1], "  0\r\nSECTION\r\n  2\r\nTABLES");
  EXPECT_EQ(d.items[2], "  0\r\nENDSEC");
  EXPECT_EQ(d.items[3], "  0\r\nSECTION\r\n  2\r\nENTITIES");
  EXPECT_EQ(d.items[d.items.size() - 2], "  0\r\nENDSEC");
  EXPECT_EQ(d.items.back(), "  0\r\nEOF");
  // A line in the plane form, exactly.
  EXPECT_EQ(d.items[4], "  0\r\nLINE");
  EXPECT_EQ(d.items[5], "  8\r\nH_TEXT\r\n  6\r\nBYLAYER\r\n 62\r\n256\r\n 48\r\n1.0");
  EXPECT_EQ(d.items[6], " 10\r\n10000\r\n 20\r\n20000");
  EXPECT_EQ(d.items[7], " 11\r\n25000\r\n 21\r\n20000");
}

TEST(WriteAreaTable, BaseHeightGridAndTextsInTheirOrder) {
  // One entry: 1 + 4 rows, 6 horizontal lines of 12000 and 5 vertical lines, of which the
  // edges and the line left of the last column run 5 rows down and the others 2.
  AreaTableSettings s = Settings(AreaMode::kBaseHeight);
  s.layer = "表";
  s.style = "Standard";
  const DxfDocument d = WriteAreaTable({"7,3000,4000,5000"}, s);
  std::vector<Expected> want;
  for (int i = 0; i <= 5; ++i)
    want.push_back({"LINE", 10000, 20000.0 - 800 * i, 22000, 20000.0 - 800 * i});
  const double xs[] = {10000, 11500, 14500, 17500, 22000};
  const double lengths[] = {4000, 1600, 1600, 4000, 4000};
  for (int j = 0; j <= 4; ++j) want.push_back({"LINE", xs[j], 20000, xs[j], 20000 - lengths[j]});
  const char* heads[] = {"No.", "底辺", "高さ", "面積"};
  const double centres[] = {10750, 13000, 16000, 19750};
  for (int j = 0; j < 4; ++j) want.push_back({"TEXT", centres[j], 19600, 0, 0, heads[j], 1});
  const double rights[] = {11100, 14100, 17100, 21600};
  const char* row[] = {"7", "5.00", "2.40", "12.0000"};
  for (int j = 0; j < 4; ++j) want.push_back({"TEXT", rights[j], 18800, 0, 0, row[j], 2});
  const char* labels[][2] = {{"合計", "12.0000"}, {"1/2", "6.0000"}, {"面積", "6.00  "}};
  for (int i = 0; i < 3; ++i) {
    want.push_back({"TEXT", 17100, 18000.0 - 800 * i, 0, 0, labels[i][0], 2});
    want.push_back({"TEXT", 21600, 18000.0 - 800 * i, 0, 0, labels[i][1], 2});
  }
  ExpectTable(EntitiesOf(d), want, "表", "Standard", "0");
  EXPECT_EQ(d.items[2], "  0\r\nTABLE\r\n  2\r\nSTYLE\r\n 70\r\n     1");
  EXPECT_EQ(d.items[3], "  0\r\nSTYLE\r\n  2\r\nStandard\r\n 70\r\n     0");
}

TEST(WriteAreaTable, EntriesStandInTheGivenOrderOneRowEach) {
  const DxfDocument d = WriteAreaTable({"1,3000,4000,5000", "2,6000,8000,10000", "10,1,1,1"},
                                       Settings(AreaMode::kThreeSides));
  Strings numbers;
  for (const Entity& e : EntitiesOf(d))
    if (e.type == "TEXT" && e.Text(72) == "2" && e.Number(10) == 11100)
      numbers.push_back(e.Text(1));
  EXPECT_EQ(numbers, (Strings{"1", "2", "10"}));
}

TEST(AreaTableWidths, AListOfTheWrongCountIsAnErrorAndNothingIsWritten) {
  struct Case {
    AreaMode mode;
    const char* widths;
    bool ok;
  } cases[] = {
      {AreaMode::kThreeSides, "1500,3000,3000,3000,4500", true},
      {AreaMode::kThreeSides, "1500,3000,3000,4500", false},
      {AreaMode::kThreeSides, "1500,3000,3000,3000,4500,100", false},
      {AreaMode::kBaseHeight, "1500,3000,3000,4500", true},
      {AreaMode::kBaseHeight, "1500,3000,3000,3000,4500", false},
      {AreaMode::kBaseHeight, "", false},
      {AreaMode::kBaseHeight, "1500,3000,x,4500", false},  // a width that is no number
  };
  for (const Case& c : cases) {
    if (c.ok) {
      EXPECT_EQ(static_cast<int>(ReadWidths(c.widths, c.mode).size()), AreaTableColumns(c.mode))
          << c.widths;
    } else {
      EXPECT_THROW(ReadWidths(c.widths, c.mode), EConvertError) << c.widths;
    }
  }
  EXPECT_EQ(ReadWidths("1,2.5,3,4,5", AreaMode::kThreeSides),
            (std::vector<long double>{1, 2.5L, 3, 4, 5}));
  // The writer checks too, before it writes anything.
  AreaTableSettings s = Settings(AreaMode::kThreeSides);
  s.widths.pop_back();
  try {
    WriteAreaTable({"1,3000,4000,5000"}, s);
    ADD_FAILURE() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_NE(std::string(e.what()).find("5 個"), std::string::npos) << e.what();
  }
}

// The host turns an inserted document about the origin by the angle it reads for the typed
// rotation 0: its base angle, whichever way it counts.
struct Placed {
  std::string type, text;
  double x1, y1, x2, y2, rotation;
};

std::vector<Placed> AsInserted(const DxfDocument& d, double angleBase) {
  const double a = angleBase * std::numbers::pi / 180;
  auto turn = [a](long double x, long double y, double& ox, double& oy) {
    ox = static_cast<double>(x * std::cos(a) - y * std::sin(a));
    oy = static_cast<double>(x * std::sin(a) + y * std::cos(a));
  };
  std::vector<Placed> out;
  for (const Entity& e : EntitiesOf(d)) {
    Placed p{e.type, e.type == "TEXT" ? e.Text(1) : "", 0, 0, 0, 0, 0};
    turn(e.Number(10), e.Number(20), p.x1, p.y1);
    turn(e.Number(11), e.Number(21), p.x2, p.y2);
    if (e.type == "TEXT")
      p.rotation = std::remainder(static_cast<double>(e.Number(50)) + angleBase, 360.0);
    out.push_back(p);
  }
  return out;
}

TEST(WriteAreaTable, StandsAtThePickedCornerWithUprightTextsWhateverTheHostsBaseAngle) {
  const Strings entries = {"1,3000,4000,5000", "2,3004,4004,5004"};
  for (AreaMode mode : {AreaMode::kThreeSides, AreaMode::kBaseHeight}) {
    AreaTableSettings plain = Settings(mode);
    const DxfDocument reference = WriteAreaTable(entries, plain);
    const std::vector<Placed> want = AsInserted(reference, 0);

    // With base angle 0 the direction changes nothing, byte for byte.
    AreaTableSettings clockwise = plain;
    clockwise.angles.direction = 1;
    EXPECT_EQ(WriteAreaTable(entries, clockwise).items, reference.items);

    struct Angles {
      double base;
      int direction;
    } settings[] = {{90, 0}, {90, 1}, {30, 0}, {30, 1}, {270, 1}, {12.5, 0}};
    for (const Angles& a : settings) {
      SCOPED_TRACE("mode " + std::to_string(static_cast<int>(mode)) + " ANGBASE " +
                   std::to_string(a.base) + " ANGDIR " + std::to_string(a.direction));
      AreaTableSettings s = plain;
      s.angles = {a.base * std::numbers::pi / 180, a.direction};
      const std::vector<Placed> got = AsInserted(WriteAreaTable(entries, s), a.base);
      ASSERT_EQ(got.size(), want.size());
      for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].type, want[i].type);
        EXPECT_EQ(got[i].text, want[i].text);
        EXPECT_NEAR(got[i].x1, want[i].x1, 1e-7);
        EXPECT_NEAR(got[i].y1, want[i].y1, 1e-7);
        EXPECT_NEAR(got[i].x2, want[i].x2, 1e-7);
        EXPECT_NEAR(got[i].y2, want[i].y2, 1e-7);
        EXPECT_NEAR(got[i].rotation, 0, 1e-9);
      }
    }
  }
}

TEST(WriteAreaTable, QuarterTurnsAreWrittenExactly) {
  AreaTableSettings s = Settings(AreaMode::kThreeSides);
  s.angles.base = std::numbers::pi / 2;
  const std::vector<Entity> e = EntitiesOf(WriteAreaTable({"1,3000,4000,5000"}, s));
  // The corner (10000, 20000) turned back a quarter: (20000, -10000); texts at -90 degrees.
  EXPECT_EQ(e[0].Text(10), "20000");
  EXPECT_EQ(e[0].Text(20), "-10000");
  for (const Entity& t : e) {
    if (t.type == "TEXT") {
      EXPECT_EQ(t.Text(50), "-90");
    }
  }
}

std::string Export(const Strings& marks, bool complete) {
  std::string s = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
  for (const std::string& m : marks) s += m;
  if (complete) s += "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
  return s;
}

std::string Mark(const std::string& number, const std::string& a, const std::string& b,
                 const std::string& c) {
  return "  0\r\nCIRCLE\r\n 10\r\n0\r\n 20\r\n0\r\n 40\r\n500\r\n  0\r\nTEXT\r\n  1\r\n" + number +
         "\r\n1001\r\nVELSAROM\r\n1010\r\n" + a + "\r\n1020\r\n" + b + "\r\n1030\r\n" + c + "\r\n";
}

TEST(BuildAreaTable, FromTheExportSortedByNumberAndOnlyWithMarks) {
  platform::StandinWorld world;
  const AreaTableSettings s = Settings(AreaMode::kThreeSides);
  const auto build = [&](const std::string& bytes) {
    EntityLineList lines;
    EXPECT_TRUE(ScanDxfText(bytes, lines, world.codePage).complete());
    return BuildAreaTable(lines, s);
  };

  const Strings marks = {Mark("3", "3000", "4000", "5000"), Mark("1", "6000", "8000", "10000"),
                         Mark("2", "1000", "1000", "1000")};
  AreaTableBuild b = build(Export(marks, true));
  ASSERT_TRUE(b.document.has_value());
  EXPECT_EQ(b.entries, (Strings{"1,6000.00000000,8000.00000000,10000.00000000",
                                "2,1000.00000000,1000.00000000,1000.00000000",
                                "3,3000.00000000,4000.00000000,5000.00000000"}));
  EXPECT_EQ(b.document->items, WriteAreaTable(b.entries, s).items);

  b = build(Export({}, true));  // no marks: nothing to draw
  EXPECT_FALSE(b.document.has_value());
}

}  // namespace
