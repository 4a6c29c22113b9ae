// Division of a polygon into the triangles of best shape: among all divisions by diagonals
// between its own vertices, one whose smallest angle is the largest (the constrained Delaunay
// triangulation of the polygon). No triangle is flat where the polygon allows another choice.
#pragma once

#include <span>

#include "division/RegionDivision.h"
#include "geometry/AcadTypes.h"
#include "geometry/TableRows.h"

// Succeeds on every simple polygon (either orientation, collinear vertices allowed). The
// triangles are given counter-clockwise, the diagonals once each in the order the triangles
// first meet them. A polygon that is not simple may give kUnfinished or kNotATiling.
DivisionResult DivideBestShape(std::span<const TAcadPoint> polygon);
// The same smallest angle (to 1e-6 rad), and among the divisions that reach it one whose area
// table, figured with this rounding, comes closest to the target area: the area the coordinate
// table prints for the parcel, less its segments where the area table adds them (m²;
// AgreementTarget of table/CoordinateTable.h). division/AgreeingTriangulation.h says how exact.
DivisionResult DivideBestShape(std::span<const TAcadPoint> polygon, const TableRounding& rounding,
                               long double target);
