// Curved sides of a parcel as circular segments: the area between an arc side and its chord,
// added where the arc bulges out of the parcel and taken away where it bulges in, so that the
// chord polygon and its segments make up the parcel.
#pragma once

#include <vector>

#include "geometry/AcadTypes.h"

struct CircularSegment {
  TAcadPoint st;          // the arc side's first corner, in the outline's order
  TAcadPoint ed;          // its next corner
  TAcadPoint arcMiddle;   // the arc's point halfway between them
  long double chord = 0;  // |st ed|
  long double radius = 0;
  long double angle = 0;  // central angle, 0 < angle < 2π
  int sign = 1;           // +1 bulging out of the parcel, −1 bulging in
};

// One segment per arc side of a closed outline: bulges[i] is the bulge of the side from
// corners[i] to the next corner (the last closing the outline), as a polyline vertex holds it.
// Sides with bulge 0, or of no length, are no segments. The sign is taken against the
// outline's own turning (OutlineTurning), so either orientation gives the same signs. The segments
// come in the order of a clockwise walk from the first corner, the order of the coordinate table's
// rows, so that the marks and both tables give an arc the same name.
std::vector<CircularSegment> OutlineSegments(const std::vector<TAcadPoint>& corners,
                                             const std::vector<double>& bulges);

// +1 when the outline with its arcs runs counter-clockwise, −1 when clockwise: the sign of its
// own area, the chord polygon's and the arcs' segments together, which holds where the chord
// polygon crosses itself or has no area.
int OutlineTurning(const std::vector<TAcadPoint>& corners, const std::vector<double>& bulges);

// The area between an arc of this radius and central angle and its chord: r²(θ − sin θ)/2.
long double SegmentArea(long double radius, long double angle);
