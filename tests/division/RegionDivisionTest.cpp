#include "division/RegionDivision.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "division/PolygonOperations.h"
#include "division/TriangulationCheck.h"
#include "geometry/PlaneGeometry.h"

namespace {

using Points = std::vector<TAcadPoint>;

bool Same(const TAcadPoint& a, const TAcadPoint& b) { return a.x == b.x && a.y == b.y; }

void ExpectTriangles(const std::vector<TAcadTriangle>& got, const std::vector<Points>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    const TAcadPoint corners[3] = {got[i].p1, got[i].p2, got[i].p3};
    for (int k = 0; k < 3; ++k)
      EXPECT_TRUE(Same(corners[k], want[i][k]))
          << "triangle " << i << " corner " << k << ": " << static_cast<double>(corners[k].x) << ","
          << static_cast<double>(corners[k].y);
  }
}

void ExpectDiagonals(const std::vector<TAcadLine>& got, const std::vector<Points>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < got.size(); ++i)
    EXPECT_TRUE(Same(got[i].st, want[i][0]) && Same(got[i].ed, want[i][1])) << "diagonal " << i;
}

long double TriangleArea(const TAcadTriangle& t) {
  const TAcadPoint c[3] = {t.p1, t.p2, t.p3};
  return std::fabs(DoubleSignedArea(c)) / 2;
}

