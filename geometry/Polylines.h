// Polyline segments as LINE and ARC records, so that workflows can pick and measure them like
// lines.
#pragma once

#include "geometry/AcadTypes.h"

struct BulgeArc {
  TAcadPoint centre;  // with the segment start's z
  double radius = 0;
  double startAngle = 0;  // radians; the arc runs counter-clockwise from start to end angle
  double endAngle = 0;
};

// The arc of a polyline segment with a non-zero bulge (tan of a quarter of the included angle,
// negative for a clockwise segment).
BulgeArc BulgeToArc(const TAcadPoint& start, const TAcadPoint& end, double bulge);
