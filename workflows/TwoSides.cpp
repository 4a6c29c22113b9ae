#include "workflows/TwoSides.h"

#include "RuzuRaru2016/dxf/ExplodePolylines.h"
#include "RuzuRaru2016/dxf/NearestLine.h"
#include "RuzuRaru2016/hostlink/HostChannel.h"
#include "RuzuRaru2016/hostlink/HostDialogue.h"
#include "RuzuRaru2016/hostlink/HostSelection.h"
#include "RuzuRaru2016/hostlink/HostVocabulary.h"
#include "annotation/HostSettings.h"
#include "annotation/LayerRestore.h"
#include "annotation/SideLines.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/Triangles.h"
#include "platform/Ports.h"

namespace {

constexpr const char* kMessageTitle = "Velsarom";

void Tell(const HostLink& link, const std::string& message) {
  platform::Messages().Show(message, kMessageTitle);
  ActivateHost(link);
}

}  // namespace

bool CloseTwoSides(const TAcadLine& first, const TAcadLine& second, TAcadTriangle& triangle) {
  TAcadPoint corner;
  if (!IntersectLines(first.st, first.ed, second.st, second.ed, false, corner)) return false;
  const double d1 = static_cast<double>(Distance2D(corner, first.st));
  const double d2 = static_cast<double>(Distance2D(corner, first.ed));
  const double d3 = static_cast<double>(Distance2D(corner, second.st));
  const double d4 = static_cast<double>(Distance2D(corner, second.ed));
  const bool connected = (d1 <= kCornerTolerance || d2 <= kCornerTolerance) &&
                         (d3 <= kCornerTolerance || d4 <= kCornerTolerance);
  if (!connected) return false;
  triangle.p1 = corner;
  triangle.p2 = d1 >= d2 ? first.st : first.ed;
  triangle.p3 = d3 >= d4 ? second.st : second.ed;
  return true;
}

bool PickSegment(const HostLink& link, TAcadLine& segment) {
  TAcadPoint pick;
  const int count = SelectSingle(link, pick);
  TEntityTables& read = link.tables.entities;
  if (count <= 0 || (read.lines.empty() && read.polylines.empty())) return false;
  ExplodePolylines(link.tables);
  if (read.lines.empty()) {
    Tell(link, "線分またはポリラインではない");
    return false;
  }
  NearestLine(link.tables, pick, segment.st, segment.ed);
  return true;
}

void PickTwoSides(const HostLink& link, const TwoSidesSettings& settings) {
  if (!ActivateHost(link)) return;
  TAcadLine first, second;
  if (!PickSegment(link, first)) return;
  if (!PickSegment(link, second)) return;
  TwoSides(link, first, second, settings);
}

void TwoSides(const HostLink& link, const TAcadLine& first, const TAcadLine& second,
              const TwoSidesSettings& settings) {
  if (!ActivateHost(link)) return;
  TriangleLabelSettings s = settings.labels;
  s.lengths.textStyle = settings.currentTextStyle ? ReadHostTextStyle(link) : std::string();
  if (settings.keepTextStyle) settings.keepTextStyle(s.lengths.textStyle);
  s.lengths.angles = ReadHostAngles(link);
  const LayerRestore restore(link, GetSysVar(link, "CLAYER"));

  TAcadTriangle triangle;
  if (!CloseTwoSides(first, second, triangle)) {
    Tell(link, "2線分の端点がつながっていない");
    return;
  }
  SendCommand(link, vocab::LocalLayerMake(s.sideLayer));
  DrawLineIfMissing(link, triangle.p2, triangle.p3, true);
  if (s.threeSide) {
    DrawSideLabels(link, triangle, s.lengths);
  } else {
    // The height first, then the base; the height line always.
    TAcadPoint baseSt, baseEd, apex, foot;
    ChooseBaseAndHeight(triangle, baseSt, baseEd, apex, foot);
    DrawLengthLabel(link, "J BC ", apex, foot, s.lengths, true);
    DrawLengthLabel(link, "J BC ", baseSt, baseEd, s.lengths, true);
    SendCommand(link, vocab::LayerMake(s.heightLayer));
    DrawLineIfMissing(link, apex, foot, false);
  }
  MarkTriangle(link, triangle, s);
  SendCommand(link, vocab::LayerMake(s.sideLayer));
}
