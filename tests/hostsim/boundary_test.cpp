// Boundary tracing on small figures: the loop found, its orientation, start and bulges.
#include "hostsim/Boundary.h"

#include <gtest/gtest.h>

#include <cmath>

#include "HostFixture.h"

namespace hostsim {
namespace {

std::vector<Piece> Polygon(std::vector<Vec> pts) {
  std::vector<Piece> out;
  for (std::size_t i = 0; i < pts.size(); ++i)
    out.push_back(MakeSegment(pts[i], pts[(i + 1) % pts.size()]));
  return out;
}

std::vector<Vec> Corners(const Loop& l) {
  std::vector<Vec> out;
  for (const PolyVertex& v : l) out.push_back({v.x, v.y});
  return out;
}

void ExpectCorners(const Loop& l, std::vector<Vec> want) {
  auto got = Corners(l);
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    EXPECT_NEAR(got[i].x, want[i].x, 1e-9) << i;
    EXPECT_NEAR(got[i].y, want[i].y, 1e-9) << i;
  }
}

TEST(Boundary, Square) {
  auto r = TraceBoundary(Polygon({{0, 10}, {0, 0}, {10, 0}, {10, 10}}), {5, 5});
  ASSERT_TRUE(r.found);
  ExpectCorners(r.outer, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  EXPECT_TRUE(r.islands.empty());
}

TEST(Boundary, LShapeFromOverlongCrossingLines) {
  // Lines running past each other, as drawn by hand: only the closed part counts.
  std::vector<Piece> p = {MakeSegment({-5, 0}, {25, 0}),   MakeSegment({20, -5}, {20, 12}),
                          MakeSegment({22, 10}, {10, 10}), MakeSegment({10, 8}, {10, 25}),
                          MakeSegment({12, 20}, {-3, 20}), MakeSegment({0, 22}, {0, -3})};
  auto r = TraceBoundary(p, {5, 5});
  ASSERT_TRUE(r.found);
  ExpectCorners(r.outer, {{0, 0}, {20, 0}, {20, 10}, {10, 10}, {10, 20}, {0, 20}});
}

TEST(Boundary, TriangleInsideADividedSquareIsTheSmallestRegion) {
  auto p = Polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  p.push_back(MakeSegment({0, 0}, {10, 10}));
  auto r = TraceBoundary(p, {7, 2});
  ASSERT_TRUE(r.found);
  ExpectCorners(r.outer, {{0, 0}, {10, 0}, {10, 10}});
}

TEST(Boundary, CurvedSideBecomesABulge) {
  // A parcel whose top side is an arc bulging upwards, from (10,10) to (0,10).
  auto p = Polygon({{0, 10}, {0, 0}, {10, 0}, {10, 10}});
  p.pop_back();  // no straight top
  p.push_back(MakeBulged({10, 10}, {0, 10}, 0.5));
  auto r = TraceBoundary(p, {5, 12});
  ASSERT_TRUE(r.found);
  ASSERT_EQ(r.outer.size(), 4u);
  EXPECT_NEAR(r.outer[2].x, 10, 1e-9);
  EXPECT_NEAR(r.outer[2].bulge, 0.5, 1e-9);
  EXPECT_EQ(r.outer[0].bulge, 0);
}

TEST(Boundary, ConcaveArcKeepsItsInwardBulgeWhicheverWayItWasDrawn) {
  // A cul-de-sac frontage: the side from (15,19) to (3,18) bulges 1.8 into the parcel. Drawn
  // counter-clockwise its bulge is -0.3; drawn the other way round +0.3 from (3,18). The loop
  // runs counter-clockwise either way, so the bulge it carries at (15,19) is -0.3.
  std::vector<Vec> k = {{3, 2}, {19, 3}, {21, 13}, {15, 19}, {3, 18}, {1, 9}};
  std::vector<Piece> ccw, cw;
  for (std::size_t i = 0; i < k.size(); ++i) {
    const Vec& a = k[i];
    const Vec& b = k[(i + 1) % k.size()];
    ccw.push_back(MakeBulged(a, b, i == 3 ? -0.3 : 0));
    cw.push_back(MakeBulged(b, a, i == 3 ? 0.3 : 0));
  }
  for (const auto& pieces : {ccw, cw}) {
    // Picked near the arc's middle, just below it, and far from it.
    for (Vec inside : {Vec{9, 16}, Vec{5, 5}}) {
      auto r = TraceBoundary(pieces, inside);
      ASSERT_TRUE(r.found);
      ExpectCorners(r.outer, k);
      for (std::size_t i = 0; i < k.size(); ++i)
        EXPECT_NEAR(r.outer[i].bulge, i == 3 ? -0.3 : 0, 1e-12) << i;
    }
  }
  // Between the chord and the arc lies no part of the parcel.
  EXPECT_FALSE(TraceBoundary(ccw, {9, 18.2}).found);
}

TEST(Boundary, PointOutsideFindsNothing) {
  auto r = TraceBoundary(Polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}}), {15, 5});
  EXPECT_FALSE(r.found);
  // An open figure bounds nothing either.
  r = TraceBoundary({MakeSegment({0, 0}, {10, 0}), MakeSegment({10, 0}, {10, 10})}, {5, 1});
  EXPECT_FALSE(r.found);
}

