#include "workflows/BaseLineTriangle.h"

#include <utility>

#include "dxf/DxfTables.h"
#include "dxf/ExplodePolylines.h"
#include "dxf/NearestLine.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/Triangles.h"
#include "hostlink/HostChannel.h"
#include "hostlink/HostDialogue.h"
#include "hostlink/HostSelection.h"
#include "hostlink/HostSettings.h"
#include "hostlink/HostVocabulary.h"
#include "hostlink/TemporaryHostSetting.h"
#include "hostlink/UserMessages.h"

namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Layer names as the host compares them: ASCII letters without case.
bool SameLayer(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

// Of the apexes over p1p2 with the given sides, the one nearer `near` (apex1 on a tie); nothing
// unless there are two.
std::optional<TAcadPoint> ApexNear(const TAcadPoint& p1, const TAcadPoint& p2, double side1,
                                   double side2, const TAcadPoint& near) {
  TAcadPoint apex1, apex2;
  if (ApexFromSides(p1, p2, side1, side2, apex1, apex2) != ApexResult::TwoApexes) return {};
  return Distance2D(apex2, near) < Distance2D(apex1, near) ? apex2 : apex1;
}

// Back to the undo mark set before the last construction, with a new mark for the next.
void UndoToMark(const HostLink& link) {
  SendCommand(link, vocab::kUndoBack);
  SendCommand(link, vocab::kCancelTwice);
  SendCommand(link, vocab::kUndoMark);
}

}  // namespace

int LinesOnFence(const HostLink& link, const TAcadPoint& from, const TAcadPoint& to,
                 const std::string& textLayer) {
  Selection crossed = SelectByFence(link, from, to);
  if (crossed.count <= 0) return 0;
  std::vector<TAcadLineBlk>& lines = crossed.tables.entities.lines;
  int count = 0;
  // The fence selected every line it crosses.
  for (const TAcadLineBlk& line : lines) count += SameLayer(line.layer, textLayer) ? 0 : 1;
  // A polyline is selected once however many of its sides the fence crosses: its sides count.
  const std::size_t selected = lines.size();
  ExplodePolylines(crossed.tables);
  for (std::size_t i = selected; i < lines.size(); ++i) {
    TAcadPoint crossing;
    if (!SameLayer(lines[i].layer, textLayer) &&
        IntersectLines(from, to, lines[i].st, lines[i].ed, true, crossing))
      ++count;
  }
  return count;
}

std::optional<TAcadTriangle> PickBaseLineTriangle(const HostLink& link,
                                                  const BaseLineSettings& settings) {
  if (!ActivateHost(link)) return {};
  Selection picked = SelectSingle(link);
  if (picked.count != 1) return {};
  return BaseLineTriangle(link, std::move(picked), settings);
}

std::optional<TAcadTriangle> BaseLineTriangle(const HostLink& link, Selection picked,
                                              const BaseLineSettings& settings) {
  if (!ActivateHost(link)) return {};
  const double halfView = ReadHostNumber(link, vocab::kViewSize) * 0.5;
  const CurrentLayerKept layer(link);

  // The base is the picked line, or the picked polyline side.
  const TAcadPoint& pick = picked.pick;
  const std::optional<TAcadLine> base = SegmentAtPick(picked.tables, pick);
  if (!base) return {};
  const TAcadPoint& st = base->st;
  const TAcadPoint& ed = base->ed;
  const double phi = static_cast<double>(Angle2D(st, ed));
  const double c = static_cast<double>(Distance2D(st, ed));
  double a = settings.sideA, b = settings.sideB;
  const double across = phi + static_cast<double>(kHalfPi);
  TAcadPoint foot;
  if (!IntersectLines(pick, PolarPoint(pick, across, 100), st, ed, false, foot)) foot = pick;
  // Side a starts at the base end nearer the pick.
  if (Distance2D(pick, st) > Distance2D(foot, ed)) std::swap(a, b);
  if (!(AreaFromSides(c, a, b) > 0)) {
    TellUser(link, kNoTriangle);
    return {};
  }

  // Fences from half a view on each side to just beyond the base: a side whose fence crosses
  // the base alone is free.
  const TAcadPoint leftFrom = PolarPoint(foot, across, halfView);
  const TAcadPoint leftTo = PolarPoint(foot, across, -kFenceOvershoot);
  const TAcadPoint rightFrom = PolarPoint(foot, across, -halfView);
  const TAcadPoint rightTo = PolarPoint(foot, across, kFenceOvershoot);
  int left = 0, right = 0;
  if (settings.automaticSide) {
    const std::string& textLayer = settings.labels.lengths.layer;
    left = LinesOnFence(link, leftFrom, leftTo, textLayer);
    right = LinesOnFence(link, rightFrom, rightTo, textLayer);
  }
  TAcadPoint target;
  if ((left == 1) != (right == 1)) {
    target = left == 1 ? leftFrom : rightFrom;
  } else if (PickPoint(link, target) != HostResult::Done) {
    return {};  // no side given: nothing is built
  }

  const std::optional<TAcadPoint> apex = ApexNear(st, ed, a, b, target);
  if (!apex) return {};
  TriangleLabelling labels = settings.labels;
  labels.lengths.angles = ReadHostAngles(link);
  SendCommand(link, vocab::kUndoMark);
  const TAcadTriangle triangle{st, ed, *apex};
  LabelTriangle(link, triangle, labels);
  return triangle;
}

std::optional<TAcadTriangle> ExchangeSides(const HostLink& link, const TAcadTriangle& last,
                                           const BaseLineSettings& settings) {
  if (!ActivateHost(link)) return {};
  TriangleLabelling labels = settings.labels;
  labels.lengths.angles = ReadHostAngles(link);
  const CurrentLayerKept layer(link);

  const TAcadPoint& p1 = last.p1;
  const TAcadPoint& p2 = last.p2;
  const TAcadPoint& p3 = last.p3;
  const double sa = static_cast<double>(Distance2D(p1, p3));
  const double sb = static_cast<double>(Distance2D(p2, p3));
  // Both on the side of the base where the last apex stands.
  const std::optional<TAcadPoint> same = ApexNear(p1, p2, sa, sb, p3);
  const std::optional<TAcadPoint> exchanged = ApexNear(p1, p2, sb, sa, p3);
  if (!same || !exchanged) return {};
  TAcadTriangle rebuilt = last;
  rebuilt.p3 = Distance2D(*same, p3) > Distance2D(*exchanged, p3) ? *same : *exchanged;
  settings.back();
  UndoToMark(link);
  LabelTriangle(link, rebuilt, labels);
  return rebuilt;
}

bool TakeBack(const HostLink& link, const std::function<void()>& back) {
  if (!ActivateHost(link)) return false;
  back();
  UndoToMark(link);
  return true;
}
