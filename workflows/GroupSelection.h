// 群選択: the triangles formed by segments the user selected (the lines of a region divided
// earlier, or drawn by hand), labelled in one annotation document as 自動 labels its own.
#pragma once

#include <string>

#include "RuzuRaru2016/hostlink/HostLink.h"
#include "workflows/LabelDividedTriangles.h"

struct GroupSelectionSettings {
  TriangleLabelling labelling;  // textStyle is replaced by what the host gives
  bool hostTextStyle = false;   // write texts in the host's current style
};

enum class GroupOutcome {
  kNoHost,      // nothing sent
  kNoSegments,  // the selection holds no line and no polyline side: told to the user
  kNoTriangle,  // fewer than three segments or no three forming a triangle: nothing drawn
  kLabelled,
};

struct GroupResult {
  GroupOutcome outcome = GroupOutcome::kNoHost;
  int labelled = 0;        // triangles numbered, in order from labelling.firstNumber
  bool styleRead = false;  // textStyle holds the style the run used
  std::string textStyle;
};

// Works on the selection that the link's tables hold (its polylines are exploded into them).
GroupResult GroupSelection(const HostLink& link, const GroupSelectionSettings& settings);
