#include "annotation/NumberMarks.h"

#include <gtest/gtest.h>

#include "annotation/AnnotationAngles.h"

#include <algorithm>
#include <numbers>
#include <string>
#include <vector>

#include "dxf/DxfWriter.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/Triangles.h"
#include "numbers/NumberFormat.h"
#include "numbers/NumberText.h"
#include "platform/Utf.h"
#include "tests/support/HostFixture.h"

namespace {

using Items = std::vector<std::string>;

const std::string kLayer = "  8\r\nH_TEXT\r\n  6\r\nBYLAYER\r\n 62\r\n256\r\n 48\r\n1.0";

// The corners' data as the writer puts it after the sides: the triangle as given, in world
// coordinates (the turn of the insertion is not applied to application data points).
Items Corners(const TAcadTriangle& t) {
  Items items = {"1001\r\nVELSAROM_CORNERS"};
  for (const TAcadPoint& p : {t.p1, t.p2, t.p3})
    items.push_back("1010\r\n" + FormatReal(p.x) + "\r\n1020\r\n" + FormatReal(p.y) +
                    "\r\n1030\r\n" + FormatReal(p.z));
  return items;
}

Items Mark(const std::string& x, const std::string& y, const std::string& number,
           const std::string& rotation, const std::string& a, const std::string& b,
           const std::string& c, const std::string& style = "") {
  Items items = {"  0\r\nCIRCLE", kLayer,        " 10\r\n" + x, " 20\r\n" + y,
                 " 40\r\n500",    "  0\r\nTEXT", kLayer};
  if (!style.empty()) items.push_back("  7\r\n" + style);
  const Items rest = {" 10\r\n" + x + "\r\n 20\r\n" + y,
                      " 11\r\n" + x + "\r\n 21\r\n" + y,
                      "  1\r\n" + number,
                      " 40\r\n400",
                      " 41\r\n1.0",
                      " 50\r\n" + rotation,
                      " 72\r\n1\r\n 73\r\n2",
                      "1001\r\nVELSAROM",
                      "1010\r\n" + a,
                      "1020\r\n" + b,
                      "1030\r\n" + c};
  items.insert(items.end(), rest.begin(), rest.end());
  return items;
}

// The centre is where the bisectors meet, with directions rounded to double on the way: within
// a few 1e-12 of the exact incentre, which the 15 written digits may show. The circle's centre
// is checked against the exact point, and every item against the mark at that centre.
void ExpectMark(const Items& items, const TAcadTriangle& t, double x, double y,
                const std::string& number, const std::string& rotation, const std::string& a,
                const std::string& b, const std::string& c, const std::string& style = "") {
  ASSERT_GE(items.size(), 4u);
  const std::string cx = items[2].substr(5), cy = items[3].substr(5);
  long double vx = 0, vy = 0;
  ASSERT_TRUE(TryParseFloat(cx, vx)) << cx;
  ASSERT_TRUE(TryParseFloat(cy, vy)) << cy;
  EXPECT_NEAR(static_cast<double>(vx), x, 5e-12);
  EXPECT_NEAR(static_cast<double>(vy), y, 5e-12);
  Items expected = Mark(cx, cy, number, rotation, a, b, c, style);
  const Items corners = Corners(t);
  expected.insert(expected.end(), corners.begin(), corners.end());
  EXPECT_EQ(items, expected);
}

// A mark as the labelling cores write it (radius 500, number height 400, on H_TEXT): at its
// centre and turned back by the host's turn of inserted documents, the data from the triangle.
struct NumberMarksTest : hosttest::WindowsFixture {
  NumberMarksTest() { world.files = platform::MemoryFileSystem("C:\\Tools\\annotate.exe"); }