TEST(Boundary, IslandsGiveMoreLoopsButNestedOnesDoNot) {
  auto p = Polygon({{0, 0}, {100, 0}, {100, 100}, {0, 100}});
  p.push_back(MakeArc({30, 30}, 5, 0, 2 * kPi));  // a number mark's circle
  auto inner = Polygon({{60, 60}, {90, 60}, {90, 90}, {60, 90}});
  p.insert(p.end(), inner.begin(), inner.end());
  p.push_back(MakeArc({75, 75}, 3, 0, 2 * kPi));  // inside the inner square: not ours
  auto r = TraceBoundary(p, {10, 80});
  ASSERT_TRUE(r.found);
  EXPECT_EQ(r.outer.size(), 4u);
  EXPECT_EQ(r.islands.size(), 2u);
  // Inside the circle, the circle alone is the region.
  r = TraceBoundary(p, {30, 31});
  ASSERT_TRUE(r.found);
  EXPECT_EQ(r.outer.size(), 2u);  // two half circles
  EXPECT_NEAR(r.outer[0].bulge, 1, 1e-9);
  EXPECT_TRUE(r.islands.empty());
}

TEST(Boundary, LineJoiningAnIslandToTheSideIsNoPartOfEitherLoop) {
  // A building tied to the parcel's left side by a line: the loop must not run along the line
  // and back (a polygon that overlaps itself); the building stays an island.
  auto p = Polygon({{0, 0}, {100, 0}, {100, 100}, {0, 100}});
  auto house = Polygon({{40, 40}, {60, 40}, {60, 60}, {40, 60}});
  p.insert(p.end(), house.begin(), house.end());
  p.push_back(MakeSegment({0, 50}, {40, 50}));
  for (auto search : {IntersectionSearch::Grid, IntersectionSearch::AllPairs}) {
    auto r = TraceBoundary(p, {10, 10}, search);
    ASSERT_TRUE(r.found);
    // The side keeps its vertex where the line met it.
    ExpectCorners(r.outer, {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 50}});
    ASSERT_EQ(r.islands.size(), 1u);
    ExpectCorners(r.islands[0], {{40, 40}, {60, 40}, {60, 60}, {40, 60}, {40, 50}});
  }
  // Two bridges in a row through a middle figure, and a bridge between two loops that share
  // nothing else: all gone, every loop still found.
  p.push_back(MakeSegment({60, 50}, {70, 50}));
  auto shed = Polygon({{70, 45}, {80, 45}, {80, 55}, {70, 55}});
  p.insert(p.end(), shed.begin(), shed.end());
  auto r = TraceBoundary(p, {10, 10});
  ASSERT_TRUE(r.found);
  EXPECT_EQ(r.outer.size(), 5u);
  EXPECT_EQ(r.islands.size(), 2u);
  r = TraceBoundary(p, {75, 50});
  ASSERT_TRUE(r.found);
  EXPECT_EQ(r.outer.size(), 5u);  // the shed, with the vertex where the line met it
  EXPECT_TRUE(r.islands.empty());
}

TEST(Boundary, BothSearchesAgree) {
  std::vector<Piece> p;
  for (int i = 0; i <= 20; ++i) {
    p.push_back(MakeSegment({0, i * 10.0}, {200, i * 10.0}));
    p.push_back(MakeSegment({i * 10.0, 0}, {i * 10.0, 200}));
  }
  auto a = TraceBoundary(p, {55, 55}, IntersectionSearch::Grid);
  auto b = TraceBoundary(p, {55, 55}, IntersectionSearch::AllPairs);
  ASSERT_TRUE(a.found && b.found);
  ExpectCorners(a.outer, Corners(b.outer));
  ExpectCorners(a.outer, {{50, 50}, {60, 50}, {60, 60}, {50, 60}});
}

class BoundaryCommand : public HostFixture {};

TEST_F(BoundaryCommand, RegionWithAnIslandReportsTwoAndUndoTakesBothBack) {
  AddSquare(0, 0, 100);
  Layer text;
  text.name = "H_TEXT";
  host.drawing().layers.push_back(text);
  Add(Circle{{30, 30, 0}, 5}, "H_TEXT");
  Send("_-BOUNDARY 80.0000,80.0000\r\r");
  EXPECT_NE(After("境界が").find(" 2 個のポリラインを作成しました"), std::string::npos);
  EXPECT_EQ(Count(), 7u);
  Send("_UNDO 1 ");
  EXPECT_EQ(Count(), 5u);
  // With the circle's layer off, it is no island.
  host.drawing().FindLayer("H_TEXT")->on = false;
  Send("_-BOUNDARY 80.0000,80.0000\r\r");
  EXPECT_NE(After("境界が").find(" 1 個のポリラインを作成しました"), std::string::npos);
}

TEST_F(BoundaryCommand, PolylineWithABulgeAndTheCurrentLayer) {
  LwPolyline pl;
  pl.closed = true;
  pl.vertices = {
      {0, 0, 0, 0, 0}, {10, 0, 0, 0, 0}, {10, 10, 0.4142135623730951, 0, 0}, {0, 10, 0, 0, 0}};
  Add(pl);
  Send("_-LAYER M TRACE\r\r");
  Send("_-BOUNDARY 5.0000,9.0000\r\r");
  ASSERT_EQ(Count(), 2u);
  const Entity& e = host.drawing().entities.back();
  EXPECT_EQ(e.layer, "TRACE");
  const auto& v = std::get<LwPolyline>(e.shape).vertices;
  ASSERT_EQ(v.size(), 4u);
  EXPECT_NEAR(v[2].bulge, 0.4142135623730951, 1e-12);
}

}  // namespace
}  // namespace hostsim
