#include "annotation/SegmentMarks.h"

#include <cmath>

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
}

int NextSegmentNumberInDrawing(const HostLink& link) {
  EntityLineList lines;
  HostExport(link, ExportOf::kWholeDrawing, {nullptr, &lines});
  return NextSegmentNumber(CollectSegmentMarks(lines));
}
