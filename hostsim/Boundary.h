// Boundary tracing: the smallest closed region around a point, formed by lines, polyline
// segments (bulged ones as arcs), arcs and circles, with the outlines of the islands inside it.
#pragma once

#include <vector>

#include "hostsim/Curves.h"
#include "hostsim/Drawing.h"

namespace hostsim {

// One closed loop, counter-clockwise, starting at its lowest (then leftmost) vertex; each
// vertex carries the bulge of the segment that starts there.
using Loop = std::vector<PolyVertex>;

struct BoundaryResult {
  bool found = false;
  Loop outer;
  std::vector<Loop> islands;
};

enum class IntersectionSearch { Grid, AllPairs };

// Traces around `inside` using the given pieces.
BoundaryResult TraceBoundary(const std::vector<Piece>& pieces, Vec inside,
                             IntersectionSearch search = IntersectionSearch::Grid);

}  // namespace hostsim
