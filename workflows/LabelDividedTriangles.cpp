#include "workflows/LabelDividedTriangles.h"

#include "annotation/AnnotationAngles.h"
#include "annotation/NumberMarks.h"
#include "dxf/DxfWriter.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/Triangles.h"
#include "numbers/RoundToText.h"

namespace {

constexpr double kListedTolerance = 0.001;

bool Listed(const TAcadPoint& a, const TAcadPoint& b, const std::vector<TAcadLine>& sides) {
  for (const TAcadLine& s : sides) {
    if ((SamePoint(a, s.st, kListedTolerance) && SamePoint(b, s.ed, kListedTolerance)) ||
        (SamePoint(a, s.ed, kListedTolerance) && SamePoint(b, s.st, kListedTolerance)))
      return true;
  }
  return false;
}

// Everything is written turned back against the host's insertion (annotation/AnnotationAngles.h).
void LengthLabel(DxfDocument& document, const TAcadPoint& a, const TAcadPoint& b,
                 const TriangleLabelling& l, const InsertionFrame& frame) {
  const LengthLabelSettings& s = l.lengths;
  const double length = static_cast<double>(Distance2D(a, b));
  WriteDxfText(document, "J BC ", frame.Place(MidPoint(a, b)), s.textHeight,
               frame.LengthTextRotation(a, b), RoundToText(s.digits, s.rounding, length / s.scale),
               s.layer, s.textStyle);
}

}  // namespace

int LabelDividedTriangles(DxfDocument& document, const std::vector<TAcadTriangle>& triangles,
                          const TriangleLabelling& l, int firstNumber) {
  std::vector<TAcadLine> labelled;
  const InsertionFrame frame(l.lengths.angles);
  const NumberMarkStyle mark{l.markRadius, l.markHeight, frame.NumberRotation(), l.lengths.layer,
                             l.lengths.textStyle};
  int number = firstNumber;
  for (const TAcadTriangle& t : triangles) {
    if (l.mode == LabelMode::kBaseHeight) {
      TAcadPoint baseSt, baseEd, apex, foot;
      ChooseBaseAndHeight(t, baseSt, baseEd, apex, foot);
      if (!Listed(baseSt, baseEd, labelled)) {
        LengthLabel(document, baseSt, baseEd, l, frame);
        labelled.push_back({baseSt, baseEd});
      }
      // A height belongs to its triangle alone: always labelled and drawn.
      LengthLabel(document, apex, foot, l, frame);
      WriteDxfLine(document, frame.Place(apex), frame.Place(foot), l.heightLayer);
      WriteNumberMark(document, frame.Place(BaseHeightMarkCentre(baseSt, baseEd, apex, foot)), t,
                      number, mark);
    } else {
      const TAcadPoint* corners[] = {&t.p1, &t.p2, &t.p3};
      for (int i = 0; i < 3; ++i) {
        const TAcadPoint& a = *corners[i];
        const TAcadPoint& b = *corners[(i + 1) % 3];
        if (Listed(a, b, labelled)) continue;
        LengthLabel(document, a, b, l, frame);
        labelled.push_back({a, b});
      }
      WriteNumberMark(document, frame.Place(Incenter(t.p1, t.p2, t.p3)), t, number, mark);
    }
    ++number;
  }
  return static_cast<int>(triangles.size());
}
