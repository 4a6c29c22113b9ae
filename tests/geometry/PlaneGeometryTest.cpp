#include "geometry/PlaneGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void ExpectPoint(const TAcadPoint& p, long double x, long double y, long double z = 0) {
  EXPECT_NEAR(static_cast<double>(p.x), static_cast<double>(x), 1e-9);
  EXPECT_NEAR(static_cast<double>(p.y), static_cast<double>(y), 1e-9);
  EXPECT_EQ(p.z, z);
}

TEST(Angle2D, VerticalRuleFirstThenHorizontalRule) {
  struct Case {
    TAcadPoint to;
    long double angle;
  } cases[] = {
      {{0.000009L, -5}, kThreeHalvesPi},  // within 1e-5 of vertical whatever dy is
      {{0, 0}, kThreeHalvesPi},           // coincident points
      {{-0.000009L, 5}, kHalfPi},
      {{0.00001L, 5}, std::atan2(5.0L, 0.00001L)},  // at the bound: no longer vertical
      {{-3, 0.000009L}, kPi},
      {{3, -0.000009L}, 0},
      {{1, 1}, kPi / 4},
      {{-1, 1}, 3 * kPi / 4},
      {{-1, -1}, 5 * kPi / 4},
      {{1, -1}, 7 * kPi / 4},
  };
  for (const auto& c : cases)
    EXPECT_NEAR(static_cast<double>(Angle2D({0, 0}, c.to)), static_cast<double>(c.angle), 1e-15)
        << static_cast<double>(c.to.x) << "," << static_cast<double>(c.to.y);
  EXPECT_EQ(Angle2D({0, 0}, {0, 0}), kThreeHalvesPi);
  EXPECT_EQ(Angle2D({0, 0}, {-3, 0.000009L}), kPi);
}

TEST(PolarPoint, ZeroAngleIsExactAndNegativeDistanceGoesBack) {
  const TAcadPoint p{1.1L, 2.2L, 3.3L};
  const TAcadPoint q = PolarPoint(p, 0, 2.5);
  EXPECT_EQ(q.x, 1.1L + 2.5L);
  EXPECT_EQ(q.y, 2.2L);
  EXPECT_EQ(q.z, 3.3L);
  ExpectPoint(PolarPoint({0, 0, 7}, static_cast<double>(kHalfPi), -2), 0, -2, 7);
}

TEST(MidPointAndSamePoint, AverageZAndStrictTolerance) {
  ExpectPoint(MidPoint({0, 0, 2}, {4, 6, 4}), 2, 3, 3);
  EXPECT_TRUE(SamePoint({0, 0}, {0.4L, -0.4L, 99}, 0.5));
  EXPECT_FALSE(SamePoint({0, 0}, {0.5L, 0}, 0.5));
  EXPECT_FALSE(SamePoint({0, 0}, {0, 0.5L}, 0.5));
}

TEST(AngleAt, NeverReflex) {
  EXPECT_NEAR(AngleAt({1, 0}, {0, 0}, {0, 1}), static_cast<double>(kHalfPi), 1e-15);
  // 240° between the directions reads as 120°.
  const TAcadPoint a{1, 0};
  const TAcadPoint b{std::cos(240 * kPi / 180), std::sin(240 * kPi / 180)};
  EXPECT_NEAR(AngleAt(a, {0, 0}, b), static_cast<double>(120 * kPi / 180), 1e-12);
  EXPECT_NEAR(AngleAt({1, 0}, {0, 0}, {-1, 0}), static_cast<double>(kPi), 1e-15);
}

TEST(IntersectLines, SegmentBoundsAtParameterZeroAndOne) {
  struct Case {
    TAcadPoint p1, p2, p3, p4;
    bool segmentsOnly;
    bool found;
    TAcadPoint at;
  } cases[] = {
      {{0, 0}, {2, 0}, {1, -1}, {1, 1}, true, true, {1, 0}},
      {{0, 0}, {2, 0}, {0, 0}, {0, 2}, true, false, {}},      // both first ends: parameter 0
      {{0, 0}, {2, 0}, {2, -1}, {2, 0}, true, true, {2, 0}},  // both second ends: parameter 1
      {{0, 0}, {2, 0}, {3, -1}, {3, 1}, true, false, {}},     // beyond p2
      {{0, 0}, {2, 0}, {3, -1}, {3, 1}, false, true, {3, 0}},
      {{0, 0}, {2, 0}, {0, 1}, {2, 1}, false, false, {}},  // parallel
      {{0, 0}, {2, 0}, {5, 0}, {7, 0}, false, false, {}},  // collinear
  };
  for (const auto& c : cases) {
    TAcadPoint out{-7, -7, -7};
    EXPECT_EQ(IntersectLines(c.p1, c.p2, c.p3, c.p4, c.segmentsOnly, out), c.found);
    if (c.found)
      ExpectPoint(out, c.at.x, c.at.y, c.p1.z);
    else
      ExpectPoint(out, -7, -7, -7);  // untouched
  }
}

TEST(IntersectLines, CarriesTheFirstPointsZ) {
  TAcadPoint out;
  ASSERT_TRUE(IntersectLines({0, 0, 5}, {2, 0, 9}, {1, -1, 1}, {1, 1, 1}, true, out));
  EXPECT_EQ(out.z, 5);
}

TEST(PerpendicularFoot, FootOnTheLineWithTheProbesZ) {
  TAcadPoint foot;
  ASSERT_TRUE(PerpendicularFoot({1, 5, 8}, {0, 0}, {2, 0}, false, foot));
  ExpectPoint(foot, 1, 0, 8);
  EXPECT_FALSE(PerpendicularFoot({3, 5}, {0, 0}, {2, 0}, true, foot));
  EXPECT_TRUE(PerpendicularFoot({3, 5}, {0, 0}, {2, 0}, false, foot));
  TAcadPoint untouched{-1, -1, -1};
  EXPECT_FALSE(PerpendicularFoot({1, 5}, {2, 2}, {2, 2}, false, untouched));
  ExpectPoint(untouched, -1, -1, -1);
}

TEST(PointBetween, DetourBelowOneHundredThousandth) {
  // A point off the segment (0,0)–(2,0) at height y makes the detour 2·√(1 + y²) − 2 ≈ y².
  EXPECT_TRUE(PointBetween({1, 0}, {0, 0}, {2, 0}));
  EXPECT_TRUE(PointBetween({1, 0.003L}, {0, 0}, {2, 0}));     // detour 9e-6
  EXPECT_FALSE(PointBetween({1, 0.0032L}, {0, 0}, {2, 0}));   // detour 1.024e-5
  EXPECT_FALSE(PointBetween({2.00001L, 0}, {0, 0}, {2, 0}));  // beyond by 1e-5: detour 2e-5
  EXPECT_TRUE(PointBetween({2.000004L, 0}, {0, 0}, {2, 0}));  // detour 8e-6
}

}  // namespace
