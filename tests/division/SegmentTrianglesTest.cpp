#include "division/SegmentTriangles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Segments = std::vector<TAcadLine>;
using Triangles = std::vector<TAcadTriangle>;

TAcadLine Seg(long double x1, long double y1, long double x2, long double y2) {
  return {{x1, y1, 0}, {x2, y2, 0}};
}

std::string Show(const Triangles& ts) {
  std::string s;
  for (const auto& t : ts) {
    for (const TAcadPoint* p : {&t.p1, &t.p2, &t.p3}) {
      s += "(" + std::to_string(static_cast<double>(p->x)) + "," +
           std::to_string(static_cast<double>(p->y)) + ")";
    }
    s += "\n";
  }
  return s;
}

bool Equal(const Triangles& a, const Triangles& b) {
  if (a.size() != b.size()) return false;
  auto same = [](const TAcadPoint& p, const TAcadPoint& q) { return p.x == q.x && p.y == q.y; };
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!same(a[i].p1, b[i].p1) || !same(a[i].p2, b[i].p2) || !same(a[i].p3, b[i].p3)) return false;
  }
  return true;
}

struct Case {
  const char* name;
  Segments segments;
  Triangles expected;
};

TEST(FindSegmentTriangles, CornersFreeEndsAndOrder) {
  const Case cases[] = {
      // The diagonal comes first (a line before the polyline's sides).
      {"square with its diagonal",
       {Seg(0, 10, 10, 0), Seg(0, 0, 10, 0), Seg(10, 0, 10, 10), Seg(10, 10, 0, 10),
        Seg(0, 10, 0, 0)},
       {{{10, 0}, {0, 10}, {0, 0}}, {{10, 0}, {0, 10}, {10, 10}}}},
      {"square without a diagonal",
       {Seg(0, 0, 10, 0), Seg(10, 0, 10, 10), Seg(10, 10, 0, 10), Seg(0, 10, 0, 0)},
       {}},
      {"ends that meet within the tolerance",
       {Seg(0, 0, 10, 0), Seg(10.0005L, 0, 0, 10), Seg(0, 10.0005L, 0.0005L, 0)},
       {{{10, 0}, {0, 0}, {0, 10}}}},
      {"a gap of 0.002 at the closing segment",
       {Seg(0, 0, 10, 0), Seg(10, 0, 0, 10), Seg(0, 10.002L, 0, 0)},
       {}},
      {"fewer than three segments", {Seg(0, 0, 10, 0), Seg(10, 0, 0, 10)}, {}},
      // Both the first and the fourth corner test hold for a segment shorter than the
      // tolerance: the fourth decides, so the short segment's end is the corner.
      {"the last corner test that holds decides",
       {Seg(0, 0, 0.0004L, 0.0004L), Seg(0, 0, 10, 0), Seg(10, 0, 0.0004L, 0.0004L)},
       {{{0.0004L, 0.0004L}, {0, 0}, {10, 0}}}},
  };
  for (const Case& c : cases) {
    const Triangles got = FindSegmentTriangles(c.segments);
    EXPECT_TRUE(Equal(got, c.expected)) << c.name << "\n got:\n"
                                        << Show(got) << " expected:\n"
                                        << Show(c.expected);
  }
}

// Regression: a segment selected twice gave its triangle twice (two marks, its area counted
// twice in the table).
TEST(FindSegmentTriangles, ASegmentSelectedTwiceGivesItsTriangleOnce) {
  const Segments segments = {Seg(0, 0, 10, 0), Seg(10, 0, 0, 10), Seg(0, 10, 0, 0),
                             Seg(0, 10, 0, 0), Seg(0, 0, 10, 0)};
  const Triangles got = FindSegmentTriangles(segments);
  EXPECT_TRUE(Equal(got, {{{10, 0}, {0, 0}, {0, 10}}})) << Show(got);
}

// Regression: a triangle ABC with an inner point D joined to A, B and C gave ABC besides the
// three inner triangles, doubling the total area.
TEST(FindSegmentTriangles, ATriangleAroundAnInnerPointIsNotOneOfTheDivision) {
  const TAcadPoint a{0, 0}, b{12, 0}, c{0, 12}, d{3, 4};
  const Segments segments = {{a, b}, {b, c}, {c, a}, {a, d}, {b, d}, {c, d}};
  const Triangles got = FindSegmentTriangles(segments);
  // ab+ad+bd, bc+bd+cd, ca+ad+cd, in the order of their lowest segments.
  EXPECT_TRUE(Equal(got, {{a, b, d}, {b, c, d}, {a, c, d}})) << Show(got);
}

// A segment end on a side (a corner of the neighbouring triangle) is not inside.
TEST(FindSegmentTriangles, AnEndOnASideKeepsTheTriangle) {
  const TAcadPoint a{0, 0}, b{10, 0}, c{0, 10}, onSide{5, 5};
  const Segments segments = {{a, b}, {b, c}, {c, a}, {onSide, {20, 20}}};
  EXPECT_EQ(FindSegmentTriangles(segments).size(), 1u);
  // Just inside the side by more than the tolerance: no longer a triangle of the division.
  const Segments inner = {{a, b}, {b, c}, {c, a}, {{4.99L, 4.99L}, {-5, -5}}};
  EXPECT_TRUE(FindSegmentTriangles(inner).empty());
}

}  // namespace