  static NumberMarkStyle Style(const InsertionFrame& frame, const std::string& textStyle) {
    return {500, 400, frame.NumberRotation(), "H_TEXT", textStyle};
  }
  static void WriteThreeSide(DxfDocument& d, const TAcadTriangle& t, int number,
                             const HostAngles& angles = {}, const std::string& textStyle = "") {
    const InsertionFrame frame(angles);
    WriteNumberMark(d, frame.Place(ThreeSideMarkCentre(t)), t, number, Style(frame, textStyle));
  }
  static void WriteBaseHeight(DxfDocument& d, const TAcadTriangle& t, const TAcadPoint& st,
                              const TAcadPoint& ed, const TAcadPoint& apex, const TAcadPoint& foot,
                              int number) {
    const InsertionFrame frame(HostAngles{});
    WriteNumberMark(d, frame.Place(BaseHeightMarkCentre(st, ed, apex, foot)), t, number,
                    Style(frame, ""));
  }
};

TEST_F(NumberMarksTest, ThreeSideMarkAtTheIncentreWithSidesInTheCallersOrder) {
  const TAcadPoint p1{0, 0}, p2{3000, 0}, p3{0, 4000};
  struct Case {
    TAcadTriangle t;
    const char *a, *b, *c;
  } cases[] = {
      {{p1, p2, p3}, "3000", "5000", "4000"},
      {{p2, p3, p1}, "5000", "4000", "3000"},
  };
  for (const auto& c : cases) {
    DxfDocument d;
    WriteThreeSide(d, c.t, 12);
    ExpectMark(d.items, c.t, 1000, 1000, "12", "0", c.a, c.b, c.c);
  }
}

// The host turns an inserted document by its base angle, whichever way it counts angles: the
// mark is written turned back by it, so that it lands upright at its triangle.
TEST_F(NumberMarksTest, StyleGoesToTheTextOnlyAndTheMarkIsWrittenTurnedBackByTheBaseAngle) {
  const TAcadTriangle t{{0, 0}, {3000, 0}, {0, 4000}};
  const double quarter = std::numbers::pi / 2;
  DxfDocument counterClockwise, clockwise;
  WriteThreeSide(counterClockwise, t, 7, {quarter, 0}, "Standard");
  WriteThreeSide(clockwise, t, 7, {quarter, 1}, "Standard");
  ExpectMark(counterClockwise.items, t, 1000, -1000, "7", "-90", "3000", "5000", "4000",
             "Standard");
  ExpectMark(clockwise.items, t, 1000, -1000, "7", "-90", "3000", "5000", "4000", "Standard");
}

TEST_F(NumberMarksTest, BaseHeightMarkInTheLargerHalf) {
  struct Case {
    TAcadTriangle t;
    TAcadPoint expected;  // incentre of the larger right triangle
  } cases[] = {
      {{{0, 0}, {6000, 0}, {1000, 3000}}, {2084.52405257735L, 1084.52405257735L}},
      {{{0, 0}, {6000, 0}, {5000, 3000}}, {6000 - 2084.52405257735L, 1084.52405257735L}},
  };
  for (const auto& c : cases) {
    TAcadPoint st, ed, apex, foot;
    ASSERT_TRUE(ChooseBaseAndHeight(c.t, st, ed, apex, foot));
    const TAcadPoint centre = BaseHeightMarkCentre(st, ed, apex, foot);
    EXPECT_NEAR(static_cast<double>(centre.x), static_cast<double>(c.expected.x), 1e-9);
    EXPECT_NEAR(static_cast<double>(centre.y), static_cast<double>(c.expected.y), 1e-9);
  }
  // The written mark and its data for the first case.
  const TAcadTriangle t{{0, 0}, {6000, 0}, {1000, 3000}};
  TAcadPoint st, ed, apex, foot;
  ASSERT_TRUE(ChooseBaseAndHeight(t, st, ed, apex, foot));
  DxfDocument d;
  WriteBaseHeight(d, t, st, ed, apex, foot, 3);
  ASSERT_EQ(d.items.size(), 22u);
  EXPECT_EQ(d.items[2], " 10\r\n2084.52405257735");
  EXPECT_EQ(d.items[3], " 20\r\n1084.52405257735");
  EXPECT_EQ(d.items[15], "1010\r\n6000");
  EXPECT_EQ(d.items[16], "1020\r\n5830.9518948453");
  EXPECT_EQ(d.items[17], "1030\r\n3162.27766016838");
  EXPECT_EQ(Items(d.items.begin() + 18, d.items.end()), Corners(t));
}

TEST_F(NumberMarksTest, EqualHalvesGoToTheBaseEnd) {
  // Apex over the middle of the base: both halves are mirror images with equal areas.
  const TAcadPoint st{0, 0}, ed{4000, 0}, apex{2000, 3000}, foot{2000, 0};
  const TAcadPoint centre = BaseHeightMarkCentre(st, ed, apex, foot);
  // The half at the base end is right-angled at the foot with legs 2000 and 3000, so its
  // incentre lies r from both legs: r = (2000 + 3000 - sqrt(13) * 1000) / 2 = 697.2243622680...
  EXPECT_NEAR(static_cast<double>(centre.x), 2697.2243622680053, 1e-9);
  EXPECT_NEAR(static_cast<double>(centre.y), 697.2243622680055, 1e-9);
}

TEST_F(NumberMarksTest, BothModesStoreTheSameData) {
  const TAcadTriangle t{{0, 0}, {6000, 0}, {1000, 3000}};
  DxfDocument threeSide, baseHeight;
  WriteThreeSide(threeSide, t, 3);
  WriteBaseHeight(baseHeight, t, {0, 0}, {6000, 0}, {1000, 3000}, {1000, 0}, 3);
  EXPECT_EQ(Items(threeSide.items.end() - 8, threeSide.items.end()),
            Items(baseHeight.items.end() - 8, baseHeight.items.end()));
  EXPECT_NE(threeSide.items[2], baseHeight.items[2]);
}

TEST_F(NumberMarksTest, SingleFormsWriteAWholeDocumentAndInsertItOnce) {
  hosttest::CreateHostWindows(world.windows);
  const TAcadTriangle t{{0, 0}, {3000, 0}, {0, 4000}};
  const InsertionFrame frame(HostAngles{});
  InsertNumberMark(link, frame.Place(ThreeSideMarkCentre(t)), t, 12, Style(frame, ""));
  DxfDocument expected;
  WriteDxfMarkHeader(expected, "");
  WriteThreeSide(expected, t, 12);
  WriteDxfEnd(expected);
  EXPECT_EQ(world.files.files().at("C:\\Tools\\annotate.dxf"), DocumentBytes(expected));
  // One insertion, typed last: before it INSUNITSDEFSOURCE is read (and left alone, as these
  // windows show no value).
  const auto insertions = [&] {
    return std::count_if(world.windows.sent.begin(), world.windows.sent.end(), [](const auto& m) {
      return platform::Utf16ToUtf8(m.text).find("_-INSERT") != std::string::npos;
    });
  };
  ASSERT_FALSE(world.windows.sent.empty());
  EXPECT_EQ(insertions(), 1);
  EXPECT_EQ(platform::Utf16ToUtf8(world.windows.sent.back().text),
            "_-INSERT *C:\\Tools\\annotate.dxf\r*0.0,0.0 1.0 0.0\r");

  world.windows.sent.clear();
  InsertNumberMark(link,
                   frame.Place(BaseHeightMarkCentre({3000, 0}, {0, 4000}, {0, 0}, {1920, 1440})), t,
                   13, Style(frame, ""));
  DxfDocument expected2;
  WriteDxfMarkHeader(expected2, "");
  WriteBaseHeight(expected2, t, {3000, 0}, {0, 4000}, {0, 0}, {1920, 1440}, 13);
  WriteDxfEnd(expected2);
  EXPECT_EQ(world.files.files().at("C:\\Tools\\annotate.dxf"), DocumentBytes(expected2));
  EXPECT_EQ(insertions(), 1);
}

}  // namespace
