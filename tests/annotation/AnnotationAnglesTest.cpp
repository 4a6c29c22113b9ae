#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "annotation/AnnotationAngles.h"

namespace {

constexpr double kPi = std::numbers::pi;

TEST(LabelAngle, TextsReadFromLeftToRightOrUpwards) {
  struct Case {
    TAcadPoint to;
    double expected;
  };
  const Case cases[] = {
      {{10, 0}, 0},
      {{-10, 0}, 0},                           // π turned by π
      {{0, 10}, kPi / 2},                      // straight up keeps its direction
      {{0, -10}, kPi / 2},                     // straight down is turned
      {{-10, -10}, kPi / 4},                   // 225°
      {{10, -10}, 7 * kPi / 4},                // 315° reads upwards to the right: kept
      {{-1, 10}, std::atan2(10.0, -1) - kPi},  // about 95.7° turned to about -84.3°
      {{3000, 4000}, std::atan2(4000.0, 3000)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.to.x << "," << c.to.y);
    EXPECT_NEAR(LabelAngle({0, 0}, c.to), c.expected, 1e-15);
  }
  EXPECT_EQ(LabelAngle({0, 0}, {0, 10}), LabelAngle({0, 10}, {0, 0}));
  EXPECT_NEAR(LabelAngle({0, 0}, {-1, 10}) * 180 / kPi, -84.2894068625, 1e-9);
}

TEST(LabelAngle, BothDirectionsOfASegmentGiveTheSameRotation) {
  const TAcadPoint segments[][2] = {
      {{0, 0}, {3000, 4000}}, {{5, 5}, {-7, 9}}, {{1, 1}, {1.000001L, -50}}, {{0, 0}, {-4, 0}}};
  for (const auto& s : segments) {
    const double forth = LabelAngle(s[0], s[1]);
    const double back = LabelAngle(s[1], s[0]);
    EXPECT_NEAR(std::remainder(forth - back, 2 * kPi), 0, 1e-12);
  }
}

// The host turns an inserted document by its base angle about the origin; written through the
// frame, a point lands where it was drawn and a text with the rotation it was drawn with.
TEST(InsertionFrame, WhatIsWrittenLandsAsDrawnAfterTheHostsTurn) {
  struct Case {
    double degrees;
    int direction;
  };
  const Case cases[] = {{0, 0}, {0, 1}, {90, 0}, {90, 1}, {30, 0}, {30, 1}, {270, 0}, {-45, 1}};
  const TAcadPoint p{1234.5L, -678.25L, 9};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.degrees << " " << c.direction);
    const double base = c.degrees * kPi / 180;
    const InsertionFrame frame({base, c.direction});
    const TAcadPoint w = frame.Place(p);
    EXPECT_EQ(w.z, 9);
    // The host's turn by the base angle.
    const double x = double(w.x) * std::cos(base) - double(w.y) * std::sin(base);
    const double y = double(w.x) * std::sin(base) + double(w.y) * std::cos(base);
    EXPECT_NEAR(x, 1234.5, 1e-9);
    EXPECT_NEAR(y, -678.25, 1e-9);
    EXPECT_NEAR(std::remainder(frame.Rotation(0.3) + base - 0.3, 2 * kPi), 0, 1e-15);
    EXPECT_NEAR(std::remainder(frame.NumberRotation() + base, 2 * kPi), 0, 1e-15);
  }
}

TEST(InsertionFrame, NothingMovesUnderBaseZeroAndQuarterTurnsAreExact) {
  const TAcadPoint p{0.1L, 3000.7L, 0};
  for (int direction : {0, 1}) {
    const InsertionFrame plain({0, direction});
    EXPECT_EQ(plain.Place(p).x, p.x);
    EXPECT_EQ(plain.Place(p).y, p.y);
    EXPECT_EQ(plain.Rotation(0.9272952180016122), 0.9272952180016122);
    EXPECT_EQ(plain.NumberRotation(), 0);
  }
  // ANGBASE 90 as a workflow reads it: degrees times π/180.
  const InsertionFrame north(
      {static_cast<double>(90 * 3.14159265358979323846264338327950288L / 180), 1});
  EXPECT_EQ(north.Place(p).x, p.y);
  EXPECT_EQ(north.Place(p).y, -p.x);
  const InsertionFrame south(
      {static_cast<double>(270 * 3.14159265358979323846264338327950288L / 180), 0});
  EXPECT_EQ(south.Place(p).x, -p.y);
  EXPECT_EQ(south.Place(p).y, p.x);
}

}  // namespace
