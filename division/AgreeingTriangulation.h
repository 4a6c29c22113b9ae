// Among the triangulations of a polygon whose smallest angle is the largest, the one whose area
// table comes closest to a target area (the caller's: the area the coordinate table prints for
// the parcel). Pure: points in, corner indices out.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <vector>

#include "geometry/AcadTypes.h"
#include "geometry/TableRows.h"

using TriangleCorners = std::array<std::size_t, 3>;

// ring: the polygon's vertices counter-clockwise, simple. plain: a triangulation of it (corner
// indices, each triangle counter-clockwise) with the largest smallest angle any triangulation
// through these vertices has. Returns a triangulation whose smallest angle is within 1e-6 rad
// of plain's and whose table (rows from the sides as a number mark carries them, in the order
// p1p2, p2p3, p3p1 of the corners returned, with the given rounding) has the final area
// closest to the target (m², as the table shows areas), a tie going to the total closest to it
// and then to plain.
//
// Up to kExactCorners vertices the choice is exact: every sum of rows that a triangulation of
// that smallest angle reaches is considered. Above, a piece of the polygon keeps at most
// kWindowBits sums, placed the same share of the way from its least to its greatest total as the
// target lies in the whole polygon's, so the result is the closest among the triangulations
// whose every piece's partial table stays within that window; it is never further off than plain,
// which is returned when nothing closer is found. Above kMostCorners, where the search's memory
// (square) and time (cube of the corners) would outgrow a click, plain is returned as it is.
inline constexpr std::size_t kExactCorners = 30;
inline constexpr std::size_t kMostCorners = 300;
inline constexpr long long kWindowBits = 1 << 12;
std::vector<TriangleCorners> AgreeingTriangulation(std::span<const TAcadPoint> ring,
                                                   const std::vector<TriangleCorners>& plain,
                                                   const TableRounding& rounding,
                                                   long double target);

// The table's final area for these triangles (corner indices into ring), as above.
long double TableFinalArea(std::span<const TAcadPoint> ring,
                           const std::vector<TriangleCorners>& triangles,
                           const TableRounding& rounding);
