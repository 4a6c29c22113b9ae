#include "division/PolygonOperations.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "geometry/PlaneGeometry.h"

namespace {

const std::vector<TAcadPoint> kSquare = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
const std::vector<TAcadPoint> kL = {{0, 0}, {20, 0}, {20, 10}, {10, 10}, {10, 20}, {0, 20}};
// A notch from below whose apex (5,3) stands straight under the top vertex (5,10).
const std::vector<TAcadPoint> kNotch = {{0, 0},  {4, 0},  {5, 3},  {6, 0},
                                        {10, 0}, {10, 9}, {5, 10}, {0, 9}};

TEST(PolygonOperations, CyclicVertexWrapsBothWays) {
  struct Case {
    std::ptrdiff_t index;
    std::size_t expected;
  } cases[] = {{0, 0}, {3, 3}, {-1, 3}, {4, 0}, {-5, 3}, {9, 1}, {-8, 0}};
  for (const auto& c : cases)
    EXPECT_EQ(&CyclicVertex(kSquare, c.index), &kSquare[c.expected]) << c.index;
}

TEST(PolygonOperations, VertexToleranceIsStrictInXAndY) {
  const std::vector<TAcadPoint> list = {{1, 1}, {5, 5}};
  EXPECT_TRUE(IsVertexOf({5.0009L, 4.9991L}, list));
  EXPECT_FALSE(IsVertexOf({5.001L, 5}, list));
  EXPECT_FALSE(IsVertexOf({5, 4.999L}, list));
  EXPECT_FALSE(IsVertexOf({5, 5}, {}));
}

TEST(PolygonOperations, RemoveVertexTakesTheFirstMatchOnly) {
  std::vector<TAcadPoint> polygon = {{0, 0}, {1, 0}, {1.0005L, 0}, {2, 2}};
  EXPECT_EQ(RemoveVertex({1.0004L, 0.0002L}, polygon), 3u);
  ASSERT_EQ(polygon.size(), 3u);
  EXPECT_EQ(polygon[1].x, 1.0005L);  // the later near-duplicate stays, moved down
  EXPECT_EQ(polygon[2].x, 2);
  EXPECT_EQ(RemoveVertex({7, 7}, polygon), 3u);
  EXPECT_EQ(polygon.size(), 3u);
}

TEST(PolygonOperations, PointInPolygonCountsEachPassageOfTheRayOnce) {
  struct Case {
    const char* what;
    std::vector<TAcadPoint> polygon;
    TAcadPoint point;
    double ray;
    bool inside;
  } cases[] = {
      {"square centre", kSquare, {5, 5}, 100, true},
      {"above the square", kSquare, {5, 15}, 100, false},
      {"ray too short to reach the top", kSquare, {5, 5}, 4, false},
      {"ray just reaching the top", kSquare, {5, 5}, 5, true},
      {"on the bottom side", kSquare, {5, 0}, 100, false},
      {"on the right side", kSquare, {10, 5}, 100, false},
      {"on the top side", kSquare, {5, 10}, 100, false},
      {"on a corner", kSquare, {10, 10}, 100, false},
      // Through the notch apex and the top vertex: two passages, outside.
      {"below the notch apex", kNotch, {5, 0}, 100, false},
      {"above the notch apex", kNotch, {5, 4}, 100, true},
      // A diamond seen from below: the ray passes through two corners.
      {"below a diamond", {{5, 0}, {10, 5}, {5, 10}, {0, 5}}, {5, -5}, 100, false},
      {"in a diamond", {{5, 0}, {10, 5}, {5, 10}, {0, 5}}, {5, 5}, 100, true},
      // A notch from the left whose apex touches the ray: it does not change the side.
      {"under a touching apex", {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {5, 5}}, {5, 2}, 100, true},
      {"under a touching apex from the right",
       {{0, 0}, {10, 0}, {5, 5}, {10, 10}, {0, 10}},
       {5, 2},
       100,
       true},
      // The L's reflex corner lies on the boundary: not inside.
      {"L reflex corner", kL, {10, 10}, 100, false},
      {"L inner corner region", kL, {5, 15}, 100, true},
      {"L cut-out", kL, {15, 15}, 100, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PointInPolygon(c.point, c.polygon, c.ray), c.inside) << c.what;
}

TEST(PolygonOperations, PointInPolygonAgreesWithWindingOffTheVertices) {
  // Away from vertex columns the rule is the ordinary crossing count; compare it with the
  // winding number on a comb, where rays meet many teeth.
  const std::vector<TAcadPoint> comb = {{0, 0}, {9, 0}, {9, 6}, {8, 6}, {8, 2}, {6, 2},
                                        {6, 6}, {5, 6}, {5, 2}, {3, 2}, {3, 6}, {2, 6},
                                        {2, 2}, {1, 2}, {1, 6}, {0, 6}};
  auto winding = [&](long double x, long double y) {
    long double total = 0;
    for (std::size_t i = 0; i < comb.size(); ++i) {
      const TAcadPoint& s = comb[i];
      const TAcadPoint& e = comb[(i + 1) % comb.size()];
      long double a = std::atan2(e.y - y, e.x - x) - std::atan2(s.y - y, s.x - x);
      while (a > kPi) a -= kTwoPi;
      while (a < -kPi) a += kTwoPi;
      total += a;
    }
    return std::fabs(total) > kPi;
  };
  for (long double x = -0.75L; x < 10; x += 0.5L)
    for (long double y = -0.75L; y < 7; y += 0.5L)
      EXPECT_EQ(PointInPolygon({x, y}, comb, 100), winding(x, y))
          << static_cast<double>(x) << "," << static_cast<double>(y);
}

TEST(PolygonOperations, SegmentCrossesPolygonIgnoresContactsAtItsOwnEnds) {
  EXPECT_FALSE(SegmentCrossesPolygon({0, 10}, {10, 0}, kSquare));
  EXPECT_TRUE(SegmentCrossesPolygon({5, 5}, {15, 5}, kSquare));
  // The L's long diagonal meets the reflex corner (10,10) halfway.
  EXPECT_TRUE(SegmentCrossesPolygon({0, 20}, {20, 0}, kL));
  // A crossing within 0.001 of an end does not count, one just beyond does.
  EXPECT_FALSE(SegmentCrossesPolygon({5, 5}, {10.0009L, 5}, kSquare));
  EXPECT_TRUE(SegmentCrossesPolygon({5, 5}, {10.002L, 5}, kSquare));
}

TEST(PolygonOperations, SegmentCrossesPolygonMatchesTheEdgeByEdgeTest) {
  // The box test that skips distant edges must not change an answer: compare with every edge
  // put to IntersectLines, on random polygons and segments, some ending on vertices.
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> coord(-50, 50);
  int crossings = 0;
  for (int round = 0; round < 2000; ++round) {
    std::vector<TAcadPoint> polygon;
    for (int k = 0; k < 12; ++k) polygon.push_back({coord(rng), coord(rng)});
    TAcadPoint a{coord(rng), coord(rng)}, b{coord(rng), coord(rng)};
    if (round % 3 == 0) a = polygon[round % 12];
    if (round % 5 == 0) b = polygon[(round + 5) % 12];
    bool expected = false;
    for (std::size_t i = 0; i < polygon.size() && !expected; ++i) {
      TAcadPoint x;
      expected = IntersectLines(a, b, polygon[i], polygon[(i + 1) % polygon.size()], true, x) &&
                 Distance2D(x, a) > 0.001L && Distance2D(x, b) > 0.001L;
    }
    crossings += expected;
    ASSERT_EQ(SegmentCrossesPolygon(a, b, polygon), expected) << round;
  }
  EXPECT_GT(crossings, 500);
  EXPECT_LT(crossings, 1900);
}

TEST(PolygonOperations, DiagonalValidNeedsBothPolygons) {
  EXPECT_TRUE(DiagonalValid({0, 10}, {10, 0}, kSquare, kSquare, 10));
  EXPECT_FALSE(DiagonalValid({0, 20}, {20, 0}, kL, kL, 20));
  EXPECT_TRUE(DiagonalValid({0, 0}, {20, 10}, kL, kL, 20));
  // Valid in the working triangle, but its midpoint (5,0) lies in the traced polygon's notch.
  const std::vector<TAcadPoint> ear = {{4, 0}, {5, 3}, {6, 0}};
  EXPECT_FALSE(DiagonalValid({4, 0}, {6, 0}, kNotch, ear, 10));
  // Each polygon alone can refuse: the big square takes the L's long diagonal, the L does not.
  const std::vector<TAcadPoint> big = {{0, 0}, {20, 0}, {20, 20}, {0, 20}};
  EXPECT_TRUE(DiagonalValid({0, 20}, {20, 0}, big, big, 20));
  EXPECT_FALSE(DiagonalValid({0, 20}, {20, 0}, big, kL, 20));
  EXPECT_FALSE(DiagonalValid({0, 20}, {20, 0}, kL, big, 20));
}

TEST(PolygonOperations, SegmentListedInEitherDirection) {
  const std::vector<TAcadLine> listed = {{{0, 0}, {10, 0}}, {{10, 0}, {10, 10}}};
  EXPECT_TRUE(SegmentListed({0, 0}, {10, 0}, listed, 0.001));
  EXPECT_TRUE(SegmentListed({10.0009L, 10}, {10, 0.0009L}, listed, 0.001));
  EXPECT_FALSE(SegmentListed({0, 0}, {10.001L, 0}, listed, 0.001));
  EXPECT_FALSE(SegmentListed({0, 0}, {10, 10}, listed, 0.001));
  EXPECT_FALSE(SegmentListed({0, 0}, {10, 0}, {}, 0.001));
}

}  // namespace
