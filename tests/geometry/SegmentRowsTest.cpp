// A segment's row as an examiner checks it: the area recomputed from the printed radius and the
// printed angle alone, with a calculator's arithmetic, gives the printed area to its last place.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "geometry/TableRows.h"

namespace {

using Strings = std::vector<std::string>;
constexpr double kPi = std::numbers::pi;

// The examiner's reading of "179°54′00″": degrees, minutes and seconds between the marks.
double Degrees(const std::string& dms) {
  int d = 0, m = 0, s = 0;
  EXPECT_EQ(std::sscanf(dms.c_str(), "%d°%d′%d″", &d, &m, &s), 3) << dms;
  return d + m / 60.0 + s / 3600.0;
}

// r²(θ − sin θ)/2 from the printed texts, cut half up to the printed places.
std::string Recomputed(const std::string& radiusText, const std::string& angleText, int sign,
                       int places) {
  const double r = std::stod(radiusText.substr(1));
  const double theta = Degrees(angleText) * kPi / 180;
  const double area = sign * r * r * (theta - std::sin(theta)) / 2;
  const double unit = std::pow(10.0, places);
  const double cut = std::copysign(std::floor(std::fabs(area) * unit + 0.5) / unit, area);
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", places, cut);
  return text;
}

TableRounding Rounding(AreaMode mode) {
  TableRounding r;
  r.mode = mode;
  r.scale = 1000;  // drawn in millimetres, shown in metres
  return r;
}

struct Arc {
  double degrees;  // as measured, not whole
  double radius;   // drawing units
  const char* angle;
};

// 1°, 90°, 150°, 179°, a half circle and a major arc, on radii that are no round numbers; the
// angles carry fractions of a second so that the rounding to the second shows.
const Arc kArcs[] = {
    {1.000127, 12345.678, "1°00′00″"}, {90.004321, 9997.4, "90°00′16″"},
    {150.25, 7003.21, "150°15′00″"},   {179.0 + 59.6 / 3600, 9996.6, "179°01′00″"},
    {180, 9997, "180°00′00″"},         {270.0 + 0.4 / 3600, 10003.3, "270°00′00″"},
    {179.9, 10003, "179°54′00″"},
};

TEST(ShowSegment, EveryRowRecomputesFromItsPrintedRadiusAndAngle) {
  for (const Arc& arc : kArcs) {
    const double theta = arc.degrees * kPi / 180;
    const double chord = 2 * arc.radius * std::sin(theta / 2);
    for (int sign : {+1, -1}) {
      const ShownSegment s =
          ShowSegment(chord, arc.radius, theta, sign, Rounding(AreaMode::kThreeSides));
      EXPECT_EQ(s.angle, arc.angle) << arc.degrees;
      EXPECT_EQ(s.area, Recomputed(s.radius, s.angle, sign, 4)) << s.radius << " " << s.angle;
      // Three-side rows show chord, radius and angle; base-height rows radius, angle and twice
      // the same shown area, so that both modes round a segment once.
      EXPECT_EQ(SegmentRowCells(s, Rounding(AreaMode::kThreeSides)),
                (Strings{s.chord, s.radius, s.angle, s.area}));
      const Strings base = SegmentRowCells(s, Rounding(AreaMode::kBaseHeight));
      ASSERT_EQ(base.size(), 3u);
      EXPECT_EQ(base[0], s.radius);
      EXPECT_EQ(base[1], s.angle);
      EXPECT_DOUBLE_EQ(std::stod(base[2]), 2 * std::stod(s.area)) << base[2];
    }
  }
}

// Near a half circle the chord tells the angle badly: a half circle of R 9.997 has a chord shown
// as 19.99, from which 2·asin(c/2r) gives 176.38° and 150.76 m² for a true 156.99. The row takes
// the measured angle. An arc of R 10.003 over 179.9° has a chord longer than the shown diameter
// (20.01 > 2 × 10.00): shown as it is, the angle not clamped to a half circle.
TEST(ShowSegment, TheAngleIsTheMeasuredOneNearAHalfCircle) {
  const ShownSegment half = ShowSegment(2 * 9997.0, 9997, kPi, +1, Rounding(AreaMode::kThreeSides));
  EXPECT_EQ(half.chord, "19.99");
  EXPECT_EQ(half.radius, "R10.00");
  EXPECT_EQ(half.angle, "180°00′00″");
  EXPECT_EQ(half.area, "157.0796");  // 10.00² π / 2

  TableRounding three = Rounding(AreaMode::kThreeSides);
  three.lengths.digits = 3;
  const ShownSegment r9997 = ShowSegment(2 * 9997.0, 9997, kPi, +1, three);
  EXPECT_EQ(r9997.area, "156.9854");

  const double theta = 179.9 * kPi / 180;
  const ShownSegment over = ShowSegment(2 * 10003 * std::sin(theta / 2), 10003, theta, +1,
                                        Rounding(AreaMode::kThreeSides));
  EXPECT_EQ(over.chord, "20.01");
  EXPECT_EQ(over.radius, "R10.00");
  EXPECT_EQ(over.angle, "179°54′00″");
}

TEST(AngleDmsText, RoundsToTheSecondAndCarries) {
  const double second = kPi / 648000;
  EXPECT_EQ(AngleDmsText(59.6 * second), "0°01′00″");
  EXPECT_EQ(AngleDmsText((3600 * 29 + 59 * 60 + 59.6) * second), "30°00′00″");
  EXPECT_EQ(AngleDmsText((3600 * 5 + 7 * 60 + 3.4) * second), "5°07′03″");
  EXPECT_NEAR(static_cast<double>(AngleOfDmsText("5°07′03″")), (3600 * 5 + 7 * 60 + 3) * second,
              1e-15);
}

}  // namespace
