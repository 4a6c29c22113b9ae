// Whether a set of triangles tiles a polygon: exactly what a division must deliver before any
// of it is drawn.
#pragma once

#include <span>
#include <string>

#include "geometry/AcadTypes.h"
#include "geometry/PlaneGeometry.h"

enum class TilingFault {
  kNone,
  kWrongCount,    // not N − 2 triangles
  kAreaMismatch,  // the triangle areas do not add up to the polygon's (relative 1e-9)
  kOverlap,       // two triangles share interior points
  kOutside,       // a triangle reaches outside the polygon
};

// The triangles (zero-area ones allowed) tile the polygon: N − 2 of them, their areas add up
// to the shoelace area, no two overlap and none leaves the polygon. Orientation tests are
// exact, so touching along sides and at corners is never taken for an overlap.
TilingFault CheckTiling(std::span<const TAcadPoint> polygon,
                        std::span<const TAcadTriangle> triangles);

const char* TilingFaultName(TilingFault fault);
