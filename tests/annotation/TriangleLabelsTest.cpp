// The labelling core against the simulated host in process: what the drawing holds after each
// triangle (lines, texts, marks with their application data), the counter, and the host
// settings it leaves behind.
#include <gtest/gtest.h>

#include <cmath>

#include "annotation/SideLines.h"
#include "annotation/TriangleLabels.h"
#include "dxf/DxfTables.h"
#include "hostlink/HostSettings.h"
#include "numbers/NumberText.h"
#include "tests/support/HostFixture.h"

namespace {

using hosttest::CreateHostWindows;
using hosttest::HostFixture;
using hosttest::HostWindows;
using hosttest::LabelsSegment;
using hosttest::WindowsFixture;

// Incentre from the side lengths, to check the mark's place independently of the bisectors.
hostsim::Point Incentre(const TAcadTriangle& t) {
  const double a = std::hypot(double(t.p2.x - t.p3.x), double(t.p2.y - t.p3.y));
  const double b = std::hypot(double(t.p3.x - t.p1.x), double(t.p3.y - t.p1.y));
  const double c = std::hypot(double(t.p1.x - t.p2.x), double(t.p1.y - t.p2.y));
  const double s = a + b + c;
  return {double(a * t.p1.x + b * t.p2.x + c * t.p3.x) / s,
          double(a * t.p1.y + b * t.p2.y + c * t.p3.y) / s, 0};
}

struct TriangleLabelsTest : HostFixture {
  int number = 7;

