// 群選択: the triangles formed by segments the user selected (the lines of a region divided
// earlier, or drawn by hand), labelled in one annotation document as 自動 labels its own.
#pragma once

#include <string>

#include "hostlink/HostLink.h"
#include "workflows/LabelDividedTriangles.h"

enum class GroupOutcome {
  kNoHost,           // nothing sent
  kNothingSelected,  // the user selected nothing, or cancelled
  kNoSegments,       // the selection holds no line and no polyline side: told to the user
  kNoTriangle,       // fewer than three segments or no three forming a triangle: nothing drawn
  kLabelled,
};

struct GroupResult {
  GroupOutcome outcome = GroupOutcome::kNoHost;
  int labelled = 0;  // triangles numbered, in order from the counter's number
};

// Lets the user select, reads the selection (its polylines exploded into lines) and labels the
// triangles found; the angles and the text style are the host's.
GroupResult GroupSelection(const HostLink& link, const TriangleLabelling& labelling);
