#include "annotation/SegmentMarks.h"

#include <cmath>
#include <numbers>

#include "dxf/DxfWriter.h"
#include "hostlink/HostExport.h"

TAcadPoint SegmentMarkCentre(const CircularSegment& segment, double height) {
  const long double dx = segment.arcMiddle.x - (segment.st.x + segment.ed.x) / 2;
  const long double dy = segment.arcMiddle.y - (segment.st.y + segment.ed.y) / 2;
  const long double rise = std::hypot(dx, dy);
  TAcadPoint at = segment.arcMiddle;
  if (!(rise > 0)) return at;
  at.x += dx / rise * height;
  at.y += dy / rise * height;
  return at;
}

void WriteSegmentMark(DxfDocument& document, const TAcadPoint& at, const CircularSegment& segment,
                      int number, const SegmentMarkStyle& style) {
  WriteDxfTextAligned(document, TextJustification{1, 2}, at, style.height, style.rotation,
                      SegmentName(number), style.layer, style.textStyle);
  WriteDxfSegmentData(document, segment.chord, segment.radius, segment.sign, segment.angle);
  const ArcSides sides = SegmentArcSides(segment);
  WriteDxfArcCorners(document, segment.st, segment.ed, sides.centreSide, sides.bulge);
}

ArcSides SegmentArcSides(const CircularSegment& segment) {
  // The arc runs counter-clockwise from st to ed when its middle lies right of the chord.
  const long double cross = (segment.ed.x - segment.st.x) * (segment.arcMiddle.y - segment.st.y) -
                            (segment.ed.y - segment.st.y) * (segment.arcMiddle.x - segment.st.x);
  const int turn = cross < 0 ? 1 : -1;
  const bool major = segment.angle > std::numbers::pi_v<long double>;
  return {major ? -turn : turn, turn * std::tan(segment.angle / 4)};
}

int NextSegmentNumberInDrawing(const HostLink& link) {
  const Exported drawing = HostExport(link, ExportOf::kWholeDrawing, ReadExportAs::kLines);
  return NextSegmentNumber(CollectSegmentMarks(drawing.lines));
}
