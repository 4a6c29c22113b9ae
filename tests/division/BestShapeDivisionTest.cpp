#include "division/BestShapeDivision.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "division/RegionDivision.h"
#include "division/TriangulationCheck.h"
#include "geometry/Orientation.h"
#include "tests/division/PolygonFile.h"

namespace {

using Points = std::vector<TAcadPoint>;

long double Corner(const TAcadPoint& v, const TAcadPoint& p, const TAcadPoint& q) {
  const long double ux = p.x - v.x, uy = p.y - v.y, wx = q.x - v.x, wy = q.y - v.y;
  return std::fabs(std::atan2(ux * wy - uy * wx, ux * wx + uy * wy));
}

long double SmallestAngle(const TAcadPoint& a, const TAcadPoint& b, const TAcadPoint& c) {
  return std::min({Corner(a, b, c), Corner(b, c, a), Corner(c, a, b)});
}

long double SmallestAngle(const std::vector<TAcadTriangle>& triangles) {
  long double m = 10;
  for (const TAcadTriangle& t : triangles) m = std::min(m, SmallestAngle(t.p1, t.p2, t.p3));
  return m;
}

bool InsideByWinding(const Points& polygon, long double x, long double y) {
  long double total = 0;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const TAcadPoint& s = polygon[i];
    const TAcadPoint& e = polygon[(i + 1) % polygon.size()];
    total += std::atan2((s.x - x) * (e.y - y) - (s.y - y) * (e.x - x),
                        (s.x - x) * (e.x - x) + (s.y - y) * (e.y - y));
  }
  return std::fabs(total) > 3.14159L;
}

// A chord i–k lies inside the polygon: it touches no other vertex, crosses no side, and its
// midpoint is inside.
bool Chord(const Points& p, std::size_t i, std::size_t k) {
  const std::size_t n = p.size();
  if ((i + 1) % n == k || (k + 1) % n == i) return true;
  for (std::size_t j = 0; j < n; ++j) {
    if (j == i || j == k) continue;
    if (Orientation(p[i], p[k], p[j]) == 0 && std::min(p[i].x, p[k].x) <= p[j].x &&
        p[j].x <= std::max(p[i].x, p[k].x) && std::min(p[i].y, p[k].y) <= p[j].y &&
        p[j].y <= std::max(p[i].y, p[k].y))
      return false;
    const TAcadPoint& s = p[j];
    const TAcadPoint& e = p[(j + 1) % n];
    if (Orientation(p[i], p[k], s) * Orientation(p[i], p[k], e) < 0 &&
        Orientation(s, e, p[i]) * Orientation(s, e, p[k]) < 0)
      return false;
  }
  return InsideByWinding(p, (p[i].x + p[k].x) / 2, (p[i].y + p[k].y) / 2);
}

// The largest smallest angle over every triangulation of the polygon by chords: the best
// division of the chain i..j closed by i–j takes some apex k, and the rest splits in two.
long double ExhaustiveBest(const Points& p) {
  const std::size_t n = p.size();
  std::vector<std::vector<long double>> best(n, std::vector<long double>(n, -1));
  for (std::size_t gap = 1; gap < n; ++gap)
    for (std::size_t i = 0; i + gap < n; ++i) {
      const std::size_t j = i + gap;
      if (gap == 1) {
        best[i][j] = 10;  // a side: nothing to divide
        continue;
      }
      if (!Chord(p, i, j)) continue;
      for (std::size_t k = i + 1; k < j; ++k) {
        if (best[i][k] < 0 || best[k][j] < 0) continue;
        const long double v = std::min({SmallestAngle(p[i], p[k], p[j]), best[i][k], best[k][j]});
        best[i][j] = std::max(best[i][j], v);
      }
    }
  return best[0][n - 1];
}

void ExpectSoundDivision(const Points& polygon, const DivisionResult& r, const std::string& what) {
  ASSERT_TRUE(r.divided()) << what;
  ASSERT_EQ(r.triangles.size(), polygon.size() - 2) << what;
  EXPECT_EQ(r.diagonals.size(), polygon.size() - 3) << what;
  long double sum = 0;
  for (const TAcadTriangle& t : r.triangles) {
    const long double twice =
        (t.p2.x - t.p1.x) * (t.p3.y - t.p1.y) - (t.p2.y - t.p1.y) * (t.p3.x - t.p1.x);
    EXPECT_GT(twice, 0) << what << ": counter-clockwise and not flat";
    sum += twice;
  }
  const long double area = std::fabs(DoubleSignedArea(polygon));
  EXPECT_LT(std::fabs(sum - area) / area, 1e-9L) << what;
}

// Random simple polygons: star-shaped about the origin on a coarse grid, so that collinear
// vertices and equal angles are common; every other one listed clockwise.
Points RandomStar(std::mt19937& rng, int vertices, bool clockwise) {
  std::uniform_int_distribution<int> radius(3, 9);
  Points p;
  for (int k = 0; k < vertices; ++k) {
    const double a = 2 * 3.141592653589793 * (k + 0.3) / vertices;
    const int r = radius(rng);
    p.push_back({std::round(r * std::cos(a)), std::round(r * std::sin(a))});
  }
  Points unique;
  for (const TAcadPoint& v : p)
    if (unique.empty() || unique.back().x != v.x || unique.back().y != v.y) unique.push_back(v);
  while (unique.size() > 1 && unique.front().x == unique.back().x &&
         unique.front().y == unique.back().y)
    unique.pop_back();
  if (clockwise) std::reverse(unique.begin(), unique.end());
  return unique;
}

