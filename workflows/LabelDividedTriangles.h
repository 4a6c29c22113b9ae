// Labels of a whole list of triangles, appended to one annotation document: side lengths (or
// base and height with its height line) and a numbered mark per triangle. A side shared by two
// triangles is labelled once, at the first.
#pragma once

#include <string>
#include <vector>

#include "annotation/TriangleLabels.h"
#include "dxf/DxfDocument.h"
#include "geometry/AcadTypes.h"

// Appends the labels of every triangle in list order, written with the labelling's lengths
// (their angles the host's), numbered from firstNumber on; returns how many triangles got a
// mark (all of them). The counter is the caller's to move once the document is in the drawing.
int LabelDividedTriangles(DxfDocument& document, const std::vector<TAcadTriangle>& triangles,
                          const TriangleLabelling& labelling, int firstNumber);
