#include "geometry/Triangles.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/PlaneGeometry.h"

namespace {

void ExpectPoint(const TAcadPoint& p, double x, double y, double tolerance = 1e-9) {
  EXPECT_NEAR(static_cast<double>(p.x), x, tolerance);
  EXPECT_NEAR(static_cast<double>(p.y), y, tolerance);
}

TEST(AreaFromSides, HeronOrZero) {
  EXPECT_EQ(AreaFromSides(3, 4, 5), 6);
  EXPECT_EQ(AreaFromSides(5, 3, 4), 6);
  EXPECT_EQ(AreaFromSides(1, 2, 3), 0);  // flat
  EXPECT_EQ(AreaFromSides(1, 1, 5), 0);  // no triangle
  EXPECT_NEAR(AreaFromSides(6000, 5830.951894845300, 3162.277660168379), 9000000, 1e-6);
}

TEST(AreaFromSides, HalfPerimeterAndProductRoundedToDouble) {
  // Reference bits from an exact model of the arithmetic (extended sums and products, s, P and
  // the root rounded to double). Skipping those roundings, or working in double throughout,
  // changes the last bit of each.
  EXPECT_EQ(AreaFromSides(8031.413, 6602.992, 7262.778), 0x1.591f258978f13p+24);
  EXPECT_EQ(AreaFromSides(9482.843, 1820.886, 8606.498), 0x1.b654614b9e20dp+22);
}

TEST(ApexFromSides, TwoOneOrNoApex) {
  const TAcadPoint a{0, 0, 4}, b{10, 0, 9};
  TAcadPoint apex1{-1, -1}, apex2{-1, -1};
  EXPECT_EQ(ApexFromSides(a, b, 6, 8, apex1, apex2), ApexResult::TwoApexes);
  ExpectPoint(apex1, 3.6, 4.8);
  ExpectPoint(apex2, 3.6, -4.8);
  EXPECT_EQ(apex1.z, 4);
  EXPECT_EQ(apex2.z, 4);

  apex2 = {-1, -1};
  EXPECT_EQ(ApexFromSides(a, b, 4, 6, apex1, apex2), ApexResult::FlatApex);
  ExpectPoint(apex1, 10, 0);  // the end of the base
  ExpectPoint(apex2, -1, -1);
  EXPECT_EQ(ApexFromSides(a, b, 3, 4, apex1, apex2), ApexResult::NoApex);
  ExpectPoint(apex2, -1, -1);
}

TEST(ApexFromSides, NearlyFlatSidesGiveFiniteApexesNotNaN) {
  // The sides exceed the base by a rounding error: the triangle has an area above the bound,
  // but the computed cosine at a lies just beyond 1.
  const TAcadPoint a{87333732 / 1000.0L, 72799438 / 1000.0L},
      b{11868157 / 1000.0L, 691162 / 1000.0L};
  TAcadPoint apex1, apex2;
  ASSERT_EQ(ApexFromSides(a, b, 104366.40710981611, 11.064011938913609, apex1, apex2),
            ApexResult::TwoApexes);
  for (const TAcadPoint& p : {apex1, apex2}) {
    EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
    EXPECT_TRUE(PointBetween(p, a, b));
  }
}

TEST(Incenter, RightTriangleAndParallelBisectors) {
  ExpectPoint(Incenter({0, 0, 3}, {3000, 0}, {0, 4000}), 1000, 1000);
  EXPECT_EQ(Incenter({0, 0, 3}, {3000, 0}, {0, 4000}).z, 3);
  // Weighted by the opposite sides: |bc| = √10·1000, |ca| = 3000, |ab| = 5000.
  const double bc = std::sqrt(10.0) * 1000, perimeter = bc + 3000 + 5000;
  ExpectPoint(Incenter({0, 0}, {4000, 3000}, {3000, 0}), (4000 * 3000 + 3000 * 5000) / perimeter,
              (3000 * 3000) / perimeter, 1e-6);
  // a and c coincide: both bisectors are the same line; the centroid stands in.
  ExpectPoint(Incenter({0, 0}, {6, 0}, {0, 0}), 2, 0);
}

TEST(ChooseBaseAndHeight, LongestSideWithTiesToTheEarlierSide) {
  struct Case {
    TAcadTriangle t;
    TAcadPoint baseSt, baseEd, apex, foot;
  } cases[] = {
      // p1p2 = 6, p2p3 = p3p1 = √73: the tie goes to p2p3; the foot of (0,0) on it lies 18/73
      // of the way from (6,0) to (3,8).
      {{{0, 0}, {6, 0}, {3, 8}}, {6, 0}, {3, 8}, {0, 0}, {6 - 54 / 73.0L, 144 / 73.0L}},
      {{{0, 0}, {6000, 0}, {1000, 3000}}, {0, 0}, {6000, 0}, {1000, 3000}, {1000, 0}},
      {{{1, 1}, {0, 5}, {0, 0}}, {0, 5}, {0, 0}, {1, 1}, {0, 1}},
      {{{0, 0}, {0, 0}, {1, 0}}, {0, 0}, {1, 0}, {0, 0}, {0, 0}},  // p3p1 longest
  };
  for (const auto& c : cases) {
    TAcadPoint st, ed, apex, foot;
    ASSERT_TRUE(ChooseBaseAndHeight(c.t, st, ed, apex, foot));
    ExpectPoint(st, static_cast<double>(c.baseSt.x), static_cast<double>(c.baseSt.y), 0);
    ExpectPoint(ed, static_cast<double>(c.baseEd.x), static_cast<double>(c.baseEd.y), 0);
    ExpectPoint(apex, static_cast<double>(c.apex.x), static_cast<double>(c.apex.y), 0);
    ExpectPoint(foot, static_cast<double>(c.foot.x), static_cast<double>(c.foot.y));
  }
  TAcadPoint st, ed, apex, foot;
  EXPECT_FALSE(ChooseBaseAndHeight({{1, 1}, {1, 1}, {1, 1}}, st, ed, apex, foot));
}

TEST(ChooseBaseAndHeight, SidesEqualAsDoublesTieThoughOneIsLongerInExtended) {
  // |p3p1| exceeds |p2p3| by about 5e-15, below the double's step at 1000: as doubles the
  // two are equal and the tie goes to p2p3.
  const TAcadTriangle t{{0, 0}, {1e-11, 0}, {0.5, 1000}};
  ASSERT_GT(Distance2D(t.p3, t.p1), Distance2D(t.p2, t.p3));
  TAcadPoint st, ed, apex, foot;
  ASSERT_TRUE(ChooseBaseAndHeight(t, st, ed, apex, foot));
  EXPECT_EQ(st.x, t.p2.x);
  EXPECT_EQ(ed.y, t.p3.y);
  EXPECT_EQ(apex.x, t.p1.x);
  EXPECT_EQ(apex.y, t.p1.y);
}

TEST(ChooseBaseAndHeight, FootCarriesTheBaseStartsZ) {
  TAcadPoint st, ed, apex, foot;
  ASSERT_TRUE(ChooseBaseAndHeight({{0, 0, 7}, {10, 0, 1}, {3, 2, 2}}, st, ed, apex, foot));
  EXPECT_EQ(foot.z, 7);
}

}  // namespace
