#include "dxf/DxfWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

using Items = std::vector<std::string>;

const Items kHeaderStart = {
    "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1009\r\n  0\r\nENDSEC",
    "  0\r\nSECTION\r\n  2\r\nTABLES"};
const Items kAppIdTable = {"  0\r\nTABLE\r\n  2\r\nAPPID",
                           "  0\r\nAPPID\r\n  2\r\nVELSAROM\r\n 70\r\n0\r\n  0\r\nENDTAB"};
const Items kStandardStyle = {
    "  0\r\nTABLE\r\n  2\r\nSTYLE\r\n 70\r\n     1",
    "  0\r\nSTYLE\r\n  2\r\nStandard\r\n 70\r\n     0", " 40\r\n0.0\r\n 41\r\n1.0\r\n 50\r\n0.0",
    " 71\r\n     0\r\n 42\r\n2.5\r\n  3\r\ntxt.shx", "  4\r\n\r\n  0\r\nENDTAB"};
const Items kHeaderEnd = {"  0\r\nENDSEC", "  0\r\nSECTION\r\n  2\r\nENTITIES"};

Items Join(std::initializer_list<Items> parts) {
  Items all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

TEST(WriteDxfHeader, BothVariantsWithAndWithoutStyle) {
  struct Case {
    bool appId;
    std::string style;
    Items expected;
  } cases[] = {
      {true, "", Join({kHeaderStart, kAppIdTable, kHeaderEnd})},
      {true, "Standard", Join({kHeaderStart, kAppIdTable, kStandardStyle, kHeaderEnd})},
      {false, "", Join({kHeaderStart, kHeaderEnd})},
      {false, "Standard", Join({kHeaderStart, kStandardStyle, kHeaderEnd})},
  };
  for (const auto& c : cases) {
    DxfDocument d;
    if (c.appId)
      WriteDxfHeader(d, c.style);
    else
      WriteDxfHeaderWithoutAppId(d, c.style);
    EXPECT_EQ(d.items, c.expected) << c.appId << " " << c.style;
  }
}

// Documents with marks register the corners' application after the marks' own (and the
// segments' between them); a coordinate table's document keeps registering VELSAROM alone.
TEST(WriteDxfHeader, MarkDocumentsRegisterTheCornersApplicationLast) {
  DxfDocument marks, segments;
  WriteDxfMarkHeader(marks, "");
  WriteDxfHeaderWithSegments(segments, "");
  const Items app = {"  0\r\nAPPID\r\n  2\r\nVELSAROM\r\n 70\r\n0"};
  const Items segment = {"  0\r\nAPPID\r\n  2\r\nVELSAROM_SEGMENT\r\n 70\r\n0"};
  const Items corners = {"  0\r\nAPPID\r\n  2\r\nVELSAROM_CORNERS\r\n 70\r\n0\r\n  0\r\nENDTAB"};
  const Items table = {"  0\r\nTABLE\r\n  2\r\nAPPID"};
  EXPECT_EQ(marks.items, Join({kHeaderStart, table, app, corners, kHeaderEnd}));
  EXPECT_EQ(segments.items, Join({kHeaderStart, table, app, segment, corners, kHeaderEnd}));
}

TEST(WriteDxfCorners, TrianglePointsOrArcEndsSideAndBulge) {
  DxfDocument triangle, arc;
  WriteDxfTriangleCorners(triangle, {{1, 2, 0}, {3000.5, 4, 0}, {5, 6000.25, 7}});
  EXPECT_EQ(triangle.items,
            (Items{"1001\r\nVELSAROM_CORNERS", "1010\r\n1\r\n1020\r\n2\r\n1030\r\n0",
                   "1010\r\n3000.5\r\n1020\r\n4\r\n1030\r\n0",
                   "1010\r\n5\r\n1020\r\n6000.25\r\n1030\r\n7"}));
  WriteDxfArcCorners(arc, {1, 2, 0}, {3, 4, 0}, -1, 0.25L);
  EXPECT_EQ(arc.items,
            (Items{"1001\r\nVELSAROM_CORNERS", "1010\r\n1\r\n1020\r\n2\r\n1030\r\n0",
                   "1010\r\n3\r\n1020\r\n4\r\n1030\r\n0", "1070\r\n-1", "1040\r\n0.25"}));
}

TEST(WriteDxfEnd, EndsTheSectionAndTheFile) {
  DxfDocument d;
  WriteDxfEnd(d);
  EXPECT_EQ(d.items, (Items{"  0\r\nENDSEC", "  0\r\nEOF"}));
}

TEST(WriteDxfText, NineItemsWithoutStyleTenWithIt) {
  DxfDocument d;
  WriteDxfText(d, "J BC ", {10, 20, 99}, 300, 0, "12.35", "H_TEXT", "");
  const Items expected = {
      "  0\r\nTEXT",
      "  8\r\nH_TEXT\r\n  6\r\nBYLAYER\r\n 62\r\n256\r\n 48\r\n1.0",
      " 10\r\n10\r\n 20\r\n20",
      " 11\r\n10\r\n 21\r\n20",
      "  1\r\n12.35",
      " 40\r\n300",
      " 41\r\n1.0",
      " 50\r\n0",
      " 72\r\n1\r\n 73\r\n1",
  };
  EXPECT_EQ(d.items, expected);

  DxfDocument styled;
  WriteDxfText(styled, "J BC ", {10, 20}, 300, 0, "12.35", "H_TEXT", "Standard");
  ASSERT_EQ(styled.items.size(), 10u);
  EXPECT_EQ(styled.items[2], "  7\r\nStandard");
  EXPECT_EQ(styled.items[3], expected[2]);
}

TEST(DxfRotation, RadiansTimesTheDoubleDegreeConstantWithFifteenDigits) {
  const double pi = std::numbers::pi;
  struct Case {
    double radians;
    const char* text;
  } cases[] = {
      {pi / 2, "90"},
      {pi / 6, "30"},  // 29.999999999999996 before the 15-digit rounding
      {std::atan2(3.0, 4.0), "36.869897645844"},
      // atan2(11, 19): times the extended 180/π it would round to ...624 at 15 digits.
      {0.5247957716501074, "30.0685828218625"},
      {-pi / 2, "-90"},
      {0, "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(DxfRotation(c.radians), c.text) << c.radians;
}

TEST(DxfReal, GeneralFormat) {
  EXPECT_EQ(DxfReal(0.00001L), "1E-5");
  EXPECT_EQ(DxfReal(123456.789L), "123456.789");
  EXPECT_EQ(DxfReal(1.5e20L), "1.5E20");
  EXPECT_EQ(DxfReal(1.0L / 3), "0.333333333333333");
  EXPECT_EQ(DxfReal(-2.5L), "-2.5");
}

TEST(ParseJustification, SpecToCodes) {
  struct Case {
    const char* option;
    int horizontal, vertical;
  } cases[] = {
      {"J BC ", 1, 1}, {"J MR ", 2, 2}, {"J TL", 0, 3},  {"J M ", 4, 0},
      {"J  C", 1, 0},  {"J XY ", 0, 0}, {"j BC ", 0, 0}, {"", 0, 0},
      {"J", 0, 0},     {"J ", 0, 0},    {"J A", 3, 0},   {"J F ", 5, 0},
      {"J R", 2, 0},   {"J TA", 0, 3},  {"J bc", 0, 0},  {"J\tBC\r", 1, 1},
  };
  for (const auto& c : cases) {
    const TextJustification j = ParseJustification(c.option);
    EXPECT_EQ(j.horizontal, c.horizontal) << "'" << c.option << "'";
    EXPECT_EQ(j.vertical, c.vertical) << "'" << c.option << "'";
  }
}

TEST(WriteDxfLine, FullAndPlaneForms) {
  DxfDocument full;
  WriteDxfLine(full, {0, 0, 0}, {1.5L, 2, 0}, "H_HEN");
  EXPECT_EQ(full.items,
            (Items{"  0\r\nLINE", "  8\r\nH_HEN\r\n  6\r\nBYLAYER\r\n 62\r\n256\r\n 48\r\n1.0",
                   " 10\r\n0\r\n 20\r\n0\r\n 30\r\n0", " 11\r\n1.5\r\n 21\r\n2\r\n 31\r\n0"}));
  DxfDocument plane;
  WriteDxfPlaneLine(plane, {0, 0, 7}, {1.5L, 2, 7}, "T");
  EXPECT_EQ(plane.items,
            (Items{"  0\r\nLINE", "  8\r\nT\r\n  6\r\nBYLAYER\r\n 62\r\n256\r\n 48\r\n1.0",
                   " 10\r\n0\r\n 20\r\n0", " 11\r\n1.5\r\n 21\r\n2"}));
}

TEST(WriteDxfCircle, CentreAndRadiusAsSeparateItems) {
  DxfDocument d;
  WriteDxfCircle(d, {1000, 0.00001L, 5}, 500, "H_TEXT");
  EXPECT_EQ(d.items,
            (Items{"  0\r\nCIRCLE", "  8\r\nH_TEXT\r\n  6\r\nBYLAYER\r\n 62\r\n256\r\n 48\r\n1.0",
                   " 10\r\n1000", " 20\r\n1E-5", " 40\r\n500"}));
}

}  // namespace
