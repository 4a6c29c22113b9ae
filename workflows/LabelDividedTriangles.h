// Labels of a whole list of triangles, appended to one annotation document: side lengths (or
// base and height with its height line) and a numbered mark per triangle. A side shared by two
// triangles is labelled once, at the first.
#pragma once

#include <string>
#include <vector>

#include "annotation/DxfDocument.h"
#include "geometry/AcadTypes.h"
#include "annotation/HostSettings.h"

// The window's labelling settings, read once before a workflow talks to the host.
struct TriangleLabelling {
  double textHeight = 0;  // length texts
  double scale = 1;       // measured lengths are divided by it before rounding
  int digits = 2;
  int rounding = 1;
  bool baseHeight = false;  // base and height instead of three sides
  std::string textLayer;    // length texts and marks
  std::string heightLayer;  // height lines
  std::string textStyle;    // empty: none
  double markRadius = 0;
  double markHeight = 0;
  int firstNumber = 0;  // the first triangle's mark; the others count on from it
};

// Appends the labels of every triangle in list order, numbered from firstNumber on; returns
// how many triangles got a mark (all of them).
int LabelDividedTriangles(DxfDocument& document, const std::vector<TAcadTriangle>& triangles,
                          const TriangleLabelling& labelling, const HostAngles& angles);
