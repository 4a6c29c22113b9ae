#include "workflows/TwoSides.h"

#include "annotation/SideLines.h"
#include "dxf/NearestLine.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/Triangles.h"
#include "hostlink/HostChannel.h"
#include "hostlink/HostDialogue.h"
#include "hostlink/HostSelection.h"
#include "hostlink/HostSettings.h"
#include "hostlink/TemporaryHostSetting.h"
#include "hostlink/UserMessages.h"

bool CloseTwoSides(const TAcadLine& first, const TAcadLine& second, TAcadTriangle& triangle) {
  TAcadPoint corner;
  if (!IntersectLines(first.st, first.ed, second.st, second.ed, false, corner)) return false;
  const double d1 = static_cast<double>(Distance2D(corner, first.st));
  const double d2 = static_cast<double>(Distance2D(corner, first.ed));
  const double d3 = static_cast<double>(Distance2D(corner, second.st));
  const double d4 = static_cast<double>(Distance2D(corner, second.ed));
  const bool connected = (d1 <= kEndsMeetTolerance || d2 <= kEndsMeetTolerance) &&
                         (d3 <= kEndsMeetTolerance || d4 <= kEndsMeetTolerance);
  if (!connected) return false;
  triangle.p1 = corner;
  triangle.p2 = d1 >= d2 ? first.st : first.ed;
  triangle.p3 = d3 >= d4 ? second.st : second.ed;
  return true;
}

bool PickSegment(const HostLink& link, TAcadLine& segment) {
  Selection picked = SelectSingle(link);
  const TEntityTables& read = picked.tables.entities;
  if (picked.count <= 0 || (read.lines.empty() && read.polylines.empty())) return false;
  const std::optional<TAcadLine> found = SegmentAtPick(picked.tables, picked.pick);
  if (!found) {
    TellUser(link, kNotSegment);
    return false;
  }
  segment = *found;
  return true;
}

void PickTwoSides(const HostLink& link, const TriangleLabelling& settings) {
  if (!ActivateHost(link)) return;
  TAcadLine first, second;
  if (!PickSegment(link, first)) return;
  if (!PickSegment(link, second)) return;
  TwoSides(link, first, second, settings);
}

void TwoSides(const HostLink& link, const TAcadLine& first, const TAcadLine& second,
              const TriangleLabelling& settings) {
  if (!ActivateHost(link)) return;
  TriangleLabelling s = settings;
  PrepareLengths(link, s.textStyle, s.lengths);
  const CurrentLayerKept layer(link);

  TAcadTriangle triangle;
  if (!CloseTwoSides(first, second, triangle)) {
    TellUser(link, kNotConnected);
    return;
  }
  LabelTriangle(link, triangle, s, SidesGiven::kTwoSides);
}
