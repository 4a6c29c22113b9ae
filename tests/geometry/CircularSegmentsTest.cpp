// Arc sides of a closed outline as circular segments: the sign follows the outline's own turning,
// the arc's middle lies on the bulging side, an arc over half a turn keeps its major angle, and
// the segments come in the order of a clockwise walk from the first corner.
#include "geometry/CircularSegments.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;

std::vector<TAcadPoint> Square(bool counterClockwise) {
  std::vector<TAcadPoint> p = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
  if (!counterClockwise) p = {{0, 0, 0}, {0, 10, 0}, {10, 10, 0}, {10, 0, 0}};
  return p;
}

double D(long double v) { return static_cast<double>(v); }

TEST(OutlineSegments, SignMiddleAndAngleWhicheverWayTheOutlineRuns) {
  struct Case {
    const char* what;
    bool counterClockwise;
    std::vector<double> bulges;
    int sign;
    double middleX, middleY;  // of the one arc, on the bottom side y = 0
    double angle;
  };
  // The bottom side (0,0)-(10,0): a semicircle (bulge ±1) through (5, −5) bulges out, one
  // through (5, 5) bulges in; bulge 2 is the major arc through (5, −10).
  const Case cases[] = {
      {"out, counter-clockwise", true, {1, 0, 0, 0}, +1, 5, -5, kPi},
      {"out, clockwise", false, {0, 0, 0, -1}, +1, 5, -5, kPi},
      {"in, counter-clockwise", true, {-1, 0, 0, 0}, -1, 5, 5, kPi},
      {"in, clockwise", false, {0, 0, 0, 1}, -1, 5, 5, kPi},
      {"major, out", true, {2, 0, 0, 0}, +1, 5, -10, 4 * std::atan(2.0)},
  };
  for (const Case& c : cases) {
    const auto segments = OutlineSegments(Square(c.counterClockwise), c.bulges);
    ASSERT_EQ(segments.size(), 1u) << c.what;
    const CircularSegment& s = segments.front();
    EXPECT_EQ(s.sign, c.sign) << c.what;
    EXPECT_NEAR(D(s.arcMiddle.x), c.middleX, 1e-12) << c.what;
    EXPECT_NEAR(D(s.arcMiddle.y), c.middleY, 1e-12) << c.what;
    EXPECT_NEAR(D(s.angle), c.angle, 1e-12) << c.what;
    EXPECT_NEAR(D(s.chord), 10, 1e-12) << c.what;
    // The radius from chord and angle: 5 for the semicircle, 6.25 for bulge 2.
    EXPECT_NEAR(D(s.radius), c.angle == kPi ? 5 : 6.25, 1e-12) << c.what;
  }
}

TEST(OutlineSegments, ClockwiseFromTheFirstCornerAndNoSegmentForAStraightSide) {
  // Arcs on the bottom (side 0) and the top (side 2) of a counter-clockwise square: walking
  // clockwise from (0,0) meets the top first.
  const auto segments = OutlineSegments(Square(true), {0.25, 0, -0.5, 0});
  ASSERT_EQ(segments.size(), 2u);
  EXPECT_EQ(D(segments[0].st.y), 10);
  EXPECT_EQ(segments[0].sign, -1);
  EXPECT_EQ(D(segments[1].st.y), 0);
  EXPECT_EQ(segments[1].sign, +1);
  EXPECT_TRUE(OutlineSegments(Square(true), {0, 0, 0, 0}).empty());
}

TEST(SegmentArea, HalfADisc) { EXPECT_NEAR(D(SegmentArea(5, kPi)), 25 * kPi / 2, 1e-12); }

}  // namespace
