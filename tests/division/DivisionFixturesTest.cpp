// The division over named polygon files: our parcels (every one must divide) and the outer
// rings of the earcut test set (some are not simple; where one divides, it must tile).
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "division/RegionDivision.h"
#include "division/TriangulationCheck.h"
#include "tests/division/PolygonFile.h"

namespace {

struct Fixture {
  std::string file;
  std::string name;
  bool mustDivide;
};

std::vector<Fixture> Fixtures() {
  std::vector<Fixture> all;
  for (const auto& [file, must] :
       {std::pair{"parcels/parcels.json", true}, std::pair{"earcut/outer-rings.json", false}})
    for (const NamedPolygon& p : ReadPolygonFile(TestDataPath(file)))
      all.push_back({file, p.name, must});
  return all;
}

void PrintTo(const Fixture& f, std::ostream* os) { *os << f.file << ": " << f.name; }

const std::vector<TAcadPoint>& Polygon(const Fixture& f) {
  static std::map<std::string, std::vector<NamedPolygon>> files;
  auto& polygons = files[f.file];
  if (polygons.empty()) polygons = ReadPolygonFile(TestDataPath(f.file));
  for (const NamedPolygon& p : polygons)
    if (p.name == f.name) return p.points;
  throw std::runtime_error("no polygon " + f.name);
}

// Winding number by summed angles: a way of telling inside that shares nothing with the
// division's own tests.
bool InsideByWinding(const std::vector<TAcadPoint>& polygon, long double x, long double y) {
  long double total = 0;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const TAcadPoint& s = polygon[i];
    const TAcadPoint& e = polygon[(i + 1) % polygon.size()];
    const long double a = std::atan2((s.x - x) * (e.y - y) - (s.y - y) * (e.x - x),
                                     (s.x - x) * (e.x - x) + (s.y - y) * (e.y - y));
    total += a;
  }
  return std::fabs(total) > 3.14159L;
}

// +1 strictly inside, 0 outside, −1 too close to a side to tell.
int InTriangle(const TAcadTriangle& t, long double x, long double y, long double margin) {
  const TAcadPoint c[3] = {t.p1, t.p2, t.p3};
  int positive = 0, negative = 0;
  for (int k = 0; k < 3; ++k) {
    const TAcadPoint& s = c[k];
    const TAcadPoint& e = c[(k + 1) % 3];
    const long double length = std::hypot(e.x - s.x, e.y - s.y);
    const long double d = ((e.x - s.x) * (y - s.y) - (e.y - s.y) * (x - s.x)) / length;
    if (std::fabs(d) <= margin) return -1;
    (d > 0 ? positive : negative)++;
  }
  return positive == 3 || negative == 3 ? 1 : 0;
}

class DivisionFixtures : public testing::TestWithParam<Fixture> {};

TEST_P(DivisionFixtures, TilesThePolygonOrDrawsNothing) {
  const Fixture& f = GetParam();
  const std::vector<TAcadPoint>& polygon = Polygon(f);
  const std::size_t n = polygon.size();
  const DivisionResult r = DividePolygon(polygon, ViewSizeFor(polygon));
  if (f.mustDivide) {
    ASSERT_TRUE(r.divided());
  }
  if (!r.divided()) {
    EXPECT_TRUE(r.triangles.empty() && r.diagonals.empty());
    return;
  }
  ASSERT_EQ(r.triangles.size(), n - 2);
  ASSERT_EQ(r.diagonals.size(), n - 3);

  // Each diagonal closes the triangle cut with it; every corner is a vertex of the polygon.
  auto same = [](const TAcadPoint& a, const TAcadPoint& b) { return a.x == b.x && a.y == b.y; };
  for (std::size_t i = 0; i < r.diagonals.size(); ++i)
    EXPECT_TRUE(same(r.diagonals[i].st, r.triangles[i].p1) &&
                same(r.diagonals[i].ed, r.triangles[i].p3))
        << i;
  for (const TAcadTriangle& t : r.triangles)
    for (const TAcadPoint* c : {&t.p1, &t.p2, &t.p3}) {
      bool found = false;
      for (const TAcadPoint& v : polygon) found = found || same(v, *c);
      EXPECT_TRUE(found);
    }

  long double sum = 0;
  for (const TAcadTriangle& t : r.triangles)
    sum += std::fabs((t.p2.x - t.p1.x) * (t.p3.y - t.p1.y) - (t.p2.y - t.p1.y) * (t.p3.x - t.p1.x));
  const long double area = std::fabs(DoubleSignedArea(polygon));
  EXPECT_LT(std::fabs(sum - area) / area, 1e-9L);

  // A grid of sample points: each inside the polygon lies in exactly one triangle, each
  // outside in none (points too near a side to tell are left out).
  long double minX = polygon[0].x, maxX = minX, minY = polygon[0].y, maxY = minY;
  for (const TAcadPoint& p : polygon) {
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  }
  const long double margin = 1e-9L * std::max(maxX - minX, maxY - minY);
  const int steps = n > 1000 ? 24 : 48;
  int insideSamples = 0;
  for (int i = 0; i < steps; ++i)
    for (int j = 0; j < steps; ++j) {
      const long double x = minX + (maxX - minX) * (i + 0.37L) / steps;
      const long double y = minY + (maxY - minY) * (j + 0.61L) / steps;
      int covering = 0;
      bool unclear = false;
      for (const TAcadTriangle& t : r.triangles) {
        const int in = InTriangle(t, x, y, margin);
        unclear = unclear || in < 0;
        covering += in == 1;
      }
      if (unclear) continue;
      const bool inside = InsideByWinding(polygon, x, y);
      insideSamples += inside;
      ASSERT_EQ(covering, inside ? 1 : 0)
          << static_cast<double>(x) << "," << static_cast<double>(y);
    }
  EXPECT_GT(insideSamples, 0);
}

INSTANTIATE_TEST_SUITE_P(Polygons, DivisionFixtures, testing::ValuesIn(Fixtures()),
                         [](const testing::TestParamInfo<Fixture>& info) {
                           std::string name = info.param.name;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

}  // namespace
