#include "annotation/NumberMarks.h"

#include "annotation/DxfInsertion.h"
#include "dxf/DxfWriter.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/Triangles.h"

TAcadPoint BaseHeightMarkCentre(const TAcadPoint& baseSt, const TAcadPoint& baseEd,
                                const TAcadPoint& apex, const TAcadPoint& foot) {
  const double h = static_cast<double>(Distance2D(apex, foot));
  auto half = [&](const TAcadPoint& end) {
    return AreaFromSides(h, static_cast<double>(Distance2D(end, apex)),
                         static_cast<double>(Distance2D(end, foot)));
  };
  const double areaAtStart = half(baseSt);
  const double areaAtEnd = half(baseEd);
  // Incenter bisects at its first and third point, so the order of the points matters.
  return areaAtEnd < areaAtStart ? Incenter(baseSt, apex, foot) : Incenter(baseEd, apex, foot);
}

void WriteNumberMark(DxfDocument& document, const TAcadPoint& centre, const TAcadTriangle& triangle,
                     int number, const NumberMarkStyle& style) {
  WriteDxfCircle(document, centre, style.radius, style.layer);
  WriteDxfTextAligned(document, TextJustification{1, 2}, centre, style.numberHeight, style.rotation,
                      std::to_string(number), style.layer, style.textStyle);
  WriteDxfAppData(document, Distance2D(triangle.p1, triangle.p2),
                  Distance2D(triangle.p2, triangle.p3), Distance2D(triangle.p3, triangle.p1));
  WriteDxfTriangleCorners(document, triangle);
}

TAcadPoint ThreeSideMarkCentre(const TAcadTriangle& triangle) {
  return Incenter(triangle.p1, triangle.p2, triangle.p3);
}

void InsertNumberMark(const HostLink& link, const TAcadPoint& centre, const TAcadTriangle& triangle,
                      int number, const NumberMarkStyle& style) {
  DxfDocument document;
  WriteDxfMarkHeader(document, style.textStyle);
  WriteNumberMark(document, centre, triangle, number, style);
  WriteDxfEnd(document);
  InsertDxf(link, document);
}
