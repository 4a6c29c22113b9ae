// The host's trace of the region around a picked point, and the traced outline read back
// through the export file: what 分割, 自動, １点指示 and the coordinate table share.
#pragma once

#include <string>
#include <vector>

#include "geometry/AcadTypes.h"
#include "hostlink/HostLink.h"

enum class BoundaryTrace {
  kOne,      // exactly one boundary, left in the drawing as the last object
  kNone,     // nothing traced: told to the user
  kSeveral,  // an island: the boundaries taken back, told to the user
  kRegion,   // the host made a region (HPBOUND 0 kept): taken back, told to the user
};

// How long the host may take to trace a region before the run gives up on it.
inline constexpr int kBoundarySeconds = 60;

// Types the boundary command with HPBOUND held at 1 (a polyline), given back afterwards.
BoundaryTrace TraceOneBoundary(const HostLink& link, const TAcadPoint& point);

// The export file made ready for the host's export: an old one removed, as it would pass for the
// new export. False after telling the user that it cannot be.
bool PrepareExportFile(const HostLink& link, const std::string& path);

struct TracedOutline {
  std::vector<TAcadPoint> corners;  // in the traced order; an arc side becomes its chord
  std::vector<double> bulges;       // per corner, of the side to the next corner
};

// The traced outline, exported by the host (HostExport) and then erased from the drawing. No
// corners when it did not come back as one polyline of at least two vertices (the user told
// when it came back as a region); an export that did not come back throws EExportFailed.
TracedOutline ExportTracedOutline(const HostLink& link);
