// Where a mark stands, read back from its entity line: the data under kCornerAppName that number
// and segment marks carry beside their own (WriteDxfTriangleCorners, WriteDxfArcCorners).
#pragma once

#include <string_view>
#include <vector>

#include "geometry/AcadTypes.h"

struct MarkCorners {
  enum class Kind { kNone, kTriangle, kArc };
  Kind kind = Kind::kNone;         // kNone: a mark made before marks carried their corners
  std::vector<TAcadPoint> points;  // three corners, or the arc's two ends
  int centreSide = 0;              // an arc's: 1 left of its chord st→ed, −1 right
  long double bulge = 0;           // an arc's, from st to ed
};

// The corner data of an entity line: three points make a triangle; two points, the centre side
// (1070) and the bulge (1040) an arc. Data that is incomplete or no number reads as none.
MarkCorners ReadMarkCorners(std::string_view line);
