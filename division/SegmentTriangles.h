// Triangles whose three sides are among a set of segments: the triangles of a region that was
// divided earlier (or drawn by hand), found again from the lines the user selects.
#pragma once

#include <vector>

#include "geometry/AcadTypes.h"

// Every triangle formed by three of the segments, in the order of its lowest, then second,
// then third segment number; each as (shared corner of its two lowest segments, their free
// ends). Ends meet within 0.001. A triangle found before (a segment selected twice) is not
// repeated, and a triangle that holds the end of a selected segment strictly inside is no
// triangle of the division: a corner joined to an inner point splits it into smaller ones.
std::vector<TAcadTriangle> FindSegmentTriangles(const std::vector<TAcadLine>& segments);
