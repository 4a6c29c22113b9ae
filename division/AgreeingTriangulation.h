// Among the triangulations of a polygon whose smallest angle is the largest, those with the fewest
// thin triangles, and among them the one whose area table comes closest to a target area (the
// caller's: the area the coordinate table prints for the parcel). Pure: points in, corner indices
// out.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <vector>

#include "geometry/AcadTypes.h"
#include "geometry/TableRows.h"

using TriangleCorners = std::array<std::size_t, 3>;

// A triangle whose smallest angle is below this many degrees counts as thin.
inline constexpr long double kThinDegrees = 20;

// ring: the polygon's vertices counter-clockwise, simple. plain: a triangulation of it (corner
// indices, each triangle counter-clockwise) with the largest smallest angle any triangulation
// through these vertices has. Returns a triangulation whose smallest angle is within 1e-6 rad of
// plain's, with the fewest thin triangles such a triangulation has, and among those one whose
// table (rows from the sides as a number mark carries them, in the order p1p2, p2p3, p3p1 of the
// corners returned, with the given rounding) has the final area closest to the target (m², as the
// table shows areas), a tie going to the total closest to it and then to plain (when plain has the
// fewest thin ones).
//
// Up to kExactCorners vertices the choice is exact while the budget below lasts (it lasts with
// room to spare on the random, co-circular, staircase and comb outlines of 30 corners that
// tests/division weighs): every sum of rows that such a triangulation reaches is considered. Above,
// the same is tried with half of the budget left; where that is not enough, a piece of the polygon
// keeps at most a window of sums (kWindowBits, narrower where the polygon has many triangles to
// choose from), placed the same share of the way from its least to its greatest total as the target
// lies in the whole polygon's, so the result is the closest among the triangulations whose every
// piece's partial table stays within that window.
//
// Every run does at most kWorkBudget steps of work, each about 10 ns of a 2020s PC's time (a
// triangle weighed takes 2, a side tested against a diagonal 10, a row of the table figured
// 1300, eight words of sums combined 1), so that no polygon keeps the user waiting and a given
// polygon gives the same answer on every machine and in both builds. Where the budget is
// spent the best found so far is returned: plain before the thin triangles are counted, then a
// triangulation with the fewest thin ones (plain where it is one). Above kMostCorners plain is
// returned as it is.
inline constexpr std::size_t kExactCorners = 30;
inline constexpr std::size_t kMostCorners = 300;
inline constexpr long long kWindowBits = 1 << 12;
inline constexpr long long kWorkBudget = 15'000'000;
std::vector<TriangleCorners> AgreeingTriangulation(std::span<const TAcadPoint> ring,
                                                   const std::vector<TriangleCorners>& plain,
                                                   const TableRounding& rounding,
                                                   long double target);

// The table's final area for these triangles (corner indices into ring), as above.
long double TableFinalArea(std::span<const TAcadPoint> ring,
                           const std::vector<TriangleCorners>& triangles,
                           const TableRounding& rounding);
