#include "annotation/SideLines.h"

#include <algorithm>
#include <string>

#include "dxf/ExplodePolylines.h"
#include "geometry/PlaneGeometry.h"
#include "hostlink/HostChannel.h"
#include "hostlink/HostDialogue.h"
#include "hostlink/HostSelection.h"
#include "hostlink/HostVocabulary.h"
#include "hostlink/TemporaryHostSetting.h"

namespace {

long double DistanceToSegment(const TAcadPoint& p, const TAcadPoint& a, const TAcadPoint& b) {
  TAcadPoint foot;
  if (PerpendicularFoot(p, a, b, true, foot)) return Distance2D(p, foot);
  return std::min(Distance2D(p, a), Distance2D(p, b));
}

// A straight piece from st to ed that runs along p1p2 through its midpoint m.
bool RunsAlong(const TAcadLineBlk& piece, const TAcadPoint& p1, const TAcadPoint& p2,
               const TAcadPoint& m) {
  if (DistanceToSegment(m, piece.st, piece.ed) > kSideTolerance) return false;
  // A line that only crosses the side at its midpoint is another line.
  TAcadPoint foot;
  for (const TAcadPoint* end : {&p1, &p2}) {
    if (!PerpendicularFoot(*end, piece.st, piece.ed, false, foot)) return false;
    if (Distance2D(*end, foot) > kSideTolerance) return false;
  }
  return true;
}

}  // namespace

bool SideDrawn(const HostLink& link, const TAcadPoint& p1, const TAcadPoint& p2) {
  const TAcadPoint m = MidPoint(p1, p2);
  const double across = static_cast<double>(Angle2D(p1, p2) + kHalfPi);
  Selection crossed = SelectByFence(link, PolarPoint(m, across, kSideTolerance),
                                    PolarPoint(m, across, -kSideTolerance));
  if (crossed.count == 0) return false;
  // Polyline sides count as much as lines.
  ExplodePolylines(crossed.tables);
  const auto& pieces = crossed.tables.entities.lines;
  return std::any_of(pieces.begin(), pieces.end(),
                     [&](const TAcadLineBlk& piece) { return RunsAlong(piece, p1, p2, m); });
}

bool DrawLineIfMissing(const HostLink& link, const TAcadPoint& p1, const TAcadPoint& p2,
                       bool check) {
  if (check && SideDrawn(link, p1, p2)) return false;
  TemporaryHostSetting osmode(link, vocab::kOsmode, vocab::OsmodeRestore,
                              TemporaryHostSetting::Integer);
  osmode.Change(vocab::kOsmodeOff);
  SendCommand(link, vocab::Line(p1, p2, 16));
  osmode.Restore();
  return true;
}
