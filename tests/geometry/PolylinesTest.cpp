#include "dxf/ExplodePolylines.h"
#include "geometry/Polylines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>

#include "dxf/DxfTables.h"
#include "dxf/NearestLine.h"
#include "geometry/PlaneGeometry.h"

namespace {

class EntityTablesTest : public ::testing::Test {
 protected:
  TDxfTables tables;
  TEntityTables& t = tables.entities;

  void AddPolyline(int ihand, int flags, std::initializer_list<TAcadPoint> points,
                   std::vector<double> bulges = {}) {
    TLwpBlk pl;
    pl.ihand = ihand;
    pl.code70 = static_cast<std::int16_t>(flags);
    pl.layer = "L" + std::to_string(ihand);
    pl.bname = "B";
    pl.ltype = "DASHED";
    pl.color = 3;
    pl.code67 = 1;
    pl.code210 = {0, 0, -1};
    t.polylines.push_back(pl);
    std::size_t i = 0;
    for (const auto& p : points)
      t.vertices.push_back({ihand, p, i < bulges.size() ? bulges[i++] : (++i, 0.0)});
  }
};

TEST(BulgeToArc, HalfCirclesBothWays) {
  const BulgeArc up = BulgeToArc({0, 0, 5}, {2, 0}, 1);
  EXPECT_NEAR(static_cast<double>(up.centre.x), 1, 1e-15);
  EXPECT_NEAR(static_cast<double>(up.centre.y), 0, 1e-15);
  EXPECT_EQ(up.centre.z, 5);
  EXPECT_EQ(up.radius, 1);
  EXPECT_EQ(up.startAngle, static_cast<double>(kPi));  // counter-clockwise through (1, -1)
  EXPECT_EQ(up.endAngle, 0);

  const BulgeArc down = BulgeToArc({0, 0}, {2, 0}, -1);
  EXPECT_NEAR(static_cast<double>(down.centre.x), 1, 1e-15);
  EXPECT_NEAR(static_cast<double>(down.centre.y), 0, 1e-15);
  EXPECT_EQ(down.radius, 1);
  EXPECT_EQ(down.startAngle, 0);  // counter-clockwise through (1, 1)
  EXPECT_EQ(down.endAngle, static_cast<double>(kPi));
}

TEST(BulgeToArc, QuarterArc) {
  // bulge tan(22.5°): a quarter circle from (1,0) to (0,1) about the origin.
  const BulgeArc a = BulgeToArc({1, 0}, {0, 1}, std::tan(std::numbers::pi / 8));
  EXPECT_NEAR(static_cast<double>(a.centre.x), 0, 1e-12);
  EXPECT_NEAR(static_cast<double>(a.centre.y), 0, 1e-12);
  EXPECT_NEAR(a.radius, 1, 1e-12);
  EXPECT_NEAR(a.startAngle, 0, 1e-12);
  EXPECT_NEAR(a.endAngle, std::numbers::pi / 2, 1e-12);
}

TEST_F(EntityTablesTest, ExplodeClosedAndOpenPolylines) {
  t.lines.push_back(TAcadLineBlk{});  // existing records stay first
  AddPolyline(1, 1, {{0, 0, 1}, {10, 0, 1}, {10, 10, 1}, {0, 10, 1}});
  AddPolyline(2, 0, {{0, 0}, {5, 0}, {5, 5}, {0, 5}});
  ExplodePolylines(tables);
  ASSERT_EQ(t.lines.size(), 1u + 4 + 3);
  EXPECT_FALSE(t.lines[0].lwpflag);
  const TAcadLineBlk& closing = t.lines[4];
  EXPECT_EQ(closing.st.x, 0);
  EXPECT_EQ(closing.st.y, 10);
  EXPECT_EQ(closing.ed.x, 0);
  EXPECT_EQ(closing.ed.y, 0);
  EXPECT_EQ(closing.st.z, 1);
  EXPECT_EQ(closing.layer, "L1");
  EXPECT_EQ(closing.bname, "B");
  EXPECT_EQ(closing.ltype, "DASHED");
  EXPECT_EQ(closing.color, 3);
  EXPECT_EQ(closing.code67, 1);
  EXPECT_EQ(closing.code210.z, -1);
  EXPECT_TRUE(closing.lwpflag);
  EXPECT_EQ(t.lines[5].layer, "L2");
  EXPECT_EQ(t.lines[7].st.x, 5);
  EXPECT_EQ(t.lines[7].ed.y, 5);
  EXPECT_EQ(t.polylines.size(), 2u);  // left in place
  EXPECT_EQ(t.vertices.size(), 8u);
}

TEST_F(EntityTablesTest, BulgedSegmentsBecomeArcsInDegrees) {
  AddPolyline(1, 1, {{0, 0}, {2, 0}}, {1, 0});  // half circle out, straight back
  ExplodePolylines(tables);
  ASSERT_EQ(t.arcs.size(), 1u);
  ASSERT_EQ(t.lines.size(), 1u);
  EXPECT_EQ(t.arcs[0].st, 180);
  EXPECT_EQ(t.arcs[0].ed, 0);
  EXPECT_EQ(t.arcs[0].hankei, 1);
  EXPECT_TRUE(t.arcs[0].lwpflag);
  EXPECT_EQ(t.arcs[0].layer, "L1");
  EXPECT_EQ(t.lines[0].st.x, 2);
}

TEST_F(EntityTablesTest, ClosingCopyKeepsTheFirstVertexBulge) {
  AddPolyline(1, 1, {{0, 0}, {2, 0}}, {0, -1});
  AddPolyline(2, 1, {{0, 0}, {2, 0}}, {-1, 0});
  ExplodePolylines(tables);
  // First: line out, arc back (bulge of vertex 1). Second: arc out, line back.
  EXPECT_EQ(t.lines.size(), 2u);
  EXPECT_EQ(t.arcs.size(), 2u);
}

TEST_F(EntityTablesTest, MeshColumnsPolyfaceNothingAndTheContiguousScan) {
  // A 3 × 2 mesh: columns 0-2-4 and 1-3-5; closed in M adds a line back to the top.
  AddPolyline(1, 16 | 1, {{0, 0}, {1, 0}, {0, 1}, {1, 1}, {0, 2}, {1, 2}});
  t.polylines.back().code71 = 3;
  t.polylines.back().code72 = 2;
  AddPolyline(2, 64, {{0, 0}, {1, 1}, {2, 2}});
  AddPolyline(7, 0, {});  // no vertices: the next polyline scans from the same place
  AddPolyline(3, 0, {{5, 5}, {6, 6}});
  ExplodePolylines(tables);
  ASSERT_EQ(t.lines.size(), 3u + 3 + 1);
  EXPECT_EQ(t.lines[0].ed.y, 1);
  EXPECT_EQ(t.lines[1].ed.y, 2);
  EXPECT_EQ(t.lines[2].ed.y, 0);  // the closing line of column 0
  EXPECT_EQ(t.lines[3].st.x, 1);
  EXPECT_EQ(t.lines[6].st.x, 5);
  EXPECT_EQ(t.lines[6].layer, "L3");
}

TEST_F(EntityTablesTest, ScanStopsAtTheFirstForeignVertexAfterAMatch) {
  // Vertices out of order: each polyline takes only its first contiguous run from where the
  // previous one stopped; the stray vertices are not gathered from further down the table.
  AddPolyline(1, 0, {{0, 0}, {1, 0}});
  AddPolyline(2, 0, {{5, 5}});
  t.vertices.push_back({1, {9, 9}, 0});
  t.vertices.push_back({2, {6, 6}, 0});
  ExplodePolylines(tables);
  ASSERT_EQ(t.lines.size(), 1u);
  EXPECT_EQ(t.lines[0].ed.x, 1);
}

TEST_F(EntityTablesTest, MeshColumnsBeyondTheVerticesAreSkipped) {
  AddPolyline(1, 16, {{0, 0}, {1, 0}});
  t.polylines.back().code71 = 2;
  t.polylines.back().code72 = 5;  // claims 10 vertices, has 2
  ExplodePolylines(tables);
  EXPECT_TRUE(t.lines.empty());
}

TEST_F(EntityTablesTest, NearestLineTakesTheSegmentAtTheLeastDistanceAndTheEarlierOfTies) {
  TAcadPoint st{-1, -1}, ed{-1, -1};
  EXPECT_EQ(NearestLine(tables, {0, 0}, st, ed), -1);
  EXPECT_EQ(st.x, -1);

  auto add = [&](TAcadPoint a, TAcadPoint b) {
    TAcadLineBlk l;
    l.st = a;
    l.ed = b;
    t.lines.push_back(l);
  };
  add({10, 0}, {20, 0});
  add({10, 5}, {20, 5});
  // Beyond the ends of both: the nearer end decides.
  EXPECT_EQ(NearestLine(tables, {0, 1}, st, ed), 0);
  EXPECT_EQ(st.x, 10);
  EXPECT_EQ(ed.x, 20);
  EXPECT_EQ(NearestLine(tables, {21, 5.5L}, st, ed), 1);
  // Over both, equally far: the earlier one.
  EXPECT_EQ(NearestLine(tables, {15, 2.5L}, st, ed), 0);
  // Over both, nearer the second.
  EXPECT_EQ(NearestLine(tables, {15, 3}, st, ed), 1);
  EXPECT_EQ(st.y, 5);
  add({100, -10}, {100, 10});
  EXPECT_EQ(NearestLine(tables, {9, 0}, st, ed), 0);
  EXPECT_EQ(NearestLine(tables, {99, 0}, st, ed), 2);
}

// Just outside a polyline's corner no perpendicular foot falls on either side that meets there;
// the pick still belongs to one of them, not to whatever side came first.
TEST_F(EntityTablesTest, NearestLineJustOutsideACornerTakesASideOfThatCorner) {
  AddPolyline(1, 1, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  ExplodePolylines(tables);
  ASSERT_EQ(t.lines.size(), 4u);
  TAcadPoint st, ed;
  // Both sides of the corner are equally near: the earlier, the right side.
  EXPECT_EQ(NearestLine(tables, {10.05L, 10.05L}, st, ed), 1);
  EXPECT_EQ(st.x, 10);
  EXPECT_EQ(st.y, 0);
  EXPECT_EQ(ed.y, 10);
  // Beyond the far end of the bottom side, the right side is nearer than the bottom's start.
  EXPECT_EQ(NearestLine(tables, {10.5L, -0.1L}, st, ed), 0);
  EXPECT_EQ(NearestLine(tables, {10.2L, 1}, st, ed), 1);
}

// Exploding and the nearest line work on the tables passed, and on empty ones find nothing.
TEST(EntityTablesGiven, ExplodeAndNearestLineUseTheTablesPassed) {
  TDxfTables own;
  TLwpBlk pl;
  pl.ihand = 7;
  own.entities.polylines.push_back(pl);
  own.entities.vertices = {{7, {0, 0}, 0}, {7, {10, 0}, 0}, {7, {10, 10}, 0}};
  ExplodePolylines(own);
  ASSERT_EQ(own.entities.lines.size(), 2u);
  EXPECT_TRUE(own.entities.lines[1].lwpflag);

  TAcadPoint st, ed;
  EXPECT_EQ(NearestLine(own, {11, 5}, st, ed), 1);
  EXPECT_EQ(st.x, 10);
  EXPECT_EQ(ed.y, 10);
  EXPECT_EQ(NearestLine(TDxfTables{}, {11, 5}, st, ed), -1);
}

// The segment a single pick selected, as 基線, ２辺指示 and 線長 take it: the line itself, else the
// polyline side nearest the pick; nothing for arcs alone (a polyline of bulges) or no selection.
TEST(SegmentAtPick, TheLineElseTheNearestPolylineSideElseNothing) {
  TDxfTables line;
  TAcadLineBlk l;
  l.st = {0, 0};
  l.ed = {5, 0};
  line.entities.lines.push_back(l);
  std::optional<TAcadLine> got = SegmentAtPick(line, {100, 100});
  ASSERT_TRUE(got);
  EXPECT_EQ(got->ed.x, 5);

  TDxfTables square;
  TLwpBlk pl;
  pl.ihand = 3;
  pl.code70 = 1;
  square.entities.polylines.push_back(pl);
  square.entities.vertices = {{3, {0, 0}, 0}, {3, {10, 0}, 0}, {3, {10, 10}, 0}, {3, {0, 10}, 0}};
  got = SegmentAtPick(square, {5, 9});
  ASSERT_TRUE(got);
  EXPECT_EQ(got->st.y, 10);
  EXPECT_EQ(got->ed.y, 10);

  TDxfTables arcs;
  arcs.entities.polylines.push_back(pl);
  arcs.entities.vertices = {{3, {0, 0}, 1}, {3, {10, 0}, 1}};
  EXPECT_FALSE(SegmentAtPick(arcs, {5, 0}));
  EXPECT_FALSE(arcs.entities.arcs.empty());  // exploded, and no straight side among them

  TDxfTables nothing;
  EXPECT_FALSE(SegmentAtPick(nothing, {0, 0}));
}

}  // namespace