bool Simple(const Points& p) {
  const std::size_t n = p.size();
  if (n < 3 || DoubleSignedArea(p) == 0) return false;
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t j = i + 1; j < n; ++j) {
      if (p[i].x == p[j].x && p[i].y == p[j].y) return false;
      if (j == i + 1 || (i == 0 && j == n - 1)) continue;
      const TAcadPoint &a = p[i], &b = p[(i + 1) % n], &c = p[j], &d = p[(j + 1) % n];
      const int o1 = Orientation(a, b, c), o2 = Orientation(a, b, d);
      const int o3 = Orientation(c, d, a), o4 = Orientation(c, d, b);
      auto on = [](const TAcadPoint& s, const TAcadPoint& e, const TAcadPoint& q) {
        return std::min(s.x, e.x) <= q.x && q.x <= std::max(s.x, e.x) &&
               std::min(s.y, e.y) <= q.y && q.y <= std::max(s.y, e.y);
      };
      if ((o1 * o2 < 0 && o3 * o4 < 0) || (o1 == 0 && on(a, b, c)) || (o2 == 0 && on(a, b, d)) ||
          (o3 == 0 && on(c, d, a)) || (o4 == 0 && on(c, d, b)))
        return false;
    }
  return true;
}

TEST(BestShapeDivision, ReachesTheLargestSmallestAngleOfAnyDivision) {
  std::mt19937 rng(99);
  int compared = 0;
  for (int round = 0; round < 1500; ++round) {
    const Points polygon = RandomStar(rng, 5 + round % 6, round % 2 == 1);
    if (!Simple(polygon)) continue;
    const std::string what = "random polygon " + std::to_string(round);
    const DivisionResult r = DivideBestShape(polygon);
    ExpectSoundDivision(polygon, r, what);
    if (HasFatalFailure()) return;
    EXPECT_NEAR(static_cast<double>(SmallestAngle(r.triangles)),
                static_cast<double>(ExhaustiveBest(polygon)), 1e-9)
        << what;
    ++compared;
  }
  EXPECT_GT(compared, 1000);
}

TEST(BestShapeDivision, StonesOnStraightSidesGiveNoFlatTriangle) {
  // Three stones on each side, exactly on its line, of a rectangle and of a parallelogram with
  // sloped sides: many corners of 180°, and yet no flat triangle.
  Points rectangle, parallelogram;
  for (int k = 0; k < 4; ++k) rectangle.push_back({6000.0L * k, 0});
  for (int k = 0; k < 4; ++k) rectangle.push_back({24000, 4000.0L * k});
  for (int k = 0; k < 4; ++k) rectangle.push_back({24000 - 6000.0L * k, 16000});
  for (int k = 0; k < 4; ++k) rectangle.push_back({0, 16000 - 4000.0L * k});
  for (int k = 0; k < 4; ++k) parallelogram.push_back({3000.0L * k, 1000.0L * k});
  for (int k = 0; k < 4; ++k) parallelogram.push_back({12000 + 500.0L * k, 4000 + 2500.0L * k});
  for (int k = 0; k < 4; ++k) parallelogram.push_back({14000 - 3000.0L * k, 14000 - 1000.0L * k});
  for (int k = 0; k < 4; ++k) parallelogram.push_back({2000 - 500.0L * k, 10000 - 2500.0L * k});
  ExpectSoundDivision(rectangle, DivideBestShape(rectangle), "rectangle");
  ExpectSoundDivision(parallelogram, DivideBestShape(parallelogram), "parallelogram");
}

TEST(BestShapeDivision, SquareAndNotSimple) {
  const DivisionResult square = DivideBestShape(Points{{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  ExpectSoundDivision(Points{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, square, "square");
  EXPECT_NEAR(static_cast<double>(SmallestAngle(square.triangles)), 3.14159265358979 / 4, 1e-12);
  for (const Points& bad : {Points{{0, 0}, {10, 10}, {10, 0}, {0, 10}},  // sides cross
                            Points{{0, 0}, {1, 0}, {2, 0}},              // no area
                            Points{{0, 0}, {1, 1}}}) {
    const DivisionResult r = DivideBestShape(bad);
    EXPECT_FALSE(r.divided());
    EXPECT_TRUE(r.triangles.empty() && r.diagonals.empty());
  }
}

// Every parcel and every outer ring of the earcut set: divided, and never worse in its
// smallest angle than the ear division where that divides.
class BestShapeFixtures : public testing::TestWithParam<std::string> {};

TEST_P(BestShapeFixtures, DividesAndBeatsTheEarDivision) {
  for (const NamedPolygon& p : ReadPolygonFile(TestDataPath(GetParam()))) {
    const DivisionResult best = DivideBestShape(p.points);
    ExpectSoundDivision(p.points, best, p.name);
    if (HasFatalFailure()) return;
    const DivisionResult ears = DividePolygon(p.points, ViewSizeFor(p.points));
    if (ears.divided()) {
      EXPECT_GE(SmallestAngle(best.triangles), SmallestAngle(ears.triangles) - 1e-12L) << p.name;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Files, BestShapeFixtures,
                         testing::Values("parcels/parcels.json", "earcut/outer-rings.json"),
                         [](const testing::TestParamInfo<std::string>& info) {
                           return info.param.substr(0, info.param.find('/'));
                         });

}  // namespace