  TriangleLabelling Settings(bool threeSide) {
    TriangleLabelling s;
    s.lengths = {300, {2, kHalfUp}, 1000, {}, "H_TEXT", ""};
    s.mode = threeSide ? AreaMode::kThreeSides : AreaMode::kBaseHeight;
    s.sideLayer = "H_HEN";
    s.heightLayer = "H_TAKASA";
    s.markRadius = 500;
    s.markHeight = 400;
    s.nextNumber = [this] { return number; };
    s.advance = [this] { ++number; };
    return s;
  }
  std::size_t LengthTexts() {
    std::size_t n = 0;
    for (const TextSeen& t : Texts()) n += t.value.find('.') != std::string::npos;
    return n;
  }
};

const TAcadTriangle kTriangle{{0, 0}, {6000, 0}, {1000, 3000}};

TEST_F(TriangleLabelsTest, ThreeSideModeDrawsTheMissingSidesLabelsEachOnceAndNumbersTheMark) {
  AddLine(0, 0, 6000, 0);  // the side p1p2 is there
  Set("\x03OSMODE 4133\r");
  LabelTriangle(link, kTriangle, Settings(true));

  const auto sides = Lines("H_HEN");
  ASSERT_EQ(sides.size(), 2u);
  EXPECT_EQ(sides[0].b.x, 1000);
  EXPECT_EQ(sides[0].b.y, 3000);
  EXPECT_EQ(sides[1].a.x, 6000);
  ASSERT_EQ(TextsReading("6.00").size(), 1u);
  ASSERT_EQ(TextsReading("5.83").size(), 1u);
  ASSERT_EQ(TextsReading("3.16").size(), 1u);
  EXPECT_TRUE(LabelsSegment(TextsReading("6.00")[0], 0, 0, 6000, 0));
  EXPECT_TRUE(LabelsSegment(TextsReading("5.83")[0], 6000, 0, 1000, 3000));
  EXPECT_TRUE(LabelsSegment(TextsReading("3.16")[0], 1000, 3000, 0, 0));
  for (const TextSeen& t : Texts()) {
    EXPECT_EQ(t.layer, "H_TEXT");
  }
  EXPECT_EQ(TextsReading("6.00")[0].height, 300);

  ASSERT_EQ(TextsReading("7").size(), 1u);
  const TextSeen mark = TextsReading("7")[0];
  const hostsim::Point centre = Incentre(kTriangle);
  EXPECT_NEAR(mark.x, centre.x, 1e-6);
  EXPECT_NEAR(mark.y, centre.y, 1e-6);
  EXPECT_EQ(mark.degrees, 0);
  EXPECT_EQ(mark.height, 400);
  ASSERT_EQ(Circles().size(), 1u);
  EXPECT_NEAR(Circles()[0].x, centre.x, 1e-6);
  EXPECT_EQ(Circles()[0].radius, 500);
  EXPECT_EQ(Circles()[0].layer, "H_TEXT");
  const std::vector<double> stored = MarkLengths("7");
  ASSERT_EQ(stored.size(), 3u);
  EXPECT_NEAR(stored[0], 6000, 1e-9);
  EXPECT_NEAR(stored[1], std::hypot(5000, 3000), 1e-9);
  EXPECT_NEAR(stored[2], std::hypot(1000, 3000), 1e-9);

  EXPECT_EQ(number, 8);
  EXPECT_EQ(host.drawing().header.clayer, "H_HEN");
  EXPECT_EQ(Variable("OSMODE"), "4133");

  // Labelled again, the triangle finds its sides and labels there: only a new mark.
  LabelTriangle(link, kTriangle, Settings(true));
  EXPECT_EQ(Lines("H_HEN").size(), 2u);
  EXPECT_EQ(LengthTexts(), 3u);
  EXPECT_EQ(TextsReading("8").size(), 1u);
  EXPECT_EQ(number, 9);
}

TEST_F(TriangleLabelsTest, BaseHeightModeLabelsASharedBaseOnceAndEveryHeight) {
  number = 1;
  AddLine(0, 0, 6000, 0);
  const TAcadTriangle below{{0, 0}, {6000, 0}, {2000, -2500}};
  LabelTriangle(link, kTriangle, Settings(false));
  LabelTriangle(link, below, Settings(false));

  EXPECT_EQ(TextsReading("6.00").size(), 1u);
  ASSERT_EQ(TextsReading("3.00").size(), 1u);
  ASSERT_EQ(TextsReading("2.50").size(), 1u);
  EXPECT_TRUE(LabelsSegment(TextsReading("3.00")[0], 1000, 3000, 1000, 0));
  EXPECT_TRUE(LabelsSegment(TextsReading("2.50")[0], 2000, -2500, 2000, 0));
  EXPECT_EQ(LengthTexts(), 3u);  // base and height only: the sides are not labelled
  EXPECT_EQ(Lines("H_HEN").size(), 4u);
  EXPECT_EQ(Lines("H_TAKASA").size(), 2u);
  EXPECT_EQ(host.drawing().header.clayer, "H_TAKASA");
  ASSERT_EQ(Circles().size(), 2u);
  // In the larger half: the incentre of (6000,0), (1000,3000), (1000,0).
  EXPECT_NEAR(Circles()[0].x, 2084.52405257735, 1e-6);
  EXPECT_NEAR(Circles()[0].y, 1084.52405257735, 1e-6);
  ASSERT_EQ(MarkLengths("1").size(), 3u);
  EXPECT_NEAR(MarkLengths("1")[0], 6000, 1e-9);
  ASSERT_EQ(MarkLengths("2").size(), 3u);
  EXPECT_NEAR(MarkLengths("2")[1], std::hypot(4000, 2500), 1e-9);
  EXPECT_EQ(number, 3);

  // The height line is drawn even where one is; its label is not written twice.
  LabelTriangle(link, kTriangle, Settings(false));
  EXPECT_EQ(Lines("H_TAKASA").size(), 3u);
  EXPECT_EQ(LengthTexts(), 3u);
  EXPECT_EQ(Lines("H_HEN").size(), 4u);
}

TEST_F(TriangleLabelsTest, APolylineSideCountsAndALineCrossingAtTheMidpointDoesNot) {
  AddPolyline({{0, 0}, {6000, 0}, {1000, 3000}}, true);
  LabelTriangle(link, kTriangle, Settings(true));
  EXPECT_TRUE(Lines("H_HEN").empty());

  host.drawing().entities.clear();
  AddLine(0, 0, 6000, 0);
  AddLine(6000, 0, 1000, 3000);
  AddLine(-500, 1500, 1500, 1500);  // crosses the missing side p1p3 at its midpoint
  LabelTriangle(link, kTriangle, Settings(true));
  const auto sides = Lines("H_HEN");
  ASSERT_EQ(sides.size(), 1u);
  EXPECT_EQ(sides[0].a.x, 0);
  EXPECT_EQ(sides[0].b.y, 3000);
}

// A fence of twice the text height along the segment, at half a text height either side of
// it: a text that crosses either one is the segment's label already.
TEST_F(TriangleLabelsTest, ATextByTheMidpointLeavesTheLabelOut) {
  struct Case {
    double x, y;
    bool labelled;
  };
  const Case cases[] = {
      {5000, 0, false},     // standing on the segment's left, as a label does
      {5000, -300, false},  // on its right
      {5250, 0, false},     // off the midpoint, within one text height
      {8000, 0, true},      // farther along the segment
      {5000, 1000, true},   // clear above it
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
    host.drawing().entities.clear();
    AddText("X", c.x, c.y, 300);
    const bool written =
        DrawLengthLabel(link, "J BC ", {0, 0}, {10000, 0}, Settings(true).lengths, true);
    EXPECT_EQ(written, c.labelled);
    EXPECT_EQ(TextsReading("10.00").size(), c.labelled ? 1u : 0u);
  }
}

TEST_F(TriangleLabelsTest, LengthLabelStandsAtTheMidpointWhicheverWayTheSegmentIsGiven) {
  LengthLabelSettings s = Settings(true).lengths;
  EXPECT_TRUE(DrawLengthLabel(link, "J BC ", {0, 0}, {3000, 4000}, s, false));
  EXPECT_TRUE(DrawLengthLabel(link, "J BC ", {3000, 4000}, {0, 0}, s, false));
  const auto texts = TextsReading("5.00");
  ASSERT_EQ(texts.size(), 2u);
  for (const TextSeen& t : texts) {
    EXPECT_NEAR(t.x, 1500, 1e-9);
    EXPECT_NEAR(t.y, 2000, 1e-9);
    EXPECT_NEAR(t.degrees, std::atan2(4000, 3000) * 180 / std::numbers::pi, 1e-9);
  }
  // The written document itself, in the single-text file.
  const std::string doc = world.files.ReadAll("C:\\Velsarom\\Menseki.dxf").value_or("");
  EXPECT_NE(doc.find(" 50\r\n53.130102354156\r\n"), std::string::npos);
  EXPECT_NE(doc.find(" 10\r\n1500\r\n 20\r\n2000\r\n"), std::string::npos);
}

TEST_F(TriangleLabelsTest, DrawLineIfMissingKeepsTheObjectSnapsAndDrawsWithoutTheCheck) {
  Set("\x03OSMODE 39\r");
  AddLine(0, 0, 100, 100);
  EXPECT_FALSE(DrawLineIfMissing(link, {0, 0}, {100, 100}, true));
  EXPECT_FALSE(DrawLineIfMissing(link, {100, 100}, {0, 0}, true));
  EXPECT_TRUE(DrawLineIfMissing(link, {0, 0}, {100, 100}, false));
  EXPECT_TRUE(DrawLineIfMissing(link, {0, 0}, {100, -100}, true));
  EXPECT_EQ(Lines("0").size(), 3u);
  EXPECT_EQ(Variable("OSMODE"), "39");
}

// Angle settings read with AUNITS 0 and sent back as they were.
TEST_F(TriangleLabelsTest, HostAnglesAreReadInDegreesAndTheAngleUnitSentBack) {
  Set("_AUNITS 3 _ANGBASE 0.5235987755982988r _ANGDIR 1 ");
  const HostAngles a = ReadHostAngles(link);
  EXPECT_NEAR(a.base, std::numbers::pi / 6, 1e-12);
  EXPECT_EQ(a.direction, 1);
  EXPECT_EQ(Variable("AUNITS"), "3");
}

// A host that shows no value (only its windows here): nothing unreadable is sent back.
struct UnreadableHost : WindowsFixture {
  HostWindows windows = CreateHostWindows(world.windows);
};

TEST_F(UnreadableHost, AnUnreadableObjectSnapIsNotSentBack) {
  EXPECT_TRUE(DrawLineIfMissing(link, {0, 0}, {1, 2}, false));
  const std::vector<std::string> sent = Sent();
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(
      sent.back(),
      "_LINE *0.0000000000000000,0.0000000000000000 *1.0000000000000000,2.0000000000000000\r\r");
  for (const std::string& s : sent) EXPECT_EQ(s.find("\x03OSMODE \r"), std::string::npos);
}

TEST_F(UnreadableHost, AnUnreadableAngleUnitIsLeftAlone) {
  EXPECT_THROW(ReadHostAngles(link), EConvertError);
  for (const std::string& s : Sent()) EXPECT_EQ(s.find("_AUNITS"), std::string::npos) << s;
}

}  // namespace

