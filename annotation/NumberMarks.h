// Number marks: a circle with the triangle's number in its middle, the number text carrying
// the triangle's three side lengths as application data, from which the area table is rebuilt.
#pragma once

#include <string>

#include "dxf/DxfDocument.h"
#include "geometry/AcadTypes.h"
#include "hostlink/HostLink.h"

// In three-side mode the mark stands at the triangle's incentre.
TAcadPoint ThreeSideMarkCentre(const TAcadTriangle& triangle);

// In base-height mode the mark stands in the larger of the two right triangles that the height
// line cuts off (the one at the base end when both are equal), clear of that line.
TAcadPoint BaseHeightMarkCentre(const TAcadPoint& baseSt, const TAcadPoint& baseEd,
                                const TAcadPoint& apex, const TAcadPoint& foot);

struct NumberMarkStyle {
  double radius = 0;
  double numberHeight = 0;
  double rotation = 0;  // radians, as written (InsertionFrame::NumberRotation)
  std::string layer;
  std::string textStyle;
};

// CIRCLE, TEXT (centred on centre) and the application data |p1p2|, |p2p3|, |p3p1|, then the
// corners p1, p2, p3 as they stand in the drawing (the triangle is in world coordinates; the
// document's header must register kCornerAppName: WriteDxfMarkHeader).
void WriteNumberMark(DxfDocument& document, const TAcadPoint& centre, const TAcadTriangle& triangle,
                     int number, const NumberMarkStyle& style);

// The mark in a document of its own (header with the application id, the mark, the end), saved
// to the default annotation file and inserted by the host.
void InsertNumberMark(const HostLink& link, const TAcadPoint& centre, const TAcadTriangle& triangle,
                      int number, const NumberMarkStyle& style);
