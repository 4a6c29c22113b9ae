#include "dxf/NearestLine.h"

#include <algorithm>

#include "dxf/DxfTables.h"
#include "dxf/ExplodePolylines.h"
#include "geometry/PlaneGeometry.h"

namespace {

// From p to the nearest point of the segment: the foot of the perpendicular where it falls
// between the ends, else the nearer end.
double DistanceToSegment(const TAcadPoint& p, const TAcadLineBlk& line) {
  TAcadPoint foot;
  if (PerpendicularFoot(p, line.st, line.ed, true, foot))
    return static_cast<double>(Distance2D(p, foot));
  return static_cast<double>(std::min(Distance2D(p, line.st), Distance2D(p, line.ed)));
}

}  // namespace

int NearestLine(const TDxfTables& tables, const TAcadPoint& p, TAcadPoint& st, TAcadPoint& ed) {
  const auto& lines = tables.entities.lines;
  if (lines.empty()) return -1;
  std::size_t best = 0;
  double bestDistance = DistanceToSegment(p, lines[0]);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const double d = DistanceToSegment(p, lines[i]);
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  st = lines[best].st;
  ed = lines[best].ed;
  return static_cast<int>(best);
}

std::optional<TAcadLine> SegmentAtPick(TDxfTables& tables, const TAcadPoint& pick) {
  const TEntityTables& read = tables.entities;
  if (!read.lines.empty()) return TAcadLine{read.lines.front().st, read.lines.front().ed};
  if (read.polylines.empty()) return {};
  ExplodePolylines(tables);
  TAcadLine segment;
  if (NearestLine(tables, pick, segment.st, segment.ed) < 0) return {};
  return segment;
}
