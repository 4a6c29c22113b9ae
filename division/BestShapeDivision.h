// Division of a polygon into the triangles of best shape: among all divisions by diagonals
// between its own vertices, one whose smallest angle is the largest (the constrained Delaunay
// triangulation of the polygon). No triangle is flat where the polygon allows another choice.
#pragma once

#include <span>

#include "division/RegionDivision.h"
#include "geometry/AcadTypes.h"

// Succeeds on every simple polygon (either orientation, collinear vertices allowed). The
// triangles are given counter-clockwise, the diagonals once each in the order the triangles
// first meet them. A polygon that is not simple may give kUnfinished or kNotATiling.
DivisionResult DivideBestShape(std::span<const TAcadPoint> polygon);
