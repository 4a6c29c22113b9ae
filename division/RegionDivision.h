// Division of a traced region into triangles by clipping ears: the ear whose corner is nearest
// 60° first, then up to two further ears beside it. Pure: no host, no files.
#pragma once

#include <span>
#include <vector>

#include "geometry/AcadTypes.h"

enum class DivisionOutcome {
  kDivided,
  kTooFewVertices,  // fewer than three vertices
  kUnfinished,      // more than three vertices left after 4·N passes
  kNotATiling,      // the cuts would not tile the polygon (overlap, outside, areas differ)
};

struct DivisionResult {
  // Anything but kDivided leaves both lists empty, so that a caller that draws them draws
  // nothing.
  DivisionOutcome outcome = DivisionOutcome::kTooFewVertices;
  bool divided() const { return outcome == DivisionOutcome::kDivided; }
  // In the order they are cut; each as (corner before, ear tip, corner after) of its cut.
  std::vector<TAcadTriangle> triangles;
  // The cutting diagonals in the order they are cut (the last triangle brings none).
  std::vector<TAcadLine> diagonals;
};

// Divides the polygon (vertices in the traced polyline's order, either orientation) into
// N − 2 triangles. viewSize is the height of the host's view: the inside tests cast rays of
// ten times that length.
DivisionResult DividePolygon(std::span<const TAcadPoint> traced, double viewSize);
