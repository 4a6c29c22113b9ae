// 分割, 自動 and １点指示: the host traces the region around a picked point, the system divides
// the traced polygon into triangles and has the host insert the diagonals and, on request, the
// labels and numbered marks, all in one document.
#pragma once

#include <string>

#include "geometry/AcadTypes.h"
#include "geometry/TableRows.h"
#include "hostlink/HostLink.h"
#include "hostlink/TracedBoundary.h"
#include "workflows/LabelDividedTriangles.h"

struct RegionSettings {
  bool labels = false;          // 自動 and １点指示 label; 分割 draws the diagonals only
  bool bestShape = false;       // divide for the largest smallest angle instead of by ears,
  TableRounding table;          // and then for the table closest to the coordinate area
  bool segments = false;        // labelled: each arc side gets a segment mark (弓1, 弓2, …)
  TriangleLabelling labelling;  // sideLayer: the diagonals'; the angles and style the host's
};

enum class RegionOutcome {
  kNoHost,             // nothing sent
  kNoBoundary,         // no boundary polyline around the point (none, or a region): told
  kSeveralBoundaries,  // an island: the boundaries taken back, told to the user
  kNoPolygon,          // the traced outline did not come back through the export file
  kDivisionFailed,     // told to the user; nothing drawn
  kDivided,            // diagonals (and labels) inserted
};

struct RegionResult {
  RegionOutcome outcome = RegionOutcome::kNoHost;
  int labelled = 0;  // triangles numbered, in order from the counter's number
};

RegionResult DivideRegion(const HostLink& link, const TAcadPoint& point,
                          const RegionSettings& settings);
