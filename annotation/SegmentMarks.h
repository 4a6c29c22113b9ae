// Segment marks: the name "弓1", "弓2", … of a curved side at its arc's middle, the text carrying
// the arc's chord, radius, sign and central angle as application data of its own application,
// from which the area table adds the circular segment to the triangles' total.
#pragma once

#include <string>
#include <vector>

#include "dxf/DxfDocument.h"
#include "dxf/SegmentEntries.h"
#include "geometry/CircularSegments.h"
#include "hostlink/HostLink.h"

struct SegmentMarkStyle {
  double height = 0;
  double rotation = 0;  // radians, as written
  std::string layer;
  std::string textStyle;
};

// Where a segment mark of this text height stands: one height beyond the arc's middle, away from
// the chord, so that it neither straddles the boundary nor meets the chord's length label.
TAcadPoint SegmentMarkCentre(const CircularSegment& segment, double height);

// The side of the chord st→ed that the arc's centre lies on (1 left, −1 right) and the arc's
// bulge from st to ed (tan of a quarter of its central angle, positive counter-clockwise), as a
// polyline vertex holds it.
struct ArcSides {
  int centreSide = 1;
  long double bulge = 0;
};
ArcSides SegmentArcSides(const CircularSegment& segment);

// TEXT SegmentName(number) centred on `at`, then under kSegmentAppName the point (chord, radius,
// sign) and the central angle (1040), then under kCornerAppName the arc's ends and ArcSides.
// The document's header must register both.
void WriteSegmentMark(DxfDocument& document, const TAcadPoint& at, const CircularSegment& segment,
                      int number, const SegmentMarkStyle& style);

// The number the next segment mark gets: after the drawing's highest, which only the whole drawing
// tells (exported for it). 自動 names its marks so and the coordinate table its rows, so that one
// arc has one name. Throws EExportFailed when the export does not come back whole.
int NextSegmentNumberInDrawing(const HostLink& link);
