// Segment marks: the name "弓1", "弓2", … of a curved side at its arc's middle, the text carrying
// the arc's chord, radius, sign and central angle as application data of its own application,
// from which the area table adds the circular segment to the triangles' total.
#pragma once

#include <string>
#include <vector>

#include "RuzuRaru2016/dxf/EntityLines.h"
#include "annotation/DxfDocument.h"
#include "geometry/CircularSegments.h"

struct SegmentMarkStyle {
  double height = 0;
  double rotation = 0;  // radians, as written
  std::string layer;
  std::string textStyle;
};

// "弓" and the number.
std::string SegmentName(int number);

// Where a segment mark of this text height stands: one height beyond the arc's middle, away from
// the chord, so that it neither straddles the boundary nor meets the chord's length label.
TAcadPoint SegmentMarkCentre(const CircularSegment& segment, double height);

// TEXT SegmentName(number) centred on `at`, then under kSegmentAppName the point (chord, radius,
// sign) and the central angle (1040). The document's header must register kSegmentAppName.
void WriteSegmentMark(DxfDocument& document, const TAcadPoint& at, const CircularSegment& segment,
                      int number, const SegmentMarkStyle& style);

// A segment mark read back from entity lines.
struct SegmentMarkData {
  std::string name;
  int number = 0;  // the number after "弓"; 0 when the text is no such name
  long double chord = 0;
  long double radius = 0;
  int sign = 1;
  bool major = false;  // the central angle is above 180°
};

// Every TEXT line whose first application data names kSegmentAppName, ascending by number (in
// the order of the lines among equal numbers). Throws EConvertError for data that is no number.
std::vector<SegmentMarkData> CollectSegmentMarks(const EntityLineList& lines);

// The number after the highest segment mark's: 1 when there is none.
int NextSegmentNumber(const std::vector<SegmentMarkData>& marks);
