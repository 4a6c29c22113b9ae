#include "division/TriangulationCheck.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using Points = std::vector<TAcadPoint>;
using Triangles = std::vector<TAcadTriangle>;

const Points kSquare = {{0, 0}, {2, 0}, {2, 2}, {0, 2}};

TEST(Tiling, TellsEachFault) {
  struct Case {
    const char* what;
    Points polygon;
    Triangles triangles;
    TilingFault fault;
  } cases[] = {
      {"square by a diagonal",
       kSquare,
       {{{0, 0}, {2, 0}, {2, 2}}, {{0, 0}, {2, 2}, {0, 2}}},
       TilingFault::kNone},
      {"corners in any order",
       kSquare,
       {{{2, 2}, {2, 0}, {0, 0}}, {{0, 2}, {0, 0}, {2, 2}}},
       TilingFault::kNone},
      {"one triangle short", kSquare, {{{0, 0}, {2, 0}, {2, 2}}}, TilingFault::kWrongCount},
      {"the same half twice",
       kSquare,
       {{{0, 0}, {2, 0}, {2, 2}}, {{0, 0}, {2, 0}, {2, 2}}},
       TilingFault::kOverlap},
      // Both diagonals' halves: right area, but they cross.
      {"crossing halves",
       kSquare,
       {{{0, 0}, {2, 0}, {2, 2}}, {{0, 0}, {2, 0}, {0, 2}}},
       TilingFault::kOverlap},
      {"half a square missing",
       kSquare,
       {{{0, 0}, {2, 0}, {2, 2}}, {{0, 0}, {1, 0}, {1, 1}}},
       TilingFault::kAreaMismatch},
      // Area right and no overlap, but the second half lies beside the square.
      {"beside the polygon",
       kSquare,
       {{{0, 0}, {2, 0}, {2, 2}}, {{2, 0}, {4, 0}, {4, 2}}},
       TilingFault::kOutside},
      // The notch cut as a triangle of its own: six triangles, 98 instead of 92.
      {"notch cut as a triangle",
       {{0, 0}, {4, 0}, {5, 3}, {6, 0}, {10, 0}, {10, 9}, {5, 10}, {0, 9}},
       {{{4, 0}, {5, 3}, {6, 0}},
        {{0, 0}, {4, 0}, {6, 0}},
        {{0, 0}, {6, 0}, {10, 0}},
        {{0, 0}, {10, 0}, {10, 9}},
        {{0, 0}, {10, 9}, {5, 10}},
        {{0, 0}, {5, 10}, {0, 9}}},
       TilingFault::kAreaMismatch},
      {"a polygon without area",
       {{0, 0}, {1, 0}, {2, 0}},
       {{{0, 0}, {1, 0}, {2, 0}}},
       TilingFault::kAreaMismatch},
  };
  for (const auto& c : cases) EXPECT_EQ(CheckTiling(c.polygon, c.triangles), c.fault) << c.what;
}

TEST(Tiling, FlatTrianglesAlongTheBoundaryAreAccepted) {
  // A stone on the bottom side: the flat triangle of the three stones on it takes no area.
  const Points polygon = {{0, 0}, {1, 0}, {2, 0}, {2, 2}, {0, 2}};
  const Triangles flatFirst = {
      {{0, 0}, {1, 0}, {2, 0}}, {{0, 0}, {2, 0}, {2, 2}}, {{0, 0}, {2, 2}, {0, 2}}};
  EXPECT_EQ(CheckTiling(polygon, flatFirst), TilingFault::kNone);
  // A notch from below and a stone (0,3) on the left side. Five triangles tile it without
  // the stone; the sixth is flat: along the left side it is part of the boundary, across the
  // notch's mouth (2,0)–(4,0) it lies outside, though it only touches the boundary there.
  const Points notch = {{0, 0}, {2, 0}, {3, 2}, {4, 0}, {6, 0}, {6, 6}, {0, 6}, {0, 3}};
  Triangles tiles = {{{0, 0}, {2, 0}, {3, 2}}, {{0, 0}, {3, 2}, {0, 6}}, {{3, 2}, {6, 6}, {0, 6}},
                     {{3, 2}, {4, 0}, {6, 0}}, {{3, 2}, {6, 0}, {6, 6}}, {{0, 0}, {0, 3}, {0, 6}}};
  EXPECT_EQ(CheckTiling(notch, tiles), TilingFault::kNone);
  tiles.back() = {{0, 0}, {2, 0}, {4, 0}};
  EXPECT_EQ(CheckTiling(notch, tiles), TilingFault::kOutside);
  tiles.back() = {{4, 0}, {0, 0}, {6, 0}};
  EXPECT_EQ(CheckTiling(notch, tiles), TilingFault::kOutside);
}

TEST(Tiling, TouchingIsNoOverlapEvenWhenNearlyFlat) {
  // A fan of a 40-gon whose vertices lie a hair off a circle of a million units: thin
  // neighbours that share sides must not be taken for overlapping.
  Points polygon;
  for (int k = 0; k < 40; ++k) {
    const long double a = 2 * 3.14159265358979323846L * k / 40;
    polygon.push_back({1e6L * std::cos(a) + (k % 3) * 1e-7L, 1e6L * std::sin(a)});
  }
  Triangles fan;
  for (std::size_t k = 1; k + 1 < polygon.size(); ++k)
    fan.push_back({polygon[0], polygon[k], polygon[k + 1]});
  EXPECT_EQ(CheckTiling(polygon, fan), TilingFault::kNone);
  std::swap(fan[3].p2, fan[20].p2);  // two triangles now reach across others
  EXPECT_NE(CheckTiling(polygon, fan), TilingFault::kNone);
}

}  // namespace
