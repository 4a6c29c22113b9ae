#include "annotation/TriangleLabels.h"

#include <numbers>
#include <utility>

#include "annotation/DxfInsertion.h"
#include "annotation/NumberMarks.h"
#include "annotation/SideLines.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/Triangles.h"
#include "hostlink/HostChannel.h"
#include "hostlink/HostSelection.h"
#include "hostlink/HostVocabulary.h"
#include "numbers/RoundToText.h"

namespace {

// The texts that the fence from a to b selects; 0 when it selects nothing.
std::size_t TextsOnFence(const HostLink& link, const TAcadPoint& a, const TAcadPoint& b) {
  const Selection crossed = SelectByFence(link, a, b);
  return crossed.count > 0 ? crossed.tables.entities.texts.size() : 0;
}

}  // namespace

LengthLabel PlaceLengthLabel(const TAcadPoint& p1, const TAcadPoint& p2,
                             const LengthLabelSettings& settings, const InsertionFrame& frame) {
  return {frame.Place(MidPoint(p1, p2)), frame.LengthTextRotation(p1, p2),
          ShownLength(settings.format.digits, settings.format.rounding, Distance2D(p1, p2),
                      settings.scale)};
}

void PrepareLengths(const HostLink& link, const TextStyleChoice& choice,
                    LengthLabelSettings& lengths) {
  RunStyle run = PrepareRun(link, choice);
  lengths.textStyle = std::move(run.textStyle);
  lengths.angles = run.angles;
}

TAcadPoint MarkCentre(const TAcadTriangle& triangle, AreaMode mode) {
  if (mode == AreaMode::kThreeSides) return ThreeSideMarkCentre(triangle);
  TAcadPoint baseSt, baseEd, apex, foot;
  ChooseBaseAndHeight(triangle, baseSt, baseEd, apex, foot);
  return BaseHeightMarkCentre(baseSt, baseEd, apex, foot);
}

NumberMarkStyle LabellingMarkStyle(const TriangleLabelling& s, const InsertionFrame& frame) {
  return {s.markRadius, s.markHeight, frame.NumberRotation(), s.lengths.layer, s.lengths.textStyle};
}

bool DrawLengthLabel(const HostLink& link, const std::string& justification, const TAcadPoint& p1,
                     const TAcadPoint& p2, const LengthLabelSettings& settings, bool check) {
  const TAcadPoint m = MidPoint(p1, p2);
  const double a = LabelAngle(p1, p2);
  const double h = settings.textHeight;
  if (check) {
    // One text height before and behind the midpoint, half a text height on the side the text
    // stands on and on the other.
    const TAcadPoint before = PolarPoint(m, a, h);
    const TAcadPoint behind = PolarPoint(m, a, -h);
    const double left = a + std::numbers::pi / 2;
    const std::size_t onLeft =
        TextsOnFence(link, PolarPoint(before, left, h / 2), PolarPoint(behind, left, h / 2));
    const std::size_t onRight =
        TextsOnFence(link, PolarPoint(before, left, -h / 2), PolarPoint(behind, left, -h / 2));
    if (onLeft + onRight != 0) return false;
  }
  const LengthLabel label = PlaceLengthLabel(p1, p2, settings, InsertionFrame(settings.angles));
  InsertTextDxf(link, justification, label.position, label.text, h, label.rotation, settings.layer,
                settings.textStyle);
  return true;
}

void DrawSideLabels(const HostLink& link, const TAcadTriangle& triangle,
                    const LengthLabelSettings& settings) {
  DrawLengthLabel(link, "J BC ", triangle.p1, triangle.p2, settings, true);
  DrawLengthLabel(link, "J BC ", triangle.p2, triangle.p3, settings, true);
  DrawLengthLabel(link, "J BC ", triangle.p3, triangle.p1, settings, true);
}

void LabelTriangle(const HostLink& link, const TAcadTriangle& triangle,
                   const TriangleLabelling& settings, SidesGiven given) {
  const bool twoSides = given == SidesGiven::kTwoSides;
  SendCommand(link, twoSides ? vocab::LocalLayerMake(settings.sideLayer)
                             : vocab::LayerMake(settings.sideLayer));
  if (!twoSides) DrawLineIfMissing(link, triangle.p1, triangle.p3, true);
  DrawLineIfMissing(link, triangle.p2, triangle.p3, true);
  if (settings.mode == AreaMode::kThreeSides) {
    DrawSideLabels(link, triangle, settings.lengths);
  } else {
    TAcadPoint baseSt, baseEd, apex, foot;
    ChooseBaseAndHeight(triangle, baseSt, baseEd, apex, foot);
    if (twoSides) DrawLengthLabel(link, "J BC ", apex, foot, settings.lengths, true);
    DrawLengthLabel(link, "J BC ", baseSt, baseEd, settings.lengths, true);
    if (!twoSides) DrawLengthLabel(link, "J BC ", apex, foot, settings.lengths, true);
    SendCommand(link, vocab::LayerMake(settings.heightLayer));
    DrawLineIfMissing(link, apex, foot, false);
  }
  MarkTriangle(link, triangle, settings);
  if (twoSides) SendCommand(link, vocab::LayerMake(settings.sideLayer));
}

void MarkTriangle(const HostLink& link, const TAcadTriangle& triangle,
                  const TriangleLabelling& settings) {
  const InsertionFrame frame(settings.lengths.angles);
  InsertNumberMark(link, frame.Place(MarkCentre(triangle, settings.mode)), triangle,
                   settings.nextNumber(), LabellingMarkStyle(settings, frame));
  settings.advance();
}