namespace {

// Under every angle setting of the host a length text stands at its side's midpoint and reads
// along it, and the mark stands upright at its triangle: the insertion undoes the base angle
// and direction the host applies to the rotation typed for it.
TEST_F(TriangleLabelsTest, EveryAngleSettingGivesTheSameDrawing) {
  struct Setting {
    const char* commands;
    double base;
    int direction;
  };
  const Setting settings[] = {
      {"_ANGBASE 0 _ANGDIR 0 ", 0, 0},   {"_ANGBASE 0 _ANGDIR 1 ", 0, 1},
      {"_ANGBASE 90 _ANGDIR 0 ", 90, 0}, {"_ANGBASE 90 _ANGDIR 1 ", 90, 1},
      {"_ANGBASE 30 _ANGDIR 0 ", 30, 0}, {"_ANGBASE 30 _ANGDIR 1 ", 30, 1},
  };
  const TAcadTriangle slanted{{1000, 2000}, {7000, 500}, {2500, 4500}};
  for (const Setting& setting : settings) {
    for (const bool threeSide : {true, false}) {
      SCOPED_TRACE(testing::Message() << setting.commands << (threeSide ? "three sides" : "base"));
      host.drawing().entities.clear();
      AddLine(1000, 2000, 7000, 500);
      Set(setting.commands);
      TriangleLabelling s = Settings(threeSide);
      s.lengths.angles = ReadHostAngles(link);
      EXPECT_NEAR(s.lengths.angles.base * 180 / std::numbers::pi, setting.base, 1e-9);
      EXPECT_EQ(s.lengths.angles.direction, setting.direction);
      number = 1;
      LabelTriangle(link, slanted, s);

      const auto sides = Lines("H_HEN");
      ASSERT_EQ(sides.size(), 2u);
      EXPECT_NEAR(sides[0].a.x, 1000, 1e-9);
      EXPECT_NEAR(sides[0].b.y, 4500, 1e-9);
      EXPECT_NEAR(sides[1].a.x, 7000, 1e-9);
      if (threeSide) {
        ASSERT_EQ(TextsReading("6.18").size(), 1u);  // |(1000,2000)(7000,500)| = 6184.66
        ASSERT_EQ(TextsReading("6.02").size(), 1u);  // |(7000,500)(2500,4500)| = 6020.80
        ASSERT_EQ(TextsReading("2.92").size(), 1u);  // |(2500,4500)(1000,2000)| = 2915.48
        EXPECT_TRUE(LabelsSegment(TextsReading("6.18")[0], 1000, 2000, 7000, 500));
        EXPECT_TRUE(LabelsSegment(TextsReading("6.02")[0], 7000, 500, 2500, 4500));
        EXPECT_TRUE(LabelsSegment(TextsReading("2.92")[0], 2500, 4500, 1000, 2000));
      } else {
        // The apex (2500,4500) projected onto the base from (1000,2000) along (6000,-1500):
        // t = (1500 * 6000 - 2500 * 1500) / (6000^2 + 1500^2) = 5250000 / 38250000 = 7/51.
        const TAcadPoint foot{1000 + 6000 * 7 / 51.0L, 2000 - 1500 * 7 / 51.0L};
        ASSERT_EQ(TextsReading("6.18").size(), 1u);
        EXPECT_TRUE(LabelsSegment(TextsReading("6.18")[0], 1000, 2000, 7000, 500));
        const auto height = Lines("H_TAKASA");
        ASSERT_EQ(height.size(), 1u);
        EXPECT_NEAR(height[0].a.x, 2500, 1e-9);
        EXPECT_NEAR(height[0].b.x, double(foot.x), 1e-6);
        const auto heightLabel = TextsReading("2.79");  // the height, 17250000 / 6184.66
        ASSERT_EQ(heightLabel.size(), 1u);
        EXPECT_TRUE(LabelsSegment(heightLabel[0], 2500, 4500, double(foot.x), double(foot.y)));
      }
      ASSERT_EQ(TextsReading("1").size(), 1u);
      ASSERT_EQ(Circles().size(), 1u);
      const TextSeen mark = TextsReading("1")[0];
      EXPECT_NEAR(mark.x, Circles()[0].x, 1e-6);
      EXPECT_NEAR(mark.y, Circles()[0].y, 1e-6);
      EXPECT_NEAR(std::remainder(mark.degrees, 360.0), 0, 1e-9);
      if (threeSide) {
        const hostsim::Point centre = Incentre(slanted);
        EXPECT_NEAR(mark.x, centre.x, 1e-6);
        EXPECT_NEAR(mark.y, centre.y, 1e-6);
      }
    }
  }
}

}  // namespace