TEST(RegionDivision, SquareCutsAtItsFirstCorner) {
  const DivisionResult r = DividePolygon(Points{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 10);
  ASSERT_TRUE(r.divided());
  ExpectTriangles(r.triangles, {{{0, 10}, {0, 0}, {10, 0}}, {{10, 0}, {10, 10}, {0, 10}}});
  ExpectDiagonals(r.diagonals, {{{0, 10}, {10, 0}}});
}

TEST(RegionDivision, LShapeKeepsItsCutOrder) {
  const Points l = {{0, 0}, {20, 0}, {20, 10}, {10, 10}, {10, 20}, {0, 20}};
  const DivisionResult r = DividePolygon(l, 20);
  ASSERT_TRUE(r.divided());
  ExpectTriangles(r.triangles, {{{0, 0}, {20, 0}, {20, 10}},
                                {{10, 10}, {10, 20}, {0, 20}},
                                {{0, 0}, {0, 20}, {10, 10}},
                                {{0, 0}, {20, 10}, {10, 10}}});
  ExpectDiagonals(r.diagonals, {{{0, 0}, {20, 10}}, {{10, 10}, {0, 20}}, {{0, 0}, {10, 10}}});
}

TEST(RegionDivision, TriangleIsItsOwnDivision) {
  const DivisionResult r = DividePolygon(Points{{1, 1}, {7, 2}, {3, 6}}, 10);
  ASSERT_TRUE(r.divided());
  ExpectTriangles(r.triangles, {{{1, 1}, {7, 2}, {3, 6}}});
  EXPECT_TRUE(r.diagonals.empty());
}

TEST(RegionDivision, NotchStaysOutOfTheDivision) {
  // The ray from the midpoint of (4,0)–(6,0) passes the notch apex and the top vertex: twice.
  const Points notch = {{0, 0}, {4, 0}, {5, 3}, {6, 0}, {10, 0}, {10, 9}, {5, 10}, {0, 9}};
  const DivisionResult r = DividePolygon(notch, 10);
  ASSERT_TRUE(r.divided());
  ASSERT_EQ(r.triangles.size(), 6u);
  long double total = 0;
  for (const TAcadTriangle& t : r.triangles) {
    total += TriangleArea(t);
    const bool notchEar = Same(t.p1, {4, 0}) || Same(t.p2, {4, 0}) || Same(t.p3, {4, 0});
    const bool apex = Same(t.p1, {5, 3}) || Same(t.p2, {5, 3}) || Same(t.p3, {5, 3});
    const bool right = Same(t.p1, {6, 0}) || Same(t.p2, {6, 0}) || Same(t.p3, {6, 0});
    EXPECT_FALSE(notchEar && apex && right) << "the notch itself was cut as a triangle";
  }
  EXPECT_NEAR(static_cast<double>(total), 92.0, 1e-12);
  EXPECT_EQ(CheckTiling(notch, r.triangles), TilingFault::kNone);
}

TEST(RegionDivision, FailureDrawsNothing) {
  struct Case {
    const char* what;
    Points polygon;
    DivisionOutcome outcome;
  } cases[] = {
      {"no vertex", {}, DivisionOutcome::kTooFewVertices},
      {"a segment", {{0, 0}, {5, 0}}, DivisionOutcome::kTooFewVertices},
      // Every midpoint lies on the boundary: no diagonal is ever valid.
      {"all on one line", {{0, 0}, {2, 0}, {4, 0}, {6, 0}, {3, 0}}, DivisionOutcome::kUnfinished},
      // Crossing sides: the cuts cannot tile what is not a region.
      {"bow tie", {{0, 0}, {10, 10}, {10, 0}, {0, 10}}, DivisionOutcome::kUnfinished},
  };
  for (const auto& c : cases) {
    const DivisionResult r = DividePolygon(c.polygon, 10);
    EXPECT_EQ(r.outcome, c.outcome) << c.what;
    EXPECT_TRUE(r.triangles.empty() && r.diagonals.empty()) << c.what;
  }
}

// The loop as written, with nothing kept between passes: the skipped vertices as a list,
// every corner angle measured anew, each vertex removed by RemoveVertex. The division must
// cut exactly as this does.
struct Literal {
  bool finished = false;
  std::vector<TAcadTriangle> triangles;
  std::vector<TAcadLine> diagonals;
};

Literal LiteralDivision(const Points& traced, double viewSize) {
  Literal out;
  const std::size_t count = traced.size();
  Points working = traced, skipped;
  std::size_t n = count;
  const long double third = kPi / 3;
  auto valid = [&](const TAcadPoint& a, const TAcadPoint& c) {
    return DiagonalValid(a, c, traced, working, viewSize);
  };
  for (std::size_t pass = 0;; ++pass) {
    if (n == 3 || pass == 4 * count) break;
    std::ptrdiff_t tip = -1;
    double best = 0;
    for (std::size_t k = 0; k < n; ++k) {
      if (IsVertexOf(working[k], skipped)) continue;
      const auto i = static_cast<std::ptrdiff_t>(k);
      const double d = static_cast<double>(std::fabs(
          AngleAt(CyclicVertex(working, i - 1), working[k], CyclicVertex(working, i + 1)) - third));
      if (tip < 0 || d < best) tip = i, best = d;
    }
    const TAcadPoint a = CyclicVertex(working, tip - 1), b = CyclicVertex(working, tip),
                     c = CyclicVertex(working, tip + 1);
    if (n <= 3) continue;
    if (!valid(a, c)) {
      skipped.push_back(b);
      continue;
    }
    skipped.clear();
    out.diagonals.push_back({a, c});
    out.triangles.push_back({a, b, c});
    if (out.triangles.size() == count - 2) break;
    const TAcadPoint p = CyclicVertex(working, tip - 2), s = CyclicVertex(working, tip + 2);
    const double left = AngleAt(p, a, c), right = AngleAt(a, c, s);
    n = RemoveVertex(b, working);
    const bool atA = std::fabs(left - third) < std::fabs(right - third);
    const TAcadPoint x = atA ? p : s, y = atA ? a : c, z = atA ? c : a, w = atA ? s : p;
    if (n <= 3 || !valid(x, z)) continue;
    out.diagonals.push_back({x, z});
    out.triangles.push_back({x, y, z});
    n = RemoveVertex(y, working);
    if (out.triangles.size() == count - 2) break;
    if (n <= 3 || !valid(x, w)) continue;
    out.diagonals.push_back({x, w});
    out.triangles.push_back({x, z, w});
    n = RemoveVertex(z, working);
    if (out.triangles.size() == count - 2) break;
  }
  out.finished = n == 3;
  if (out.finished) out.triangles.push_back({working[0], working[1], working[2]});
  return out;
}

void ExpectSameAsLiteral(const Points& polygon, double viewSize, const std::string& what) {
  const Literal literal = LiteralDivision(polygon, viewSize);
  const DivisionResult r = DividePolygon(polygon, viewSize);
  if (!literal.finished) {
    EXPECT_EQ(r.outcome, DivisionOutcome::kUnfinished) << what;
    return;
  }
  if (CheckTiling(polygon, literal.triangles) != TilingFault::kNone) {
    EXPECT_EQ(r.outcome, DivisionOutcome::kNotATiling) << what;
    return;
  }
  ASSERT_TRUE(r.divided()) << what;
  ASSERT_EQ(r.triangles.size(), literal.triangles.size()) << what;
  ASSERT_EQ(r.diagonals.size(), literal.diagonals.size()) << what;
  for (std::size_t i = 0; i < r.triangles.size(); ++i)
    ASSERT_TRUE(Same(r.triangles[i].p1, literal.triangles[i].p1) &&
                Same(r.triangles[i].p2, literal.triangles[i].p2) &&
                Same(r.triangles[i].p3, literal.triangles[i].p3))
        << what << " triangle " << i;
  for (std::size_t i = 0; i < r.diagonals.size(); ++i)
    ASSERT_TRUE(Same(r.diagonals[i].st, literal.diagonals[i].st) &&
                Same(r.diagonals[i].ed, literal.diagonals[i].ed))
        << what << " diagonal " << i;
}

// Random star-shaped polygons on a coarse grid: many equal angles (ties), collinear points,
// reflex corners, rays through vertices.
Points RandomGridPolygon(std::mt19937& rng, int vertices) {
  std::uniform_int_distribution<int> radius(2, 12);
  Points p;
  for (int k = 0; k < vertices; ++k) {
    const double a = 2 * 3.141592653589793 * k / vertices;
    const int r = radius(rng);
    p.push_back({std::round(r * std::cos(a)), std::round(r * std::sin(a))});
  }
  Points unique;
  for (const TAcadPoint& v : p)
    if (unique.empty() || !Same(unique.back(), v)) unique.push_back(v);
  if (unique.size() > 1 && Same(unique.front(), unique.back())) unique.pop_back();
  return unique;
}

TEST(RegionDivision, VerticesCloserThanTheToleranceGiveNoDivision) {
  // A simple hexagon with two vertices each within 0.001 of another: RemoveVertex can take
  // the wrong one of a pair, and the loop then finishes with triangles that do not tile.
  const Points polygon = {{3, 0},  {3.0004818728166858, 0.00032975942565265787}, {0, 6}, {-3, 0},
                          {0, -2}, {-0.0005390183068765548, -2.0014922260770627}};
  const Literal literal = LiteralDivision(polygon, 20);
  ASSERT_TRUE(literal.finished);
  EXPECT_NE(CheckTiling(polygon, literal.triangles), TilingFault::kNone);
  const DivisionResult r = DividePolygon(polygon, 20);
  EXPECT_EQ(r.outcome, DivisionOutcome::kNotATiling);
  EXPECT_TRUE(r.triangles.empty() && r.diagonals.empty());
}

TEST(RegionDivision, CutsExactlyAsTheLoopAsWritten) {
  std::mt19937 rng(2024);
  std::uniform_real_distribution<double> jitter(-0.002, 0.002);
  int divided = 0;
  for (int round = 0; round < 2400; ++round) {
    Points polygon = RandomGridPolygon(rng, 4 + round % 20);
    // Every fourth polygon: a twin beside every third vertex, some within the vertex
    // tolerance of it, as a boundary traced over doubled lines gives.
    if (round % 4 == 3) {
      Points twinned;
      for (std::size_t k = 0; k < polygon.size(); ++k) {
        twinned.push_back(polygon[k]);
        if (k % 3 == 0) twinned.push_back({polygon[k].x + jitter(rng), polygon[k].y + jitter(rng)});
      }
      polygon = twinned;
    }
    if (polygon.size() < 3) continue;
    ExpectSameAsLiteral(polygon, 30, "grid polygon " + std::to_string(round));
    const DivisionResult r = DividePolygon(polygon, 30);
    divided += r.divided();
    if (HasFatalFailure()) return;
  }
  // Most of them divide, so the cut orders are compared, not just two failures.
  EXPECT_GT(divided, 1200);
}

}  // namespace
