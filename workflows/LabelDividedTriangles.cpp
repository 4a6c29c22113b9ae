#include "workflows/LabelDividedTriangles.h"

#include "annotation/AnnotationAngles.h"
#include "annotation/NumberMarks.h"
#include "division/PolygonOperations.h"
#include "dxf/DxfWriter.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/Triangles.h"

namespace {

// Sides that two triangles of the list share are labelled once.
constexpr double kListedTolerance = 0.001;

// Everything is written turned back against the host's insertion (annotation/AnnotationAngles.h).
void WriteLengthLabel(DxfDocument& document, const TAcadPoint& a, const TAcadPoint& b,
                      const LengthLabelSettings& s, const InsertionFrame& frame) {
  const LengthLabel label = PlaceLengthLabel(a, b, s, frame);
  WriteDxfText(document, "J BC ", label.position, s.textHeight, label.rotation, label.text, s.layer,
               s.textStyle);
}

}  // namespace

int LabelDividedTriangles(DxfDocument& document, const std::vector<TAcadTriangle>& triangles,
                          const TriangleLabelling& l, int firstNumber) {
  std::vector<TAcadLine> labelled;
  const InsertionFrame frame(l.lengths.angles);
  const NumberMarkStyle mark = LabellingMarkStyle(l, frame);
  int number = firstNumber;
  for (const TAcadTriangle& t : triangles) {
    if (l.mode == AreaMode::kBaseHeight) {
      TAcadPoint baseSt, baseEd, apex, foot;
      ChooseBaseAndHeight(t, baseSt, baseEd, apex, foot);
      if (!SegmentListed(baseSt, baseEd, labelled, kListedTolerance)) {
        WriteLengthLabel(document, baseSt, baseEd, l.lengths, frame);
        labelled.push_back({baseSt, baseEd});
      }
      // A height belongs to its triangle alone: always labelled and drawn.
      WriteLengthLabel(document, apex, foot, l.lengths, frame);
      WriteDxfLine(document, frame.Place(apex), frame.Place(foot), l.heightLayer);
      WriteNumberMark(document, frame.Place(MarkCentre(t, l.mode)), t, number, mark);
    } else {
      const TAcadPoint* corners[] = {&t.p1, &t.p2, &t.p3};
      for (int i = 0; i < 3; ++i) {
        const TAcadPoint& a = *corners[i];
        const TAcadPoint& b = *corners[(i + 1) % 3];
        if (SegmentListed(a, b, labelled, kListedTolerance)) continue;
        WriteLengthLabel(document, a, b, l.lengths, frame);
        labelled.push_back({a, b});
      }
      WriteNumberMark(document, frame.Place(MarkCentre(t, l.mode)), t, number, mark);
    }
    ++number;
  }
  return static_cast<int>(triangles.size());
}
