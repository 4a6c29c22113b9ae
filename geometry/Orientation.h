// Exact orientation of three points: the sign of the cross product (b − a) × (c − a), decided
// without rounding error, so that collinear points are recognised and a point is never found
// on both sides of a line.
#pragma once

#include "geometry/AcadTypes.h"

// +1 when a, b, c turn counter-clockwise, −1 clockwise, 0 when they are collinear.
int Orientation(const TAcadPoint& a, const TAcadPoint& b, const TAcadPoint& c);
